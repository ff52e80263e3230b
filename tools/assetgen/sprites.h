// The 32 x 32 sprite sheets: items, beings, the selection frame and the need icons.
#pragma once

#include "canvas.h"

namespace assetgen {

inline constexpr int kCell = 32;
inline constexpr int kItemCount = 23;
inline constexpr int kBeingCells = 10;

Canvas ItemSheet();  // 23 cells, cell id-1 for item id
Canvas BeingSheet(); // 10 cells: castaway (facing north), ape, monitor lizard, spares
Canvas SelectorImage();
Canvas FoodstateSheet(); // hunger, thirst

} // namespace assetgen
