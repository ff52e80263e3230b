// The title font loads in FreeType at the size the game uses and covers every
// letter the German texts need.
#include <ft2build.h>
#include <gtest/gtest.h>
#include FT_FREETYPE_H

#include "support/asset_files.h"

namespace {

class FontTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(FT_Init_FreeType(&lib_), 0);
        bytes_ = assettest::readFile(assettest::assetPath("gfx/Adventure.ttf"));
        ASSERT_FALSE(bytes_.empty());
        ASSERT_EQ(
            FT_New_Memory_Face(lib_, bytes_.data(), static_cast<FT_Long>(bytes_.size()), 0, &face_),
            0);
        ASSERT_EQ(FT_Set_Pixel_Sizes(face_, 0, 32), 0);
    }
    void TearDown() override {
        if (face_) FT_Done_Face(face_);
        if (lib_) FT_Done_FreeType(lib_);
    }
    // Renders one character anti-aliased; returns the number of inked pixels.
    int ink(char32_t c) {
        FT_UInt index = FT_Get_Char_Index(face_, c);
        if (index == 0) return -1;
        if (FT_Load_Glyph(face_, index, FT_LOAD_DEFAULT) ||
            FT_Render_Glyph(face_->glyph, FT_RENDER_MODE_NORMAL))
            return -2;
        const FT_Bitmap& bm = face_->glyph->bitmap;
        int n = 0;
        for (unsigned y = 0; y < bm.rows; ++y)
            for (unsigned x = 0; x < bm.width; ++x)
                n += bm.buffer[y * bm.pitch + x] > 128;
        return n;
    }
    FT_Library lib_ = nullptr;
    FT_Face face_ = nullptr;
    std::vector<uint8_t> bytes_;
};

} // namespace

TEST_F(FontTest, CoversAsciiAndGermanLetters) {
    std::u32string chars;
    for (char32_t c = 33; c <= 126; ++c)
        chars += c;
    chars += U"\u00C4\u00D6\u00DC\u00E4\u00F6\u00FC\u00DF";
    for (char32_t c : chars)
        EXPECT_GT(ink(c), 0) << "U+" << std::hex << static_cast<unsigned>(c);
    EXPECT_EQ(ink(U' '), 0);
    EXPECT_NE(FT_Get_Char_Index(face_, U' '), 0u);
}

TEST_F(FontTest, PixelsLandOnWholeScreenPixels) {
    // At 32 px a font pixel is 3 x 3 screen pixels: "I" is then exactly 9 wide at the
    // serifs and 21 high, with nothing half-covered.
    FT_UInt index = FT_Get_Char_Index(face_, U'I');
    ASSERT_EQ(FT_Load_Glyph(face_, index, FT_LOAD_DEFAULT), 0);
    ASSERT_EQ(FT_Render_Glyph(face_->glyph, FT_RENDER_MODE_NORMAL), 0);
    const FT_Bitmap& bm = face_->glyph->bitmap;
    EXPECT_EQ(bm.rows, 21u);
    EXPECT_EQ(bm.width, 9u);
    for (unsigned y = 0; y < bm.rows; ++y)
        for (unsigned x = 0; x < bm.width; ++x) {
            int v = bm.buffer[y * bm.pitch + x];
            EXPECT_TRUE(v == 0 || v == 255) << x << "," << y << " = " << v;
        }
    EXPECT_EQ(face_->glyph->advance.x >> 6, 18);
}

TEST_F(FontTest, LineMetricsFitTheMenu) {
    // Menu entries are 40 px apart: the line must fit in that.
    EXPECT_GT(face_->size->metrics.ascender >> 6, 20);
    EXPECT_LE((face_->size->metrics.ascender - face_->size->metrics.descender) >> 6, 40);
    EXPECT_TRUE(FT_IS_SCALABLE(face_));
}

TEST_F(FontTest, DistinctLettersLookDistinct) {
    auto bitmap = [&](char32_t c) {
        FT_Load_Char(face_, c, FT_LOAD_RENDER);
        const FT_Bitmap& bm = face_->glyph->bitmap;
        std::vector<uint8_t> v;
        for (unsigned y = 0; y < bm.rows; ++y)
            v.insert(v.end(), bm.buffer + y * bm.pitch, bm.buffer + y * bm.pitch + bm.width);
        return v;
    };
    const std::u32string letters =
        U"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::vector<std::vector<uint8_t>> seen;
    for (char32_t c : letters) {
        auto b = bitmap(c);
        for (size_t i = 0; i < seen.size(); ++i)
            EXPECT_NE(seen[i], b) << static_cast<char>(letters[i]) << " looks like "
                                  << static_cast<char>(c);
        seen.push_back(b);
    }
}
