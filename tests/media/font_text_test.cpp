// Text placement with the built-in font and with a TrueType font.
#include <filesystem>
#include <fstream>

#include "graphics_test_support.h"
#include "media/gfx/font_data.h"
#include "media/gfx/image_data.h"
#include "media/system/utf8.h"
#include "media/system/utf8_codec.h"

using namespace media_internal;

namespace {
// Bounding box of the lit pixels inside a window of the target.
struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    bool empty() const { return right < 0; }
};
Box LitBox(int x0, int y0, int x1, int y1) {
    Box box;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if ((ReadBackPixel(x, y) & 0xFFFFFF) != 0) {
                box.left = std::min(box.left, x), box.right = std::max(box.right, x);
                box.top = std::min(box.top, y), box.bottom = std::max(box.bottom, y);
            }
    return box;
}

std::string SystemTrueTypeFont() {
    for (const char* path : {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                             "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"})
        if (std::filesystem::exists(path)) return path;
    return "";
}
} // namespace

TEST_F(GraphicsTest, BuiltinTextStartsAtTheTopRowAndDrawsEveryLetter) {
    EXPECT_EQ(GetFont(), GetFont());
    const FontPtr builtin = GetFont();
    ASSERT_TRUE(builtin);

    // The glyph cell's top row lands on y: ink appears exactly where the
    // glyph's own first inked row says, at every x.
    const Glyph* glyphA = FindGlyph(*builtin, U'A');
    ASSERT_TRUE(glyphA && glyphA->image);
    const auto& cell = glyphA->image->frames[0].rgba;
    int firstInkRow = 0;
    while (firstInkRow < 16 && [&] {
        for (int x = 0; x < 8; ++x)
            if (cell[(firstInkRow * 8 + x) * 4 + 3]) return false;
        return true;
    }())
        ++firstInkRow;
    ASSERT_LT(firstInkRow, 16);
    for (float y : {50.0f, 57.0f}) {
        Cls();
        DrawText("A", 100, y);
        const Box a = LitBox(90, 30, 130, 90);
        ASSERT_FALSE(a.empty());
        EXPECT_EQ(a.top, static_cast<int>(y) + firstInkRow);
        EXPECT_GE(a.left, 100);
        EXPECT_LE(a.right, 107);
        EXPECT_LT(a.bottom, static_cast<int>(y) + 16);
    }

    // An accented word draws each letter's own glyph, its mark included, and a
    // byte that is no UTF-8 draws the lacking-letter box in its cell.
    const std::string word = "Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87 \xC3\x89\xC3\xA7\xC3\xA3\xE4!";
    Cls();
    DrawText(word, 200, 50);
    int cellX = 200;
    for (size_t pos = 0; pos < word.size(); cellX += 8) {
        const char32_t code = NextCodePoint(word, pos);
        SCOPED_TRACE(static_cast<int>(code));
        const Glyph* glyph = FindGlyph(*builtin, code);
        if (code == 0xFFFD) {
            EXPECT_FALSE(glyph);
            EXPECT_FALSE(LitBox(cellX, 50, cellX + 8, 66).empty()) << "a box, not nothing";
            continue;
        }
        ASSERT_TRUE(glyph);
        if (!glyph->image) continue;
        const auto& ink = glyph->image->frames[0].rgba;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 8; ++x)
                ASSERT_EQ(ink[(y * 8 + x) * 4 + 3] != 0,
                          (ReadBackPixel(cellX + x, 50 + y) & 0xFFFFFF) != 0)
                    << x << "," << y;
    }
    // The marks make the letters differ from their bases.
    for (const auto& [accented, base] :
         {std::pair{U'\u00E9', U'e'}, {U'\u0105', U'a'}, {U'\u00C9', U'E'}, {U'\u0142', U'l'}}) {
        const Glyph *a = FindGlyph(*builtin, accented), *b = FindGlyph(*builtin, base);
        ASSERT_TRUE(a && b && a->image && b->image);
        EXPECT_NE(a->image->frames[0].rgba, b->image->frames[0].rgba) << static_cast<int>(accented);
    }

    // Each character advances 8 pixels.
    Cls();
    DrawText("II", 0, 100);
    const Box first = LitBox(0, 100, 8, 116), second = LitBox(8, 100, 16, 116);
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(second.left - first.left, 8);

    // SetFont(null) selects the built-in font again.
    SetFont(nullptr);
    EXPECT_EQ(GetFont(), builtin);
}

TEST_F(GraphicsTest, TextIsTintedAndFollowsRotation) {
    SetColor(255, 0, 0);
    DrawText("H", 100, 100);
    const Box h = LitBox(100, 100, 108, 116);
    ASSERT_FALSE(h.empty());
    EXPECT_EQ(ReadBackPixel(h.left, h.top), Rgb(255, 0, 0));

    // Rotated a quarter turn the line runs downwards and the glyphs lie left of x.
    Cls();
    SetColor(255, 255, 255);
    SetDrawRotation(90);
    DrawText("HH", 300, 100);
    const Box rotated = LitBox(270, 90, 330, 140);
    ASSERT_FALSE(rotated.empty());
    EXPECT_LE(rotated.right, 300);
    EXPECT_GE(rotated.left, 284);
    EXPECT_GE(rotated.top, 100);
    EXPECT_GT(rotated.bottom, 108) << "the second glyph sits below the first";
}

TEST_F(GraphicsTest, TrueTypeGlyphsHangFromTheAscenderLine) {
    const std::string path = SystemTrueTypeFont();
    if (path.empty()) GTEST_SKIP() << "no TrueType font installed (fonts-dejavu-core)";
    FontPtr font = LoadFont(path, 32, FONT_SMOOTH);
    ASSERT_TRUE(font);
    EXPECT_EQ(font->size, 32);
    EXPECT_GT(font->ascender, 0);

    const Glyph* h = FindGlyph(*font, U'H');
    ASSERT_TRUE(h && h->image);
    EXPECT_EQ(h->image->flags, IMAGE_FILTERED | IMAGE_MIPMAPPED);
    EXPECT_EQ(h->advance, static_cast<float>(static_cast<int>(h->advance)));
    // The smooth style adds a transparent one-pixel border.
    const auto& rgba = h->image->frames[0].rgba;
    const int w = h->image->width;
    for (int x = 0; x < w; ++x)
        EXPECT_EQ(rgba[x * 4 + 3], 0) << x;
    const Glyph* space = FindGlyph(*font, U' ');
    ASSERT_TRUE(space);
    EXPECT_FALSE(space->image);
    EXPECT_GT(space->advance, 0);
    EXPECT_FALSE(FindGlyph(*font, 0x10FFFD)) << "private-use code the font lacks";

    SetFont(font);
    SetBlend(BLEND_ALPHA);
    DrawText("H", 100, 100);
    const Box box = LitBox(90, 80, 160, 160);
    ASSERT_FALSE(box.empty());
    // The cap top sits at y + ascender - cap height, never above y.
    EXPECT_EQ(box.top, 100 + h->offsetY + 1);
    EXPECT_GE(box.top, 100);
    EXPECT_LT(box.bottom, 100 + font->ascender + 1);
    // The second letter starts one advance later.
    Cls();
    DrawText("HH", 100, 100);
    const Box pair = LitBox(90, 80, 200, 160);
    EXPECT_EQ(pair.right - box.right, static_cast<int>(h->advance));
}

TEST(FontLoading, BrokenOrMissingFontsGiveNull) {
    TempDir scratch;
    EXPECT_FALSE(LoadFont(scratch / "missing.ttf", 32, FONT_SMOOTH));
    const std::string junk = scratch / "junk.ttf";
    std::ofstream(junk, std::ios::binary) << "this is not a font at all, just bytes";
    EXPECT_FALSE(LoadFont(junk, 32, FONT_SMOOTH));

    const std::string path = SystemTrueTypeFont();
    if (path.empty()) GTEST_SKIP() << "no TrueType font installed (fonts-dejavu-core)";
    // A truncated copy of a real font must not load or crash.
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string cut = scratch / "cut.ttf";
    std::ofstream(cut, std::ios::binary) << bytes.substr(0, 2000);
    FontPtr truncated = LoadFont(cut, 32, FONT_SMOOTH);
    if (truncated) FindGlyph(*truncated, U'A'); // may load lazily; must not crash
    FontPtr plain = LoadFont(path, 20, 0);
    ASSERT_TRUE(plain);
    const Glyph* a = FindGlyph(*plain, U'A');
    ASSERT_TRUE(a && a->image);
    EXPECT_EQ(a->image->flags, 0) << "without the smooth style glyphs are unfiltered";

    // An absurd size falls back like a refused one instead of rasterising
    // glyphs of a million pixels.
    FontPtr huge = LoadFont(path, 1000000, FONT_SMOOTH);
    ASSERT_TRUE(huge);
    EXPECT_LE(huge->size, 1024);
    EXPECT_TRUE(FindGlyph(*huge, U'W'));
}

TEST(TextDecoding, TypedAndDrawnTextFollowOneRule) {
    // Each malformed byte is one U+FFFD and decoding goes on after it.
    const std::vector<std::pair<std::string, std::u32string>> cases = {
        {"\x3B\xE9\x66", U";\uFFFDf"}, // cut short before the end of the text
        {"a\xC3", U"a\uFFFD"},         // cut short by the end
        {"\xE2\x82\xAC!", U"\u20AC!"},
        {"\xC0\xAF", U"\uFFFD\uFFFD"},                                 // overlong
        {"\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD"},                       // surrogate
        {"\x80x\xF4\x90\x80\x80", U"\uFFFDx\uFFFD\uFFFD\uFFFD\uFFFD"}, // stray, past U+10FFFF
    };
    for (const auto& [bytes, expected] : cases) {
        std::u32string drawn;
        for (size_t pos = 0; pos < bytes.size();)
            drawn.push_back(NextCodePoint(bytes, pos));
        EXPECT_EQ(drawn, expected) << bytes;
        EXPECT_EQ(media_internal::DecodeUtf8(bytes), expected) << bytes;
    }
}
