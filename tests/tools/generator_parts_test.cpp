// The generator's building blocks: faults here would corrupt every asset at once.
#include <filesystem>

#include <gtest/gtest.h>

#include "audio.h"
#include "canvas.h"
#include "map_files.h"
#include "pixel_font.h"
#include "preview.h"
#include "support/asset_files.h"

using namespace assetgen;

TEST(Canvas, ClipsAndOutlines) {
    Canvas c(8, 8);
    c.FillRect(-5, -5, 7, 7, {200, 0, 0}); // partly outside: must not crash or wrap
    EXPECT_EQ(c.Get(1, 1), (Rgba{200, 0, 0}));
    EXPECT_EQ(c.Get(2, 2), kClear);
    c.Outline({1, 2, 3});
    EXPECT_EQ(c.Get(2, 0), (Rgba{1, 2, 3}));
    EXPECT_EQ(c.Get(0, 2), (Rgba{1, 2, 3}));
    EXPECT_EQ(c.Get(2, 2), kClear) << "diagonal neighbours stay clear: a 4-neighbour rim";
    EXPECT_EQ(c.Get(-1, 0), kClear);
}

TEST(PixelFont, DecodesUtf8AndSurvivesBadBytes) {
    EXPECT_EQ(Utf8ToUtf32("a\xc3\xa4\xc3\x9f"), U"a\u00e4\u00df");
    EXPECT_EQ(Utf8ToUtf32("\xc3"), U"?"); // cut short
    EXPECT_EQ(Utf8ToUtf32("\xff"
                          "b"),
              U"?b");                               // never valid
    EXPECT_EQ(Utf8ToUtf32("\xe2\x28\xa1"), U"?(?"); // bad continuation
    EXPECT_EQ(TextWidth("\xc3\xa4\xc3\xa4", 2), 2 * kAdvanceCols * 2);
    for (char32_t c = 32; c <= 126; ++c)
        EXPECT_NE(FindGlyph(c), nullptr) << static_cast<char>(c);
    for (char32_t c = 0xA0; c <= 0x17F; ++c)
        EXPECT_NE(FindGlyph(c), nullptr) << static_cast<int>(c);
    EXPECT_EQ(FindGlyph(U'\u0180'), nullptr);
}

TEST(Wav, EightBitSamplesAreUnsignedAroundTheMiddle) {
    Wave w;
    w.bits = 8;
    w.samples = {0.0f, 1.0f, -1.0f, 2.0f};
    std::vector<uint8_t> b = EncodeWav(w);
    ASSERT_EQ(b.size(), 44u + 4u);
    EXPECT_EQ(b[44], 128); // silence sits at the middle of 0-255
    EXPECT_EQ(b[45], 255);
    EXPECT_EQ(b[46], 0);
    EXPECT_EQ(b[47], 255) << "loud samples are clipped, not wrapped";
    w.samples.pop_back();
    std::vector<uint8_t> odd = EncodeWav(w);
    EXPECT_EQ(odd.size() % 2, 0u) << "the data chunk is padded to an even length";
    EXPECT_EQ(odd[4] | odd[5] << 8, static_cast<int>(odd.size()) - 8);
}

TEST(Preview, RendersTheWholeMapWithTheStartMarked) {
    mapcheck::MapData map;
    std::vector<mapcheck::Issue> issues;
    ASSERT_TRUE(mapcheck::LoadMapFiles(assettest::assetPath("map/map.png"), map, issues));
    std::string out = std::string(PALMUT_BINARY_DIR) + "/mapcheck_preview.png";
    std::string error;
    ASSERT_TRUE(mapcheck::WritePreview(map, assettest::assetPath("gfx"), out, 4, error)) << error;
    assettest::Decoded d = assettest::decodePng(assettest::readFile(out));
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.width, map.width * 8);
    EXPECT_EQ(d.height, map.height * 8);
    int sx = 0, sy = 0;
    ASSERT_TRUE(mapcheck::FindStart(map, sx, sy));
    const uint8_t* corner = &d.rgba[(static_cast<size_t>(sy * 8) * d.width + sx * 8) * 4];
    EXPECT_GT(corner[0], 150);
    EXPECT_LT(corner[1], 100);

    EXPECT_FALSE(mapcheck::WritePreview(map, "/nonexistent", out, 4, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(mapcheck::WritePreview(map, assettest::assetPath("gfx"), out, 0, error));
}
