// The search that lets a coconut or berries fall next to a plant.
#pragma once

// Visits the 3 x 3 block around (cx, cy), columns outer and rows inner, skipping
// cells outside the map. Each empty cell draws RandomInt(lo, hi); the first draw
// below TPlayer::FRUIT_LANDS_CHANCE puts `item` there. Returns whether something fell.
bool DropFruitAround(int cx, int cy, int item, int lo, int hi);
