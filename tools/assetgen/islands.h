// The shipped islands, grown from fixed seeds: the default island and the bay.
#pragma once

#include <cstdint>
#include <vector>

#include "canvas.h"
#include "island/map_analysis.h"

namespace assetgen {

mapcheck::MapData DefaultIsland(); // "map/map": gentle, everything within reach
mapcheck::MapData BayIsland();     // "map/bucht": long ways round a bay, scarcer, two lizards

// The map image: one pixel per cell in the exact ground colours.
Canvas MapImage(const mapcheck::MapData& map);
// The critter file: apes, then monitor lizards, one number a line.
std::vector<uint8_t> CritterFile(const mapcheck::MapData& map);

} // namespace assetgen
