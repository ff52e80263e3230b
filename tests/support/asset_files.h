// Helpers shared by the asset and tool tests: reading files and decoding PNGs.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <png.h>

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

inline Decoded decodePng(const std::vector<uint8_t>& bytes) {
    Decoded d;
    png_image img{};
    img.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&img, bytes.data(), bytes.size())) return d;
    d.hasAlpha = (img.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    img.format = PNG_FORMAT_RGBA;
    d.rgba.resize(PNG_IMAGE_SIZE(img));
    if (!png_image_finish_read(&img, nullptr, d.rgba.data(), 0, nullptr)) return d;
    d.width = static_cast<int>(img.width);
    d.height = static_cast<int>(img.height);
    d.ok = true;
    return d;
}

} // namespace assettest
