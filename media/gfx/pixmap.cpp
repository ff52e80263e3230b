// Decoded pixel buffers: loading, size queries and reading single pixels.
#include <algorithm>

#include "media/files.h"
#include "media/gfx/image_data.h"
#include "media/gfx/png_decoder.h"
#include "media/graphics.h"
#include "media/program.h"

namespace {
const Pixmap& Checked(const PixmapPtr& pixmap) {
    if (!pixmap) FatalError("Pixmap does not exist");
    return *pixmap;
}

int BytesPerPixel(int format) {
    switch (format) {
    case PF_I8:
    case PF_A8:
        return 1;
    case PF_BGR888:
    case PF_RGB888:
        return 3;
    default:
        return 4;
    }
}

uint32_t Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
    return (a << 24) | (r << 16) | (g << 8) | b;
}
} // namespace

PixmapPtr LoadPixmapFile(const std::string& path, int maxSide, int* fault) {
    const bool own = maxSide <= 0 || maxSide > media_internal::kPngMaxSide;
    const int limit = own ? media_internal::kPngMaxSide : maxSide;
    const std::string real = ResolvePath(path);
    PixmapPtr pixmap = media_internal::DecodePngFile(real, limit);
    // The reason is looked for only after a refusal: loading stays one read.
    if (fault) *fault = pixmap ? PICTURE_LOADED : media_internal::PngFileFault(real, limit);
    return pixmap;
}

int PixmapWidth(const PixmapPtr& pixmap) {
    return Checked(pixmap).width;
}
int PixmapHeight(const PixmapPtr& pixmap) {
    return Checked(pixmap).height;
}
int PixmapFormat(const PixmapPtr& pixmap) {
    return Checked(pixmap).format;
}

uint32_t ReadPixel(const PixmapPtr& pixmap, int x, int y) {
    const Pixmap& p = Checked(pixmap);
    // Outside the buffer is a caller error; answer 0 rather than read stray memory.
    if (x < 0 || y < 0 || x >= p.width || y >= p.height) return 0;
    const uint8_t* s = p.pixels.data() + static_cast<size_t>(y) * p.pitch +
                       static_cast<size_t>(x) * BytesPerPixel(p.format);
    switch (p.format) {
    case PF_I8:
        return 0xFF000000u + s[0] * 0x10101u;
    case PF_A8:
        return (uint32_t{s[0]} << 24) + 0xFFFFFFu;
    case PF_BGR888:
        return Argb(0xFF, s[2], s[1], s[0]);
    case PF_RGB888:
        return Argb(0xFF, s[0], s[1], s[2]);
    case PF_BGRA8888:
        return Argb(s[3], s[2], s[1], s[0]);
    case PF_RGBA8888:
        return Argb(s[3], s[0], s[1], s[2]);
    default:
        return 0;
    }
}

void ReadPixelRow(const PixmapPtr& pixmap, int y, uint32_t* out) {
    const Pixmap& p = Checked(pixmap);
    if (y < 0 || y >= p.height) {
        std::fill(out, out + p.width, 0u);
        return;
    }
    // One format decision per row: a 4096-pixel-wide map has 16 million pixels.
    const uint8_t* s = p.pixels.data() + static_cast<size_t>(y) * p.pitch;
    const int step = BytesPerPixel(p.format);
    for (int x = 0; x < p.width; ++x, s += step) {
        switch (p.format) {
        case PF_I8:
            out[x] = 0xFF000000u + s[0] * 0x10101u;
            break;
        case PF_A8:
            out[x] = (uint32_t{s[0]} << 24) + 0xFFFFFFu;
            break;
        case PF_BGR888:
            out[x] = Argb(0xFF, s[2], s[1], s[0]);
            break;
        case PF_RGB888:
            out[x] = Argb(0xFF, s[0], s[1], s[2]);
            break;
        case PF_BGRA8888:
            out[x] = Argb(s[3], s[2], s[1], s[0]);
            break;
        case PF_RGBA8888:
            out[x] = Argb(s[3], s[0], s[1], s[2]);
            break;
        default:
            out[x] = 0;
        }
    }
}

std::vector<uint8_t> media_internal::PixmapRegionToRgba(const Pixmap& p, int x0, int y0, int w,
                                                        int h, bool masked, int maskR, int maskG,
                                                        int maskB) {
    std::vector<uint8_t> out(static_cast<size_t>(w) * h * 4);
    const bool hasAlpha = p.format == PF_A8 || p.format == PF_BGRA8888 || p.format == PF_RGBA8888;
    const int bpp = BytesPerPixel(p.format);
    uint8_t* d = out.data();
    for (int y = 0; y < h; ++y) {
        const uint8_t* s =
            p.pixels.data() + static_cast<size_t>(y0 + y) * p.pitch + static_cast<size_t>(x0) * bpp;
        for (int x = 0; x < w; ++x, s += bpp, d += 4) {
            uint8_t r = 0, g = 0, b = 0, a = 255;
            switch (p.format) {
            case PF_I8:
                r = g = b = s[0];
                break;
            case PF_A8:
                r = g = b = 255, a = s[0];
                break;
            case PF_BGR888:
                r = s[2], g = s[1], b = s[0];
                break;
            case PF_RGB888:
                r = s[0], g = s[1], b = s[2];
                break;
            case PF_BGRA8888:
                r = s[2], g = s[1], b = s[0], a = s[3];
                break;
            case PF_RGBA8888:
                r = s[0], g = s[1], b = s[2], a = s[3];
                break;
            }
            if (masked && !hasAlpha && r == maskR && g == maskG && b == maskB) a = 0;
            d[0] = r, d[1] = g, d[2] = b, d[3] = a;
        }
    }
    return out;
}
