#include "ttf_writer.h"

#include <algorithm>
#include <map>
#include <string>

#include "pixel_font.h"

namespace assetgen {
namespace {

constexpr int P = kTtfPixelUnits;
constexpr int kAscender = 8 * P; // one pixel of headroom above the capitals
constexpr int kDescender = -2 * P;

using Bytes = std::vector<uint8_t>;

void u16(Bytes& b, int v) {
    b.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
    b.push_back(static_cast<uint8_t>(v & 0xFF));
}
void u32(Bytes& b, uint32_t v) {
    u16(b, static_cast<int>(v >> 16));
    u16(b, static_cast<int>(v & 0xFFFF));
}
void pad4(Bytes& b) {
    while (b.size() % 4)
        b.push_back(0);
}

uint32_t checksum(const Bytes& b) {
    uint32_t sum = 0;
    for (size_t i = 0; i < b.size(); i += 4) {
        uint32_t word = 0;
        for (size_t k = 0; k < 4; ++k)
            word = (word << 8) | (i + k < b.size() ? b[i + k] : 0);
        sum += word;
    }
    return sum;
}

struct Rect {
    int x0, y0, x1, y1; // font units, y up
};

// Horizontal runs per row, merged downwards while a run keeps the same span.
std::vector<Rect> glyphRects(const bool on[kGlyphRows][kGlyphCols]) {
    struct Open {
        int c0, c1, rowTop, rowBottom;
    };
    std::vector<Open> done, open;
    for (int r = 0; r < kGlyphRows; ++r) {
        std::vector<std::pair<int, int>> runs;
        for (int c = 0; c < kGlyphCols;) {
            if (!on[r][c]) {
                ++c;
                continue;
            }
            int s = c;
            while (c < kGlyphCols && on[r][c])
                ++c;
            runs.push_back({s, c});
        }
        std::vector<Open> next;
        for (auto [c0, c1] : runs) {
            auto it = std::find_if(open.begin(), open.end(),
                                   [&](const Open& o) { return o.c0 == c0 && o.c1 == c1; });
            if (it != open.end()) {
                it->rowBottom = r;
                next.push_back(*it);
                open.erase(it);
            } else {
                next.push_back({c0, c1, r, r});
            }
        }
        done.insert(done.end(), open.begin(), open.end());
        open = next;
    }
    done.insert(done.end(), open.begin(), open.end());
    std::vector<Rect> rects;
    for (const Open& o : done)
        rects.push_back({o.c0 * P, (kBaselineRow - 1 - o.rowBottom) * P, o.c1 * P,
                         (kBaselineRow - o.rowTop) * P});
    std::sort(rects.begin(), rects.end(), [](const Rect& a, const Rect& b) {
        return a.y1 != b.y1 ? a.y1 > b.y1 : a.x0 < b.x0;
    });
    return rects;
}

struct GlyphData {
    Bytes glyf;
    int xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    int points = 0, contours = 0;
};

GlyphData encodeGlyph(const std::vector<Rect>& rects) {
    GlyphData g;
    if (rects.empty()) return g; // blank glyph: zero-length entry
    g.xMin = g.yMin = 1 << 20;
    g.xMax = g.yMax = -(1 << 20);
    for (const Rect& r : rects) {
        g.xMin = std::min(g.xMin, r.x0);
        g.yMin = std::min(g.yMin, r.y0);
        g.xMax = std::max(g.xMax, r.x1);
        g.yMax = std::max(g.yMax, r.y1);
    }
    g.contours = static_cast<int>(rects.size());
    g.points = 4 * g.contours;
    Bytes& b = g.glyf;
    u16(b, g.contours);
    u16(b, g.xMin);
    u16(b, g.yMin);
    u16(b, g.xMax);
    u16(b, g.yMax);
    for (int i = 0; i < g.contours; ++i)
        u16(b, i * 4 + 3);
    u16(b, 0); // no instructions
    for (int i = 0; i < g.points; ++i)
        b.push_back(0x01); // on-curve, 16-bit deltas
    // Clockwise outer contours (y up): up the left edge, along the top, down the right.
    std::vector<std::pair<int, int>> pts;
    for (const Rect& r : rects) {
        pts.push_back({r.x0, r.y0});
        pts.push_back({r.x0, r.y1});
        pts.push_back({r.x1, r.y1});
        pts.push_back({r.x1, r.y0});
    }
    int last = 0;
    for (auto& p : pts) {
        u16(b, p.first - last);
        last = p.first;
    }
    last = 0;
    for (auto& p : pts) {
        u16(b, p.second - last);
        last = p.second;
    }
    pad4(b);
    return g;
}

Bytes nameTable() {
    const std::map<int, std::string> names = {
        {0, "Drawn for the game Palmut."}, {1, "Palmut Pixel"},         {2, "Regular"},
        {3, "Palmut Pixel Regular 1.0"},   {4, "Palmut Pixel Regular"}, {5, "Version 1.0"},
        {6, "PalmutPixel-Regular"},
    };
    Bytes records, strings;
    for (auto& [id, text] : names) {
        Bytes utf16;
        for (char c : text)
            u16(utf16, static_cast<unsigned char>(c));
        u16(records, 3);      // Windows
        u16(records, 1);      // Unicode BMP
        u16(records, 0x0409); // English (US)
        u16(records, id);
        u16(records, static_cast<int>(utf16.size()));
        u16(records, static_cast<int>(strings.size()));
        strings.insert(strings.end(), utf16.begin(), utf16.end());
    }
    Bytes b;
    u16(b, 0);
    u16(b, static_cast<int>(names.size()));
    u16(b, 6 + static_cast<int>(records.size()));
    b.insert(b.end(), records.begin(), records.end());
    b.insert(b.end(), strings.begin(), strings.end());
    return b;
}

Bytes cmapTable(const std::vector<Glyph>& glyphs) {
    // Segments of consecutive codes; glyph ids follow code order (0 is .notdef).
    struct Seg {
        int start, end, delta;
    };
    std::vector<Seg> segs;
    for (size_t i = 0; i < glyphs.size(); ++i) {
        int code = static_cast<int>(glyphs[i].code), gid = static_cast<int>(i) + 1;
        if (!segs.empty() && segs.back().end + 1 == code &&
            segs.back().delta == ((gid - code) & 0xFFFF))
            segs.back().end = code;
        else
            segs.push_back({code, code, (gid - code) & 0xFFFF});
    }
    segs.push_back({0xFFFF, 0xFFFF, 1});
    int n = static_cast<int>(segs.size());
    int searchRange = 1, entrySelector = 0;
    while (searchRange * 2 <= n) {
        searchRange *= 2;
        ++entrySelector;
    }
    searchRange *= 2;
    Bytes sub;
    u16(sub, 4);
    u16(sub, 16 + 8 * n);
    u16(sub, 0);
    u16(sub, 2 * n);
    u16(sub, searchRange);
    u16(sub, entrySelector);
    u16(sub, 2 * n - searchRange);
    for (auto& s : segs)
        u16(sub, s.end);
    u16(sub, 0);
    for (auto& s : segs)
        u16(sub, s.start);
    for (auto& s : segs)
        u16(sub, s.delta);
    for (int i = 0; i < n; ++i)
        u16(sub, 0);

    Bytes b;
    u16(b, 0);
    u16(b, 2);
    u16(b, 0); // Unicode platform
    u16(b, 3);
    u32(b, 20);
    u16(b, 3); // Windows, Unicode BMP: both records share one subtable
    u16(b, 1);
    u32(b, 20);
    b.insert(b.end(), sub.begin(), sub.end());
    return b;
}

} // namespace

std::vector<uint8_t> buildPixelTtf() {
    const auto& glyphs = pixelGlyphs();
    std::vector<GlyphData> data;
    // .notdef: a hollow box
    data.push_back(encodeGlyph(
        {{0, 0, 4 * P, P}, {0, P, P, 6 * P}, {3 * P, P, 4 * P, 6 * P}, {0, 6 * P, 4 * P, 7 * P}}));
    for (const Glyph& g : glyphs)
        data.push_back(encodeGlyph(glyphRects(g.on)));
    const int numGlyphs = static_cast<int>(data.size());
    const int advance = kAdvanceCols * P;

    Bytes glyf, loca;
    int maxPoints = 0, maxContours = 0;
    int xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    for (const GlyphData& g : data) {
        u32(loca, static_cast<uint32_t>(glyf.size()));
        glyf.insert(glyf.end(), g.glyf.begin(), g.glyf.end());
        maxPoints = std::max(maxPoints, g.points);
        maxContours = std::max(maxContours, g.contours);
        if (g.contours) {
            xMin = std::min(xMin, g.xMin);
            yMin = std::min(yMin, g.yMin);
            xMax = std::max(xMax, g.xMax);
            yMax = std::max(yMax, g.yMax);
        }
    }
    u32(loca, static_cast<uint32_t>(glyf.size()));

    Bytes head;
    u32(head, 0x00010000);
    u32(head, 0x00010000);
    u32(head, 0); // checkSumAdjustment, patched below
    u32(head, 0x5F0F3CF5);
    u16(head, 0x000B);
    u16(head, kTtfUnitsPerEm);
    for (int i = 0; i < 4; ++i)
        u32(head, 0); // created / modified: none, keeps output stable
    u16(head, xMin);
    u16(head, yMin);
    u16(head, xMax);
    u16(head, yMax);
    u16(head, 0);
    u16(head, 8);
    u16(head, 2);
    u16(head, 1); // long loca offsets
    u16(head, 0);

    Bytes hhea;
    u32(hhea, 0x00010000);
    u16(hhea, kAscender);
    u16(hhea, kDescender);
    u16(hhea, 0);
    u16(hhea, advance);
    u16(hhea, 0);
    u16(hhea, 0);
    u16(hhea, xMax);
    u16(hhea, 1);
    u16(hhea, 0);
    u16(hhea, 0);
    for (int i = 0; i < 4; ++i)
        u16(hhea, 0);
    u16(hhea, 0);
    u16(hhea, numGlyphs);

    Bytes hmtx;
    for (const GlyphData& g : data) {
        u16(hmtx, advance);
        u16(hmtx, g.contours ? g.xMin : 0);
    }

    Bytes maxp;
    u32(maxp, 0x00010000);
    u16(maxp, numGlyphs);
    u16(maxp, maxPoints);
    u16(maxp, maxContours);
    u16(maxp, 0);
    u16(maxp, 0);
    u16(maxp, 2);
    for (int i = 0; i < 8; ++i)
        u16(maxp, 0);

    Bytes os2;
    u16(os2, 4);
    u16(os2, advance);
    u16(os2, 400);
    u16(os2, 5);
    u16(os2, 0); // installable embedding
    const int sub[] = {3 * P, 3 * P, 0, P, 3 * P, 3 * P, 0, 4 * P, P / 2, 3 * P};
    for (int v : sub)
        u16(os2, v);
    u16(os2, 0);
    for (int i = 0; i < 10; ++i)
        os2.push_back(0);
    u32(os2, 0x00000003); // Basic Latin, Latin-1 Supplement
    u32(os2, 0);
    u32(os2, 0);
    u32(os2, 0);
    for (char c : std::string("PLMT"))
        os2.push_back(static_cast<uint8_t>(c));
    u16(os2, 0x0040);
    u16(os2, static_cast<int>(glyphs.front().code));
    u16(os2, static_cast<int>(glyphs.back().code));
    u16(os2, kAscender);
    u16(os2, kDescender);
    u16(os2, 0);
    u16(os2, kAscender);
    u16(os2, -kDescender);
    u32(os2, 1); // Latin 1 code page
    u32(os2, 0);
    u16(os2, 5 * P);
    u16(os2, 7 * P);
    u16(os2, 0);
    u16(os2, 32);
    u16(os2, 1);

    Bytes post;
    u32(post, 0x00030000);
    u32(post, 0);
    u16(post, -P);
    u16(post, P);
    u32(post, 1); // fixed pitch
    for (int i = 0; i < 4; ++i)
        u32(post, 0);

    std::vector<std::pair<std::string, Bytes>> tables = {
        {"OS/2", os2},         {"cmap", cmapTable(glyphs)},
        {"glyf", glyf},        {"head", head},
        {"hhea", hhea},        {"hmtx", hmtx},
        {"loca", loca},        {"maxp", maxp},
        {"name", nameTable()}, {"post", post},
    };

    const int numTables = static_cast<int>(tables.size());
    int searchRange = 1, entrySelector = 0;
    while (searchRange * 2 <= numTables) {
        searchRange *= 2;
        ++entrySelector;
    }
    searchRange *= 16;
    Bytes font;
    u32(font, 0x00010000);
    u16(font, numTables);
    u16(font, searchRange);
    u16(font, entrySelector);
    u16(font, numTables * 16 - searchRange);
    uint32_t offset = 12 + 16 * numTables;
    size_t headOffset = 0;
    Bytes body;
    for (auto& [tag, bytes] : tables) {
        for (char c : tag)
            font.push_back(static_cast<uint8_t>(c));
        u32(font, checksum(bytes));
        u32(font, offset + static_cast<uint32_t>(body.size()));
        u32(font, static_cast<uint32_t>(bytes.size()));
        if (tag == "head") headOffset = offset + body.size();
        body.insert(body.end(), bytes.begin(), bytes.end());
        pad4(body);
    }
    font.insert(font.end(), body.begin(), body.end());
    uint32_t adjust = 0xB1B0AFBAu - checksum(font);
    for (int i = 0; i < 4; ++i)
        font[headOffset + 8 + i] = static_cast<uint8_t>(adjust >> (24 - 8 * i));
    return font;
}

} // namespace assetgen
