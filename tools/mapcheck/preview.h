// Renders a whole island with the game's own tiles and item sprites, so a map
// maker can see it at a glance without walking it.
#pragma once

#include <string>

#include "island/map_analysis.h"

namespace mapcheck {

// Writes a PNG of map.width*32 x map.height*32 pixels (scaled down by `shrink`,
// 1-8); the start cell is framed in red. Returns false with `error` set on failure.
bool WritePreview(const MapData& map, const std::string& gfxDir, const std::string& outPath,
                  int shrink, std::string& error);

} // namespace mapcheck
