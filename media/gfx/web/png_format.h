// PNG files read without libpng for the page: chunks, the zlib stream (our
// own inflater) and the row filters, into the same pixel buffers the desktop
// decoder gives: 8-bit grey, RGB or RGBA.
#pragma once

#include <cstddef>
#include <cstdint>

#include "media/graphics.h"

namespace media_internal {

// Decodes a PNG held in memory: null when it is damaged, interlaced (the
// game's pictures never are), wider or taller than `maxSide`, or larger than
// the decoder's byte limit; sizes are checked before any pixel is decoded.
PixmapPtr DecodePngBytes(const uint8_t* data, size_t size, int maxSide);

} // namespace media_internal
