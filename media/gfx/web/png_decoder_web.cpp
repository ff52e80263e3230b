// The PNG loader's calls for the page, on our own decoder (png_format.cpp).
#include <cstdio>
#include <vector>

#include "media/files.h"
#include "media/gfx/png_decoder.h"
#include "media/gfx/web/png_format.h"

namespace {

// The whole file, at most `limit` bytes; false when missing or larger.
bool ReadWhole(const std::string& realPath, size_t limit, std::vector<uint8_t>& out) {
    size_t size = 0;
    FILE* file = media_internal::OpenRegularFile(realPath, size);
    if (!file) return false;
    bool ok = size > 0 && size <= limit;
    if (ok) {
        out.resize(size);
        ok = std::fread(out.data(), 1, out.size(), file) == out.size();
    }
    std::fclose(file);
    return ok;
}

} // namespace

PixmapPtr media_internal::DecodePngFile(const std::string& realPath, int maxSide) {
    std::vector<uint8_t> bytes;
    if (!ReadWhole(realPath, kPngMaxBytes, bytes)) return nullptr;
    return DecodePngBytes(bytes.data(), bytes.size(), maxSide);
}

PixmapPtr media_internal::DecodePngMemory(const uint8_t* data, size_t size) {
    return DecodePngBytes(data, size, kPngMaxSide);
}
