#include "ttf_writer.h"

#include <algorithm>
#include <map>
#include <string>

#include "pixel_font.h"

namespace assetgen {
namespace {

constexpr int kPx = kTtfPixelUnits;
constexpr int kAscender = 8 * kPx; // one pixel of headroom above the capitals
constexpr int kDescender = -2 * kPx;
constexpr int kAdvance = kAdvanceCols * kPx;

using Bytes = std::vector<uint8_t>;

void U16(Bytes& b, int v) {
    b.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
    b.push_back(static_cast<uint8_t>(v & 0xFF));
}
void U32(Bytes& b, uint32_t v) {
    U16(b, static_cast<int>(v >> 16));
    U16(b, static_cast<int>(v & 0xFFFF));
}
void Pad4(Bytes& b) {
    while (b.size() % 4)
        b.push_back(0);
}

uint32_t Checksum(const Bytes& b) {
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

// Horizontal runs per row, merged downwards while a run keeps the same span;
// row -1 is the accent row above the capitals.
std::vector<Rect> GlyphRects(const Glyph& glyph) {
    struct Open {
        int c0, c1, rowTop, rowBottom;
    };
    const auto on = [&](int r, int c) { return r < 0 ? glyph.top[c] : glyph.on[r][c]; };
    std::vector<Open> done, open;
    for (int r = -1; r < kGlyphRows; ++r) {
        std::vector<std::pair<int, int>> runs;
        for (int c = 0; c < kGlyphCols;) {
            if (!on(r, c)) {
                ++c;
                continue;
            }
            int s = c;
            while (c < kGlyphCols && on(r, c))
                ++c;
            runs.push_back({s, c});
        }
        std::vector<Open> next;
        for (const auto& run : runs) {
            const int c0 = run.first, c1 = run.second;
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
    rects.reserve(done.size());
    for (const Open& o : done)
        rects.push_back({o.c0 * kPx, (kBaselineRow - 1 - o.rowBottom) * kPx, o.c1 * kPx,
                         (kBaselineRow - o.rowTop) * kPx});
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

GlyphData EncodeGlyph(const std::vector<Rect>& rects) {
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
    U16(b, g.contours);
    U16(b, g.xMin);
    U16(b, g.yMin);
    U16(b, g.xMax);
    U16(b, g.yMax);
    for (int i = 0; i < g.contours; ++i)
        U16(b, i * 4 + 3);
    U16(b, 0); // no instructions
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
        U16(b, p.first - last);
        last = p.first;
    }
    last = 0;
    for (auto& p : pts) {
        U16(b, p.second - last);
        last = p.second;
    }
    Pad4(b);
    return g;
}

Bytes NameTable() {
    const std::map<int, std::string> names = {
        {0, "Drawn for the game Palmut."}, {1, "Palmut Pixel"},         {2, "Regular"},
        {3, "Palmut Pixel Regular 1.0"},   {4, "Palmut Pixel Regular"}, {5, "Version 1.0"},
        {6, "PalmutPixel-Regular"},
    };
    Bytes records, strings;
    for (auto& [id, text] : names) {
        Bytes utf16;
        for (char c : text)
            U16(utf16, static_cast<unsigned char>(c));
        U16(records, 3);      // Windows
        U16(records, 1);      // Unicode BMP
        U16(records, 0x0409); // English (US)
        U16(records, id);
        U16(records, static_cast<int>(utf16.size()));
        U16(records, static_cast<int>(strings.size()));
        strings.insert(strings.end(), utf16.begin(), utf16.end());
    }
    Bytes b;
    U16(b, 0);
    U16(b, static_cast<int>(names.size()));
    U16(b, 6 + static_cast<int>(records.size()));
    b.insert(b.end(), records.begin(), records.end());
    b.insert(b.end(), strings.begin(), strings.end());
    return b;
}

Bytes CmapTable(const std::vector<Glyph>& glyphs) {
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
    U16(sub, 4);
    U16(sub, 16 + 8 * n);
    U16(sub, 0);
    U16(sub, 2 * n);
    U16(sub, searchRange);
    U16(sub, entrySelector);
    U16(sub, 2 * n - searchRange);
    for (auto& s : segs)
        U16(sub, s.end);
    U16(sub, 0);
    for (auto& s : segs)
        U16(sub, s.start);
    for (auto& s : segs)
        U16(sub, s.delta);
    for (int i = 0; i < n; ++i)
        U16(sub, 0);

    Bytes b;
    U16(b, 0);
    U16(b, 2);
    U16(b, 0); // Unicode platform
    U16(b, 3);
    U32(b, 20);
    U16(b, 3); // Windows, Unicode BMP: both records share one subtable
    U16(b, 1);
    U32(b, 20);
    b.insert(b.end(), sub.begin(), sub.end());
    return b;
}

struct GlyphTables {
    Bytes glyf, loca;
    int numGlyphs = 0, maxPoints = 0, maxContours = 0;
    int xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};

GlyphTables GlyfAndLoca(const std::vector<GlyphData>& data) {
    GlyphTables t;
    t.numGlyphs = static_cast<int>(data.size());
    for (const GlyphData& g : data) {
        U32(t.loca, static_cast<uint32_t>(t.glyf.size()));
        t.glyf.insert(t.glyf.end(), g.glyf.begin(), g.glyf.end());
        t.maxPoints = std::max(t.maxPoints, g.points);
        t.maxContours = std::max(t.maxContours, g.contours);
        if (g.contours) {
            t.xMin = std::min(t.xMin, g.xMin);
            t.yMin = std::min(t.yMin, g.yMin);
            t.xMax = std::max(t.xMax, g.xMax);
            t.yMax = std::max(t.yMax, g.yMax);
        }
    }
    U32(t.loca, static_cast<uint32_t>(t.glyf.size()));
    return t;
}

Bytes HeadTable(const GlyphTables& t) {
    Bytes head;
    U32(head, 0x00010000);
    U32(head, 0x00010000);
    U32(head, 0); // checkSumAdjustment, patched by Assemble
    U32(head, 0x5F0F3CF5);
    U16(head, 0x000B);
    U16(head, kTtfUnitsPerEm);
    for (int i = 0; i < 4; ++i)
        U32(head, 0); // created / modified: none, keeps output stable
    U16(head, t.xMin);
    U16(head, t.yMin);
    U16(head, t.xMax);
    U16(head, t.yMax);
    U16(head, 0);
    U16(head, 8);
    U16(head, 2);
    U16(head, 1); // long loca offsets
    U16(head, 0);
    return head;
}

Bytes HheaTable(const GlyphTables& t) {
    Bytes hhea;
    U32(hhea, 0x00010000);
    U16(hhea, kAscender);
    U16(hhea, kDescender);
    U16(hhea, 0);
    U16(hhea, kAdvance);
    U16(hhea, 0);
    U16(hhea, 0);
    U16(hhea, t.xMax);
    U16(hhea, 1);
    U16(hhea, 0);
    U16(hhea, 0);
    for (int i = 0; i < 4; ++i)
        U16(hhea, 0);
    U16(hhea, 0);
    U16(hhea, t.numGlyphs);
    return hhea;
}

Bytes HmtxTable(const std::vector<GlyphData>& data) {
    Bytes hmtx;
    for (const GlyphData& g : data) {
        U16(hmtx, kAdvance);
        U16(hmtx, g.contours ? g.xMin : 0);
    }
    return hmtx;
}

Bytes MaxpTable(const GlyphTables& t) {
    Bytes maxp;
    U32(maxp, 0x00010000);
    U16(maxp, t.numGlyphs);
    U16(maxp, t.maxPoints);
    U16(maxp, t.maxContours);
    U16(maxp, 0);
    U16(maxp, 0);
    U16(maxp, 2);
    for (int i = 0; i < 8; ++i)
        U16(maxp, 0);
    return maxp;
}

Bytes Os2Table(const std::vector<Glyph>& glyphs) {
    Bytes os2;
    U16(os2, 4);
    U16(os2, kAdvance);
    U16(os2, 400);
    U16(os2, 5);
    U16(os2, 0); // installable embedding
    const int sub[] = {3 * kPx, 3 * kPx, 0, kPx, 3 * kPx, 3 * kPx, 0, 4 * kPx, kPx / 2, 3 * kPx};
    for (int v : sub)
        U16(os2, v);
    U16(os2, 0);
    for (int i = 0; i < 10; ++i)
        os2.push_back(0);
    U32(os2, 0x80000007); // Basic Latin, Latin-1 Supplement, Latin Extended-A, punctuation
    U32(os2, 0x00000002); // currency symbols
    U32(os2, 0);
    U32(os2, 0);
    for (char c : std::string("PLMT"))
        os2.push_back(static_cast<uint8_t>(c));
    U16(os2, 0x0040);
    U16(os2, static_cast<int>(glyphs.front().code));
    U16(os2, static_cast<int>(glyphs.back().code));
    U16(os2, kAscender);
    U16(os2, kDescender);
    U16(os2, 0);
    U16(os2, kAscender);
    U16(os2, -kDescender);
    U32(os2, 3); // Latin 1 and Latin 2 code pages
    U32(os2, 0);
    U16(os2, 5 * kPx);
    U16(os2, 7 * kPx);
    U16(os2, 0);
    U16(os2, 32);
    U16(os2, 1);
    return os2;
}

Bytes PostTable() {
    Bytes post;
    U32(post, 0x00030000);
    U32(post, 0);
    U16(post, -kPx);
    U16(post, kPx);
    U32(post, 1); // fixed pitch
    for (int i = 0; i < 4; ++i)
        U32(post, 0);
    return post;
}

// The table directory, the tables in tag order, and the whole-font checksum
// patched into the head table.
Bytes Assemble(const std::vector<std::pair<std::string, Bytes>>& tables) {
    const int numTables = static_cast<int>(tables.size());
    int searchRange = 1, entrySelector = 0;
    while (searchRange * 2 <= numTables) {
        searchRange *= 2;
        ++entrySelector;
    }
    searchRange *= 16;
    Bytes font;
    U32(font, 0x00010000);
    U16(font, numTables);
    U16(font, searchRange);
    U16(font, entrySelector);
    U16(font, numTables * 16 - searchRange);
    uint32_t offset = 12 + 16 * numTables;
    size_t headOffset = 0;
    Bytes body;
    for (auto& [tag, bytes] : tables) {
        for (char c : tag)
            font.push_back(static_cast<uint8_t>(c));
        U32(font, Checksum(bytes));
        U32(font, offset + static_cast<uint32_t>(body.size()));
        U32(font, static_cast<uint32_t>(bytes.size()));
        if (tag == "head") headOffset = offset + body.size();
        body.insert(body.end(), bytes.begin(), bytes.end());
        Pad4(body);
    }
    font.insert(font.end(), body.begin(), body.end());
    uint32_t adjust = 0xB1B0AFBAu - Checksum(font);
    for (int i = 0; i < 4; ++i)
        font[headOffset + 8 + i] = static_cast<uint8_t>(adjust >> (24 - 8 * i));
    return font;
}

} // namespace

std::vector<uint8_t> BuildPixelTtf() {
    const auto& glyphs = PixelGlyphs();
    std::vector<GlyphData> data;
    // .notdef: a hollow box
    data.push_back(EncodeGlyph({{0, 0, 4 * kPx, kPx},
                                {0, kPx, kPx, 6 * kPx},
                                {3 * kPx, kPx, 4 * kPx, 6 * kPx},
                                {0, 6 * kPx, 4 * kPx, 7 * kPx}}));
    for (const Glyph& g : glyphs)
        data.push_back(EncodeGlyph(GlyphRects(g)));
    const GlyphTables t = GlyfAndLoca(data);
    return Assemble({
        {"OS/2", Os2Table(glyphs)},
        {"cmap", CmapTable(glyphs)},
        {"glyf", t.glyf},
        {"head", HeadTable(t)},
        {"hhea", HheaTable(t)},
        {"hmtx", HmtxTable(data)},
        {"loca", t.loca},
        {"maxp", MaxpTable(t)},
        {"name", NameTable()},
        {"post", PostTable()},
    });
}

} // namespace assetgen
