// The ground tile sheet: frames 0-4 are sea, shallow water, sand, rock and grass.
#pragma once

#include "canvas.h"

namespace assetgen {

inline constexpr int kTileCount = 10;

// Every tile wraps around its own edges, so a field of one kind shows no seams.
Canvas TileSheet();

} // namespace assetgen
