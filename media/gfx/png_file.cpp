// A PNG file's size read from its header, and opening it safely: the same
// on every backend.
#include <array>
#include <cstdio>
#include <cstring>

#include "media/files.h"
#include "media/gfx/png_decoder.h"
#include "media/graphics.h"
#include "media/system/path_resolver.h"

namespace {

// PNG allows sides up to 2^31 - 1.
constexpr uint32_t kPngLargestSide = 0x7FFFFFFFu;
constexpr uint8_t kSignature[8] = {137, 'P', 'N', 'G', '\r', '\n', 26, '\n'};

} // namespace

FILE* media_internal::OpenRegularFile(const std::string& realPath, size_t& size) {
    size = 0;
    if (realPath.empty() || !IsRegularFile(realPath)) return nullptr;
    FILE* file = std::fopen(realPath.c_str(), "rb");
    if (!file) return nullptr;
    std::fseek(file, 0, SEEK_END);
    const long length = std::ftell(file);
    std::rewind(file);
    size = length > 0 ? static_cast<size_t>(length) : 0;
    return file;
}

bool media_internal::ReadPngFileSize(const std::string& realPath, int& width, int& height) {
    size_t size = 0;
    FILE* file = OpenRegularFile(realPath, size);
    if (!file) return false;
    // Signature, IHDR chunk length and type, then width and height.
    std::array<uint8_t, 24> header{};
    const bool complete = std::fread(header.data(), 1, header.size(), file) == header.size();
    std::fclose(file);
    if (!complete || std::memcmp(header.data(), kSignature, 8) != 0) return false;
    if (std::memcmp(header.data() + 12, "IHDR", 4) != 0) return false;
    auto bigEndian = [&](std::size_t at) {
        return uint32_t{header[at]} << 24 | uint32_t{header[at + 1]} << 16 |
               uint32_t{header[at + 2]} << 8 | uint32_t{header[at + 3]};
    };
    const uint32_t w = bigEndian(16);
    const uint32_t h = bigEndian(20);
    // PNG's own bounds; larger than the decoder takes is for the caller to judge.
    if (w == 0 || h == 0 || w > kPngLargestSide || h > kPngLargestSide) return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

int media_internal::PngFileFault(const std::string& realPath, int maxSide) {
    if (realPath.empty()) return PICTURE_MISSING;
    int width = 0, height = 0;
    if (ReadPngFileSize(realPath, width, height) && (width > maxSide || height > maxSide))
        return PICTURE_TOO_LARGE;
    return PICTURE_DAMAGED;
}

bool PictureSize(const std::string& path, int& width, int& height) {
    return media_internal::ReadPngFileSize(ResolvePath(path), width, height);
}
