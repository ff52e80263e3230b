// Writes 8-bit RGB or RGBA pixels (rows top to bottom) as a PNG file.
#pragma once

#include <cstdint>
#include <string>

namespace media_internal {

bool WritePng(const std::string& path, int width, int height, int channels, const uint8_t* pixels);

} // namespace media_internal
