// Helpers shared by the asset and tool tests: reading files and decoding PNGs.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "media/gfx/image_data.h"
#include "media/gfx/png_decoder.h"
#include "media/graphics.h"

namespace assettest {

inline std::string assetPath(const std::string& rel) {
    return std::string(PALMUT_ASSET_DIR) + "/" + rel;
}

inline std::vector<uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Decoded {
    bool ok = false;
    int width = 0, height = 0;
    bool hasAlpha = false;
    std::vector<uint8_t> rgba; // always 4 bytes a pixel
};

// Through the game's own PNG reader: the tests need no second one.
inline Decoded decodePng(const std::vector<uint8_t>& bytes) {
    Decoded d;
    const PixmapPtr pixmap = media_internal::DecodePngMemory(bytes.data(), bytes.size());
    if (!pixmap) return d;
    d.width = pixmap->width;
    d.height = pixmap->height;
    d.hasAlpha = pixmap->format == PF_RGBA8888;
    d.rgba = media_internal::PixmapRegionToRgba(*pixmap, 0, 0, d.width, d.height, false, 0, 0, 0);
    d.ok = true;
    return d;
}

} // namespace assettest
