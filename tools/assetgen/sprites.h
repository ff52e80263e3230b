// The 32 x 32 sprite sheets: items, beings, the selection frame and the need icons.
#pragma once

#include "canvas.h"
#include "world/objekt.h"

namespace assetgen {

inline constexpr int kCell = 32;
inline constexpr int kItemCount = TObjekt::COUNT;
inline constexpr int kBeingCells = 10;

Canvas ItemSheet();  // one cell per catalogue item, cell id-1 for item id
Canvas BeingSheet(); // 10 cells: castaway (facing north), ape, monitor lizard, spares
Canvas SelectorImage();
Canvas FoodstateSheet(); // hunger, thirst

} // namespace assetgen
