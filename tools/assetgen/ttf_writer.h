// Builds a TrueType font from the pixel typeface: every ink pixel becomes part
// of a rectangle contour, so the outlines stay crisp at whole-pixel scales.
#pragma once

#include <cstdint>
#include <vector>

namespace assetgen {

// unitsPerEm 1024; one font pixel is kTtfPixelUnits units, so at 32 px a font
// pixel is exactly 3 screen pixels.
inline constexpr int kTtfUnitsPerEm = 1024;
inline constexpr int kTtfPixelUnits = 96;

std::vector<uint8_t> BuildPixelTtf();

} // namespace assetgen
