// Writes 8-bit RGB or RGBA pixels (rows top to bottom) as a PNG file.
#pragma once

#include <cstdint>
#include <string>

bool WritePng(const std::string& path, int width, int height, int channels, const uint8_t* pixels);
