// The game's limited warm palette, shared by every picture.
#pragma once

#include "canvas.h"

namespace assetgen::pal {

inline constexpr Rgba kInk{44, 28, 24}; // sprite outlines
inline constexpr Rgba kInkSoft{70, 48, 40};
inline constexpr Rgba kDeepSea{26, 62, 128};
inline constexpr Rgba kSea{38, 94, 170};
inline constexpr Rgba kSeaLight{66, 130, 200};
inline constexpr Rgba kFoam{176, 216, 236};
inline constexpr Rgba kShallow{48, 146, 156};
inline constexpr Rgba kShallowLight{92, 188, 186};
inline constexpr Rgba kShallowDark{34, 116, 130};
inline constexpr Rgba kSand{234, 202, 124};
inline constexpr Rgba kSandLight{248, 226, 158};
inline constexpr Rgba kSandDark{208, 170, 98};
inline constexpr Rgba kRock{138, 128, 118};
inline constexpr Rgba kRockLight{174, 164, 150};
inline constexpr Rgba kRockDark{98, 90, 84};
inline constexpr Rgba kGrass{92, 164, 58};
inline constexpr Rgba kGrassLight{136, 196, 78};
inline constexpr Rgba kGrassDark{62, 124, 46};
inline constexpr Rgba kLeaf{64, 150, 52};
inline constexpr Rgba kLeafLight{120, 192, 72};
inline constexpr Rgba kLeafDark{36, 98, 38};
inline constexpr Rgba kFern{150, 196, 60};
inline constexpr Rgba kFernLight{196, 226, 96};
inline constexpr Rgba kFernDark{84, 126, 36};
inline constexpr Rgba kWood{152, 98, 54};
inline constexpr Rgba kWoodLight{196, 140, 84};
inline constexpr Rgba kWoodDark{100, 62, 36};
inline constexpr Rgba kDrift{176, 158, 128};
inline constexpr Rgba kDriftLight{210, 194, 160};
inline constexpr Rgba kDriftDark{128, 110, 88};
inline constexpr Rgba kStone{150, 146, 140};
inline constexpr Rgba kStoneLight{196, 192, 184};
inline constexpr Rgba kStoneDark{100, 96, 94};
inline constexpr Rgba kSlate{76, 88, 110};
inline constexpr Rgba kSlateLight{118, 132, 156};
inline constexpr Rgba kSlateDark{52, 60, 80};
inline constexpr Rgba kIron{150, 164, 184};
inline constexpr Rgba kIronLight{210, 220, 232};
inline constexpr Rgba kIronDark{92, 104, 124};
inline constexpr Rgba kRust{196, 96, 44};
inline constexpr Rgba kRustLight{236, 150, 70};
inline constexpr Rgba kBerry{198, 36, 70};
inline constexpr Rgba kBerryLight{244, 110, 130};
inline constexpr Rgba kBerryDark{120, 20, 52};
inline constexpr Rgba kNut{122, 78, 42};
inline constexpr Rgba kNutLight{168, 116, 64};
inline constexpr Rgba kNutDark{78, 48, 28};
inline constexpr Rgba kFlame{250, 200, 60};
inline constexpr Rgba kFlameHot{255, 244, 170};
inline constexpr Rgba kFlameRed{230, 90, 30};
inline constexpr Rgba kMeat{210, 70, 70};
inline constexpr Rgba kMeatLight{240, 140, 130};
inline constexpr Rgba kMeatDark{150, 40, 46};
inline constexpr Rgba kRoast{150, 80, 34};
inline constexpr Rgba kRoastLight{204, 130, 60};
inline constexpr Rgba kRoastDark{100, 50, 24};
inline constexpr Rgba kBone{240, 232, 210};
inline constexpr Rgba kCloth{238, 230, 206};
inline constexpr Rgba kClothDark{196, 184, 156};
inline constexpr Rgba kFur{132, 84, 48};
inline constexpr Rgba kFurLight{176, 122, 72};
inline constexpr Rgba kFurDark{88, 54, 32};
inline constexpr Rgba kSkin{232, 172, 120};
inline constexpr Rgba kSkinDark{190, 128, 84};
inline constexpr Rgba kHair{110, 62, 30};
inline constexpr Rgba kShirt{226, 222, 206};
inline constexpr Rgba kTrousers{58, 92, 150};
inline constexpr Rgba kLizard{104, 128, 70};
inline constexpr Rgba kLizardLight{150, 170, 96};
inline constexpr Rgba kLizardDark{66, 84, 46};
inline constexpr Rgba kWhite{250, 250, 250};
inline constexpr Rgba kRope{214, 190, 120};

} // namespace assetgen::pal
