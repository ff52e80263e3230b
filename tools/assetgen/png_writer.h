// Minimal PNG encoder (8-bit RGB or RGBA, no interlace). Written by hand so the
// generator depends on zlib alone and its output never changes with a library.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

// pixels: height rows of width * channels bytes; channels 3 (RGB) or 4 (RGBA).
std::vector<uint8_t> EncodePng(int width, int height, int channels,
                               const std::vector<uint8_t>& pixels);

} // namespace assetgen
