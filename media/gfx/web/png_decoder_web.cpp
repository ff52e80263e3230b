// The PNG loader's calls for the page, on our own decoder (png_format.cpp).
#include <array>
#include <cstdio>
#include <cstring>
#include <vector>

#include "media/files.h"
#include "media/gfx/png_decoder.h"
#include "media/gfx/web/png_format.h"
#include "media/system/path_resolver.h"

namespace {

// PNG allows sides up to 2^31 - 1.
constexpr uint32_t kPngLargestSide = 0x7FFFFFFFu;

// The whole file, at most `limit` bytes; false when missing or larger.
bool ReadWhole(const std::string& realPath, size_t limit, std::vector<uint8_t>& out) {
    // Not a named pipe or device: opening one could block for good.
    if (realPath.empty() || !media_internal::IsRegularFile(realPath)) return false;
    FILE* file = std::fopen(realPath.c_str(), "rb");
    if (!file) return false;
    std::fseek(file, 0, SEEK_END);
    const long size = std::ftell(file);
    std::rewind(file);
    bool ok = size > 0 && static_cast<size_t>(size) <= limit;
    if (ok) {
        out.resize(static_cast<size_t>(size));
        ok = std::fread(out.data(), 1, out.size(), file) == out.size();
    }
    std::fclose(file);
    return ok;
}

} // namespace

PixmapPtr DecodePngFile(const std::string& realPath, int maxSide) {
    std::vector<uint8_t> bytes;
    if (!ReadWhole(realPath, kPngMaxBytes, bytes)) return nullptr;
    return media_internal::DecodePngBytes(bytes.data(), bytes.size(), maxSide);
}

bool ReadPngFileSize(const std::string& realPath, int& width, int& height) {
    if (realPath.empty() || !media_internal::IsRegularFile(realPath)) return false;
    FILE* file = std::fopen(realPath.c_str(), "rb");
    if (!file) return false;
    // Signature, IHDR chunk length and type, then width and height.
    std::array<uint8_t, 24> header{};
    const bool complete = std::fread(header.data(), 1, header.size(), file) == header.size();
    std::fclose(file);
    static constexpr uint8_t kSignature[8] = {137, 'P', 'N', 'G', '\r', '\n', 26, '\n'};
    if (!complete || std::memcmp(header.data(), kSignature, 8) != 0) return false;
    if (std::memcmp(header.data() + 12, "IHDR", 4) != 0) return false;
    auto bigEndian = [&](std::size_t at) {
        return uint32_t{header[at]} << 24 | uint32_t{header[at + 1]} << 16 |
               uint32_t{header[at + 2]} << 8 | uint32_t{header[at + 3]};
    };
    const uint32_t w = bigEndian(16);
    const uint32_t h = bigEndian(20);
    if (w == 0 || h == 0 || w > kPngLargestSide || h > kPngLargestSide) return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

bool PictureSize(const std::string& path, int& width, int& height) {
    return ReadPngFileSize(ResolvePath(path), width, height);
}

PixmapPtr DecodePngMemory(const uint8_t* data, size_t size) {
    return media_internal::DecodePngBytes(data, size, kPngMaxSide);
}
