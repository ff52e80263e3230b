// The batch renderer on a frame shaped like play: few draw calls, and no heap
// allocation in DrawImage / DrawText / DrawRect once everything is uploaded.
#include <atomic>
#include <cstdlib>
#include <new>

#include "graphics_test_support.h"

// GCC pairs the replaced operators below with the builtin ones when inlining
// and warns about malloc/free; they are a matched pair here.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {
std::atomic<long> allocations{0};
std::atomic<bool> counting{false};
} // namespace

// Counts allocations of this test program while a test asks for it. Not under
// AddressSanitizer, which owns the allocation operators itself.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool COUNTS_ALLOCATIONS = false;
#else
constexpr bool COUNTS_ALLOCATIONS = true;
void* operator new(std::size_t size) {
    if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
#endif

namespace {
// Cells with a masked (black) frame, or opaque ones like ground tiles.
ImagePtr Sheet(const TempDir& scratch, const std::string& name, int cells, unsigned tint,
               bool opaque = false) {
    const std::string path = scratch / name;
    WriteColourPng(path, cells * 32, 32, false, [&](int x, int y) {
        if (!opaque && ((x % 32) < 2 || (y % 32) < 2)) return Rgb(0, 0, 0);
        return tint ^ (static_cast<unsigned>(x / 32) * 0x101010u);
    });
    return LoadImageStrip(path, 32, 32, 0, cells, -1);
}

// What one pass of play draws: the map window with items, a critter, the
// rotated castaway, gauges, the inventory bar with items, and message lines.
void DrawPlayFrame(const ImagePtr& tiles, const ImagePtr& items, const ImagePtr& beings,
                   const FontPtr& font) {
    for (int row = 0; row < 16; ++row)
        for (int col = 0; col < 21; ++col) {
            DrawImage(tiles, 32.0f * col, 32.0f * row, (col + row) % 10);
            if ((col + row * 21) % 3 == 0) DrawImage(items, 32.0f * col, 32.0f * row, col % 23);
        }
    DrawImage(beings, 100, 200, 2);
    SetDrawRotation(90);
    DrawImage(beings, 320, 256, 0);
    SetDrawRotation(0);
    SetAlpha(0.8f);
    SetDrawScale(2, 2);
    DrawImage(items, 20, 20, 5);
    SetColor(255, 255, 255);
    SetDrawScale(1, 1);
    SetAlpha(0.5f);
    SetColor(128, 128, 128);
    DrawRect(0, 420, 640, 40);
    SetAlpha(1);
    SetColor(255, 255, 255);
    for (int slot = 0; slot < 10; ++slot)
        DrawImage(items, 32.0f + 64 * slot, 440, slot + 3);
    SetFont(font);
    static const std::string message = "Mjam! Eines Brutzo wuerdig! \xC3\xA4 Zeile";
    for (int line = 0; line < 5; ++line)
        DrawText(message, 0, 10.0f * line);
}
} // namespace

TEST_F(GraphicsTest, PlayFrameNeedsFewDrawCallsAndNoAllocations) {
    ImagePtr tiles = Sheet(scratch, "tiles.png", 10, Rgb(20, 120, 40));
    ImagePtr items = Sheet(scratch, "items.png", 23, Rgb(160, 80, 20));
    ImagePtr beings = Sheet(scratch, "beings.png", 10, Rgb(200, 180, 150));
    ASSERT_TRUE(tiles && items && beings);
    SetCentredHandles(1);
    SetBlend(BLEND_ALPHA);

    // Built-in font first, then a TrueType one when the system has one.
    std::vector<FontPtr> fonts = {nullptr};
    for (const char* path : {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"})
        if (FontPtr ttf = LoadFont(path, 16, FONT_SMOOTH)) fonts.push_back(ttf);

    for (const FontPtr& font : fonts) {
        DrawPlayFrame(tiles, items, beings, font); // warm-up: uploads and glyphs
        Flip(0);
        Cls();
        allocations = 0;
        counting = true;
        DrawPlayFrame(tiles, items, beings, font);
        counting = false;
        if (COUNTS_ALLOCATIONS) {
            EXPECT_EQ(allocations.load(), 0) << "drawing allocated after warm-up";
        }
        Flip(0);
        EXPECT_GE(LastFrameDrawCalls(), 1);
        EXPECT_LE(LastFrameDrawCalls(), 4) << (font ? "TrueType" : "built-in") << " text";
    }
}

TEST_F(GraphicsTest, OpaqueTilesGoFirstUnblendedButNeverOverSpritesDrawnBefore) {
    ImagePtr tiles = Sheet(scratch, "ground.png", 10, Rgb(20, 120, 40), true);
    ImagePtr items = Sheet(scratch, "items.png", 23, Rgb(160, 80, 20));
    ASSERT_TRUE(tiles && items);
    SetBlend(BLEND_ALPHA);
    // Play's order: each cell's tile, then what lies on it; then a turned
    // sprite, a scaled and faded one, and text.
    for (int col = 0; col < 20; ++col) {
        DrawImage(tiles, 32.0f * col, 0, 1);
        DrawImage(items, 32.0f * col, 0, 4);
    }
    DrawImage(items, 64, 64, 2); // a sprite first ...
    DrawImage(tiles, 64, 64, 3); // ... then a tile over it: the tile must win
    SetDrawRotation(90);
    DrawImage(items, 200, 200, 5);
    SetDrawRotation(0);
    SetDrawScale(2, 2);
    SetAlpha(0.5f);
    DrawImage(items, 300, 200, 6);
    SetDrawScale(1, 1);
    SetAlpha(1);
    DrawText("Mjam!", 0, 100);
    const unsigned tile1 = Rgb(20, 120, 40) ^ 0x101010u, tile3 = Rgb(20, 120, 40) ^ 0x303030u;
    const unsigned item4 = Rgb(160, 80, 20) ^ 0x404040u;
    EXPECT_EQ(ReadBackPixel(32 * 7 + 1, 1), tile1) << "the item's masked frame shows the tile";
    EXPECT_EQ(ReadBackPixel(32 * 7 + 16, 16), item4) << "items stay above their tiles";
    EXPECT_EQ(ReadBackPixel(80, 80), tile3) << "a later tile covers an earlier sprite";
    Flip(0);
    EXPECT_LE(LastFrameDrawCalls(), 2) << "opaque tiles, then everything blended";
}

TEST_F(GraphicsTest, BatchesSplitOnlyOnBlendChangesAndStayInOrder) {
    ImagePtr tiles = Sheet(scratch, "tiles.png", 10, Rgb(20, 120, 40));
    ASSERT_TRUE(tiles);
    // More quads than one buffer holds, alternating with rectangles: the
    // rectangles share the texture page, so only fullness splits the batch.
    for (int i = 0; i < 5000; ++i) {
        DrawImage(tiles, static_cast<float>(i % 600), static_cast<float>(i % 440), i % 10);
        DrawRect(static_cast<float>(i % 600), static_cast<float>(i % 440), 2, 2);
    }
    Flip(0);
    EXPECT_LE(LastFrameDrawCalls(), 3);

    // Order survives batching: a later rectangle covers an earlier sprite.
    Cls();
    DrawImage(tiles, 100, 100, 3);
    SetColor(1, 2, 3);
    DrawRect(100, 100, 32, 32);
    SetBlend(BLEND_ALPHA);
    SetColor(255, 255, 255);
    DrawImage(tiles, 200, 100, 3);
    SetBlend(BLEND_MASK);
    SetColor(7, 8, 9);
    DrawRect(200, 100, 32, 32);
    EXPECT_EQ(ReadBackPixel(116, 116), Rgb(1, 2, 3));
    EXPECT_EQ(ReadBackPixel(216, 116), Rgb(7, 8, 9));
    Flip(0);
    EXPECT_EQ(LastFrameDrawCalls(), 3);
}

TEST_F(GraphicsTest, ManyLargeImagesSpillToNewPagesAndFreedSpaceIsReused) {
    // 40 pictures of 600 x 400 need several atlas pages; all must still draw.
    std::vector<ImagePtr> pictures;
    for (int i = 0; i < 40; ++i) {
        const std::string path = scratch / ("big" + std::to_string(i) + ".png");
        ASSERT_TRUE(WriteColourPng(path, 600, 400, false, [i](int, int) {
            return Rgb(static_cast<unsigned>(i * 6 + 1), 77, 200);
        }));
        pictures.push_back(LoadImage(path, -1));
        ASSERT_TRUE(pictures.back());
    }
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 40; ++i) {
            Cls();
            DrawImage(pictures[i], 10, 10, 0);
            ASSERT_EQ(ReadBackPixel(300, 200), Rgb(static_cast<unsigned>(i * 6 + 1), 77, 200))
                << "picture " << i;
        }
        // Dropping them frees their pages; the next ones fill the space again.
        for (int i = 0; i < 40; i += 2)
            pictures[i].reset();
        for (int i = 0; i < 40; i += 2) {
            const std::string path = scratch / ("big" + std::to_string(i) + ".png");
            pictures[i] = LoadImage(path, -1);
        }
    }
}

TEST_F(GraphicsTest, RectanglesAfterAnOversizedPictureStayWhiteTinted) {
    // Wider than an atlas page: the picture gets a texture of its own, and a
    // rectangle drawn right after it must not sample that picture.
    const std::string path = scratch / "wide.png";
    ASSERT_TRUE(WriteColourPng(path, 2100, 8, false, [](int, int) { return Rgb(0, 0, 200); }));
    ImagePtr wide = LoadImage(path, 0);
    ASSERT_TRUE(wide);
    DrawImage(wide, 0, 0, 0);
    SetColor(255, 255, 0);
    DrawRect(10, 20, 4, 4);
    EXPECT_EQ(ReadBackPixel(5, 5), Rgb(0, 0, 200));
    EXPECT_EQ(ReadBackPixel(11, 21), Rgb(255, 255, 0));
}
