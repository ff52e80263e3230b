#include "media/gfx/native/png_writer.h"

#include <cstdio>

#include <zlib.h>

namespace {

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v >> 24));
    out.push_back(static_cast<uint8_t>(v >> 16));
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}

void Chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& body) {
    Put32(out, static_cast<uint32_t>(body.size()));
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    uLong crc = crc32(0L, out.data() + start, static_cast<uInt>(out.size() - start));
    Put32(out, static_cast<uint32_t>(crc));
}

std::vector<uint8_t> Encode(int width, int height, int channels, const uint8_t* pixels, int level) {
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

    std::vector<uint8_t> ihdr;
    Put32(ihdr, static_cast<uint32_t>(width));
    Put32(ihdr, static_cast<uint32_t>(height));
    ihdr.push_back(8);                     // bit depth
    ihdr.push_back(channels == 4 ? 6 : 2); // colour type RGBA / RGB
    ihdr.push_back(0);                     // deflate
    ihdr.push_back(0);                     // adaptive filtering
    ihdr.push_back(0);                     // no interlace
    Chunk(out, "IHDR", ihdr);

    // Filter type "Sub" on every row: cheap, fixed, and compresses flat art well.
    size_t stride = static_cast<size_t>(width) * channels;
    std::vector<uint8_t> raw;
    raw.reserve((stride + 1) * height);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = pixels + y * stride;
        raw.push_back(1);
        for (size_t i = 0; i < stride; ++i) {
            uint8_t left = i >= static_cast<size_t>(channels) ? row[i - channels] : 0;
            raw.push_back(static_cast<uint8_t>(row[i] - left));
        }
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), level) !=
        Z_OK)
        return {};
    packed.resize(packedSize);
    Chunk(out, "IDAT", packed);
    Chunk(out, "IEND", {});
    return out;
}

bool Fits(int width, int height, int channels) {
    // One IDAT chunk holds the picture, and a chunk holds less than 2^31 bytes.
    return width > 0 && height > 0 && (channels == 3 || channels == 4) &&
           static_cast<uint64_t>(width) * height * channels < (uint64_t{1} << 31);
}

} // namespace

std::vector<uint8_t> media_internal::EncodePng(int width, int height, int channels,
                                               const std::vector<uint8_t>& pixels, int level) {
    if (!Fits(width, height, channels) ||
        pixels.size() != static_cast<size_t>(width) * height * channels)
        return {};
    return Encode(width, height, channels, pixels.data(), level);
}

bool media_internal::WritePng(const std::string& path, int width, int height, int channels,
                              const uint8_t* pixels, int level) {
    if (!Fits(width, height, channels) || !pixels) return false;
    const std::vector<uint8_t> png = Encode(width, height, channels, pixels, level);
    if (png.empty()) return false;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && written;
}
