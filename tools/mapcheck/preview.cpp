#include "preview.h"

#include <vector>

#include "media/gfx/native/png_writer.h"
#include "media/graphics.h"

namespace mapcheck {
namespace {

struct Sheet {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;
};

bool ReadSheet(const std::string& path, Sheet& s, std::string& error) {
    PixmapPtr sheet = LoadPixmapFile(path);
    if (!sheet) {
        error = "cannot read " + path;
        return false;
    }
    s.width = PixmapWidth(sheet);
    s.height = PixmapHeight(sheet);
    s.rgba.resize(static_cast<size_t>(s.width) * s.height * 4);
    std::vector<uint32_t> row(static_cast<size_t>(s.width));
    for (int y = 0; y < s.height; ++y) {
        ReadPixelRow(sheet, y, row.data());
        uint8_t* out = &s.rgba[static_cast<size_t>(y) * s.width * 4];
        for (uint32_t argb : row) {
            *out++ = static_cast<uint8_t>(argb >> 16);
            *out++ = static_cast<uint8_t>(argb >> 8);
            *out++ = static_cast<uint8_t>(argb);
            *out++ = static_cast<uint8_t>(argb >> 24);
        }
    }
    return true;
}

// Alpha-blends 32 x 32 cell `cell` of a one-row sheet onto the canvas.
void DrawCell(std::vector<uint8_t>& out, int outW, const Sheet& s, int cell, int px, int py) {
    if ((cell + 1) * 32 > s.width || s.height < 32) return;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const uint8_t* src =
                &s.rgba[(static_cast<size_t>(y) * s.width + static_cast<size_t>(cell) * 32 + x) *
                        4];
            uint8_t* dst = &out[(static_cast<size_t>(py + y) * outW + px + x) * 4];
            for (int k = 0; k < 3; ++k)
                dst[k] = static_cast<uint8_t>((src[k] * src[3] + dst[k] * (255 - src[3])) / 255);
            dst[3] = 255;
        }
}

} // namespace

bool WritePreview(const MapData& map, const std::string& gfxDir, const std::string& outPath,
                  int shrink, std::string& error) {
    if (shrink < 1 || shrink > 8 || map.width <= 0 || map.height <= 0) {
        error = "bad preview size";
        return false;
    }
    Sheet tiles, items;
    if (!ReadSheet(gfxDir + "/basetiles2.png", tiles, error) ||
        !ReadSheet(gfxDir + "/objects.png", items, error))
        return false;
    const int w = map.width * 32, h = map.height * 32;
    std::vector<uint8_t> full(static_cast<size_t>(w) * h * 4, 255);
    for (int y = 0; y < map.height; ++y)
        for (int x = 0; x < map.width; ++x) {
            DrawCell(full, w, tiles, map.GroundAt(x, y), x * 32, y * 32);
            int item = map.ItemAt(x, y);
            if (item >= 1 && item <= kMaxItemId) DrawCell(full, w, items, item - 1, x * 32, y * 32);
        }
    int sx = 0, sy = 0;
    if (FindStart(map, sx, sy))
        for (int k = 0; k < 32; ++k)
            for (int t = 0; t < 2; ++t) {
                int pts[4][2] = {{sx * 32 + k, sy * 32 + t},
                                 {sx * 32 + k, sy * 32 + 31 - t},
                                 {sx * 32 + t, sy * 32 + k},
                                 {sx * 32 + 31 - t, sy * 32 + k}};
                for (auto& p : pts) {
                    uint8_t* d = &full[(static_cast<size_t>(p[1]) * w + p[0]) * 4];
                    d[0] = 230;
                    d[1] = d[2] = 20;
                }
            }
    // Box-filter down by `shrink`.
    const int ow = w / shrink, oh = h / shrink;
    std::vector<uint8_t> out(static_cast<size_t>(ow) * oh * 4);
    for (int y = 0; y < oh; ++y)
        for (int x = 0; x < ow; ++x)
            for (int k = 0; k < 4; ++k) {
                int sum = 0;
                for (int j = 0; j < shrink; ++j)
                    for (int i = 0; i < shrink; ++i)
                        sum += full[(static_cast<size_t>(y * shrink + j) * w +
                                     static_cast<size_t>(x * shrink + i)) *
                                        4 +
                                    k];
                out[(static_cast<size_t>(y) * ow + x) * 4 + k] =
                    static_cast<uint8_t>(sum / (shrink * shrink));
            }
    if (!media_internal::WritePng(outPath, ow, oh, 4, out.data())) {
        error = "cannot write " + outPath;
        return false;
    }
    return true;
}

} // namespace mapcheck
