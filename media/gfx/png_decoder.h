// PNG files to pixel buffers (grey, RGB or RGBA, 8 bits per channel).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "media/graphics.h"

namespace media_internal {

// Largest picture accepted, so a hostile header cannot make us allocate
// gigabytes: each side at most this many pixels...
constexpr int kPngMaxSide = 16384;
// ...and the decoded pixels at most this many bytes.
constexpr size_t kPngMaxBytes = size_t{256} << 20;

// Decodes a PNG file given by its real path; null when missing, invalid or
// wider or taller than `maxSide` (checked before any pixel is decoded).
PixmapPtr DecodePngFile(const std::string& realPath, int maxSide = kPngMaxSide);
// Width and height from a PNG file's header (signature and IHDR) without
// decoding it; false when missing or not a PNG. A side over kPngMaxSide is
// reported as it stands: the caller says what is too large.
bool ReadPngFileSize(const std::string& realPath, int& width, int& height);
// Why DecodePngFile(realPath, maxSide) refused the file: a PICTURE_* reason
// of media/graphics.h, never PICTURE_LOADED.
int PngFileFault(const std::string& realPath, int maxSide);
// Same for a PNG held in memory.
PixmapPtr DecodePngMemory(const uint8_t* data, size_t size);
// Opens a PNG file (or any file) for reading only when it is a regular file:
// a named pipe or device could block for good. `size` is its length in
// bytes; null when missing or not a regular file.
FILE* OpenRegularFile(const std::string& realPath, size_t& size);

} // namespace media_internal
