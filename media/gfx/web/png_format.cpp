#include "media/gfx/web/png_format.h"

#include <array>
#include <cstring>
#include <vector>

#include "media/gfx/image_data.h"
#include "media/gfx/png_decoder.h"
#include "media/gfx/web/inflate.h"

namespace media_internal {
namespace {

constexpr uint8_t kSignature[8] = {137, 'P', 'N', 'G', '\r', '\n', 26, '\n'};
// Deflate shrinks data at most about 1032:1: a file far smaller than its
// pixel stream needs must be cut short (the desktop decoder's rule).
constexpr double kMaxDeflateRatio = 1100;
constexpr size_t kMaxChunk = size_t{16} << 20;

uint32_t BigEndian(const uint8_t* p) {
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

uint32_t Crc32(const uint8_t* p, size_t n) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = 0; i < n; ++i)
        c = table[(c ^ p[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

struct PngInfo {
    uint32_t width = 0, height = 0;
    int depth = 0, colorType = 0;
    int channels = 0;             // samples per pixel in the file
    std::vector<uint8_t> palette; // RGB triples
    std::vector<uint8_t> paletteAlpha;
    std::vector<uint8_t> stream; // the IDAT chunks joined
    bool dataStarted = false;    // an IDAT was read
    bool dataEnded = false;      // another chunk followed the IDATs
    bool transparencyRead = false;
};

bool ValidDepth(int colorType, int depth) {
    switch (colorType) {
    case 0:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2:
    case 4:
    case 6:
        return depth == 8 || depth == 16;
    default:
        return false;
    }
}

bool ReadHeader(const uint8_t* d, uint32_t length, PngInfo& info) {
    if (length != 13) return false;
    info.width = BigEndian(d);
    info.height = BigEndian(d + 4);
    info.depth = d[8];
    info.colorType = d[9];
    static constexpr int kChannels[7] = {1, 0, 3, 1, 2, 0, 4};
    // Compression and filter method 0; interlaced pictures are refused.
    if (!ValidDepth(info.colorType, info.depth) || d[10] != 0 || d[11] != 0 || d[12] != 0)
        return false;
    info.channels = kChannels[info.colorType];
    return info.width > 0 && info.height > 0;
}

// A chunk type is four ASCII letters; their case tells the chunk's kind.
bool ValidChunkType(const uint8_t* type) {
    for (int i = 0; i < 4; ++i)
        if (!((type[i] >= 'A' && type[i] <= 'Z') || (type[i] >= 'a' && type[i] <= 'z')))
            return false;
    return true;
}

// The palette's transparency, read as libpng reads it: a chunk out of place,
// repeated or longer than the palette is ignored, not an error.
void ReadTransparency(const uint8_t* d, uint32_t length, PngInfo& info) {
    const size_t entries = std::min<size_t>(info.palette.size() / 3, size_t{1} << info.depth);
    const bool usable = info.colorType == 3 && !info.palette.empty() && !info.dataStarted &&
                        !info.transparencyRead && length > 0 && length <= entries;
    if (info.colorType == 3) info.transparencyRead = true;
    if (usable) info.paletteAlpha.assign(d, d + length);
}

// One chunk: false on damage; `end` set when the image's data is complete.
// Chunk order is held to what libpng accepts, so both readers agree: one
// palette, before the data, and the data chunks in one run.
bool ReadChunk(const uint8_t* type, const uint8_t* d, uint32_t length, PngInfo& info, bool& end) {
    const bool data = std::memcmp(type, "IDAT", 4) == 0;
    if (info.dataStarted && !data) info.dataEnded = true;
    if (std::memcmp(type, "IHDR", 4) == 0) return false; // only once, first
    if (std::memcmp(type, "PLTE", 4) == 0) {
        if (length % 3 != 0 || length > 768 || !info.palette.empty() || info.dataStarted)
            return false;
        info.palette.assign(d, d + length);
    } else if (std::memcmp(type, "tRNS", 4) == 0) {
        ReadTransparency(d, length, info);
    } else if (data) {
        if (info.dataEnded || (info.colorType == 3 && info.palette.empty())) return false;
        info.dataStarted = true;
        info.stream.insert(info.stream.end(), d, d + length);
    } else if (std::memcmp(type, "IEND", 4) == 0) {
        end = true;
    } else if (!(type[0] & 0x20)) {
        return false; // an unknown critical chunk
    }
    return true;
}

// Signature, header and every chunk up to IEND, each checked by its CRC.
bool ReadChunks(const uint8_t* data, size_t size, int maxSide, PngInfo& info) {
    if (size < 8 + 25 || std::memcmp(data, kSignature, 8) != 0) return false;
    size_t at = 8;
    bool end = false;
    for (bool first = true; !end; first = false) {
        if (size - at < 12) return false;
        const uint32_t length = BigEndian(data + at);
        if (length > kMaxChunk || size - at - 12 < length) return false;
        const uint8_t* type = data + at + 4;
        if (!ValidChunkType(type) || Crc32(type, length + 4) != BigEndian(type + 4 + length))
            return false;
        if (first) {
            if (std::memcmp(type, "IHDR", 4) != 0 || !ReadHeader(type + 4, length, info))
                return false;
            if (info.width > static_cast<uint32_t>(maxSide) ||
                info.height > static_cast<uint32_t>(maxSide))
                return false;
        } else if (!ReadChunk(type, type + 4, length, info, end)) {
            return false;
        }
        at += 12 + length;
    }
    return !(info.colorType == 3 && info.palette.empty());
}

int Paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// The predictor a row's filter adds back to each byte: from the byte to the
// left (a), above (b) and above-left (c).
int Predictor(int filter, int a, int b, int c) {
    switch (filter) {
    case 1:
        return a;
    case 2:
        return b;
    case 3:
        return (a + b) / 2;
    case 4:
        return Paeth(a, b, c);
    default:
        return 0;
    }
}

// One row, in place; `up` is the row above, already unfiltered (null for the first).
void UnfilterRow(uint8_t* row, const uint8_t* up, size_t rowBytes, size_t bpp, int filter) {
    for (size_t x = 0; x < rowBytes; ++x) {
        const int a = x >= bpp ? row[x - bpp] : 0;
        const int b = up ? up[x] : 0;
        const int c = up && x >= bpp ? up[x - bpp] : 0;
        row[x] = static_cast<uint8_t>(row[x] + Predictor(filter, a, b, c));
    }
}

// Undoes the row filters in place; `raw` holds each row after its filter byte.
bool Unfilter(std::vector<uint8_t>& raw, size_t rowBytes, uint32_t height, size_t bpp) {
    const size_t stride = rowBytes + 1;
    for (uint32_t y = 0; y < height; ++y) {
        uint8_t* row = raw.data() + stride * y + 1;
        if (row[-1] > 4) return false;
        UnfilterRow(row, y > 0 ? row - stride : nullptr, rowBytes, bpp, row[-1]);
    }
    return true;
}

// Sample k of a row at `depth` bits, scaled to 8 bits as libpng expands grey
// (1, 2 and 4 bits stretched to 0-255, 16 bits cut to the high byte).
int Sample(const uint8_t* row, size_t k, int depth, bool scale) {
    if (depth == 8) return row[k];
    if (depth == 16) return row[k * 2];
    const size_t bit = k * static_cast<size_t>(depth);
    const int value =
        (row[bit / 8] >> (8 - depth - static_cast<int>(bit % 8))) & ((1 << depth) - 1);
    return scale ? value * 255 / ((1 << depth) - 1) : value;
}

int OutputChannels(const PngInfo& info) {
    if (info.colorType == 3) return info.paletteAlpha.empty() ? 3 : 4;
    if (info.colorType == 4) return 4; // grey with alpha becomes RGBA
    return info.channels;
}

void ConvertRow(const PngInfo& info, const uint8_t* row, uint8_t* out) {
    const int outChannels = OutputChannels(info);
    for (uint32_t x = 0; x < info.width; ++x, out += outChannels) {
        if (info.colorType == 3) {
            const size_t index = static_cast<size_t>(Sample(row, x, info.depth, false));
            const bool known = index * 3 + 2 < info.palette.size();
            for (int c = 0; c < 3; ++c)
                out[c] = known ? info.palette[index * 3 + c] : 0;
            if (outChannels == 4)
                out[3] = index < info.paletteAlpha.size() ? info.paletteAlpha[index] : 255;
        } else if (info.colorType == 4) {
            out[0] = out[1] = out[2] =
                static_cast<uint8_t>(Sample(row, size_t{x} * 2, info.depth, true));
            out[3] = static_cast<uint8_t>(Sample(row, size_t{x} * 2 + 1, info.depth, true));
        } else {
            for (int c = 0; c < info.channels; ++c)
                out[c] = static_cast<uint8_t>(
                    Sample(row, x * static_cast<size_t>(info.channels) + c, info.depth, true));
        }
    }
}

} // namespace

PixmapPtr DecodePngBytes(const uint8_t* data, size_t size, int maxSide) {
    PngInfo info;
    if (!data || !ReadChunks(data, size, maxSide, info)) return nullptr;
    const size_t bits = static_cast<size_t>(info.channels) * static_cast<size_t>(info.depth);
    const size_t rowBytes = (size_t{info.width} * bits + 7) / 8;
    const int outChannels = OutputChannels(info);
    const size_t pitch = size_t{info.width} * static_cast<size_t>(outChannels);
    const double streamBytes = (static_cast<double>(rowBytes) + 1) * info.height;
    if (pitch * info.height > kPngMaxBytes || streamBytes > static_cast<double>(kPngMaxBytes) ||
        streamBytes / kMaxDeflateRatio > static_cast<double>(size))
        return nullptr;
    std::vector<uint8_t> raw;
    if (!InflateZlib(info.stream.data(), info.stream.size(), (rowBytes + 1) * info.height, raw) ||
        !Unfilter(raw, rowBytes, info.height, std::max<size_t>(1, bits / 8)))
        return nullptr;
    auto pixmap = std::make_shared<Pixmap>();
    pixmap->width = static_cast<int>(info.width);
    pixmap->height = static_cast<int>(info.height);
    pixmap->pitch = static_cast<int>(pitch);
    pixmap->format = outChannels == 1 ? PF_I8 : outChannels == 3 ? PF_RGB888 : PF_RGBA8888;
    pixmap->pixels.resize(pitch * info.height);
    for (uint32_t y = 0; y < info.height; ++y)
        ConvertRow(info, raw.data() + (rowBytes + 1) * y + 1, pixmap->pixels.data() + pitch * y);
    return pixmap;
}

} // namespace media_internal
