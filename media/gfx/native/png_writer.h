// The one PNG writer (8-bit RGB or RGBA, rows top to bottom, no interlace),
// written by hand over zlib so its bytes never change with a library: the game's
// screenshots, and through the tools the shipped pictures (checked byte for
// byte), the editor's saved islands, the benchmarks' and the tests' pictures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace media_internal {

// zlib's levels: the shipped pictures are packed hardest.
constexpr int kPngSmallest = 9;
constexpr int kPngDefault = 6;
constexpr int kPngFastest = 1;

// The whole file; empty when the sides, the channel count (3 or 4) or the
// number of bytes do not fit together.
std::vector<uint8_t> EncodePng(int width, int height, int channels,
                               const std::vector<uint8_t>& pixels, int level = kPngSmallest);
// `pixels` holds width * height * channels bytes; false when the file cannot
// be written or the sizes are wrong.
bool WritePng(const std::string& path, int width, int height, int channels, const uint8_t* pixels,
              int level = kPngDefault);

} // namespace media_internal
