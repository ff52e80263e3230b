// Blend modes, tinting and the scale/rotation transform, checked by reading
// pixels back from the drawing target.
#include "graphics_test_support.h"

namespace {
// Grey backdrop, then a 20 x 20 rectangle of colour (200, 50, 0) with the given
// alpha and blend mode; returns the pixel in its middle.
unsigned BlendOverGrey(int mode, float alpha) {
    SetBlend(BLEND_SOLID);
    SetAlpha(1);
    SetColor(100, 100, 100);
    DrawRect(0, 0, 64, 64);
    SetBlend(mode);
    SetAlpha(alpha);
    SetColor(200, 50, 0);
    DrawRect(10, 10, 20, 20);
    return ReadBackPixel(20, 20);
}
} // namespace

TEST_F(GraphicsTest, BlendModesCombineSourceAndDestinationAsDefined) {
    // Mask: alpha test at one half, the survivors written opaque.
    EXPECT_TRUE(ColourNear(BlendOverGrey(BLEND_MASK, 0.5f), Rgb(200, 50, 0)));
    EXPECT_TRUE(ColourNear(BlendOverGrey(BLEND_MASK, 0.45f), Rgb(100, 100, 100)));
    // Solid ignores alpha altogether.
    EXPECT_TRUE(ColourNear(BlendOverGrey(BLEND_SOLID, 0.2f), Rgb(200, 50, 0)));
    // Alpha: src * a + dst * (1 - a).
    EXPECT_TRUE(ColourNear(BlendOverGrey(BLEND_ALPHA, 0.5f), Rgb(150, 75, 50)));
    // Light: src * a + dst.
    EXPECT_TRUE(ColourNear(BlendOverGrey(BLEND_LIGHT, 0.5f), Rgb(200, 125, 100)));
    // Shade: src * dst.
    EXPECT_TRUE(ColourNear(BlendOverGrey(BLEND_SHADE, 1.0f), Rgb(78, 20, 0)));
    // Unknown modes behave as solid.
    EXPECT_TRUE(ColourNear(BlendOverGrey(9, 0.2f), Rgb(200, 50, 0)));
    EXPECT_TRUE(ColourNear(BlendOverGrey(0, 0.2f), Rgb(200, 50, 0)));
}

TEST_F(GraphicsTest, ColourIsClampedWhenAppliedAndClsClearsToBlack) {
    SetColor(300, -20, 128);
    DrawRect(0, 0, 10, 10);
    EXPECT_EQ(ReadBackPixel(5, 5), Rgb(255, 0, 128));
    SetAlpha(7.0f); // above 1 acts as 1
    SetBlend(BLEND_ALPHA);
    SetColor(0, 255, 0);
    DrawRect(0, 0, 10, 10);
    EXPECT_EQ(ReadBackPixel(5, 5), Rgb(0, 255, 0));
    Cls();
    EXPECT_EQ(ReadBackPixel(5, 5), Rgb(0, 0, 0));
}

TEST_F(GraphicsTest, RectanglesScaleAndRotateAboutTheirTopLeft) {
    SetDrawScale(2, 3);
    DrawRect(100, 100, 5, 5); // covers 100..110 x 100..115
    EXPECT_EQ(ReadBackPixel(100, 100), Rgb(255, 255, 255));
    EXPECT_EQ(ReadBackPixel(109, 114), Rgb(255, 255, 255));
    EXPECT_EQ(ReadBackPixel(110, 110), Rgb(0, 0, 0));
    EXPECT_EQ(ReadBackPixel(105, 115), Rgb(0, 0, 0));

    Cls();
    SetDrawScale(1, 1);
    SetDrawRotation(90);        // clockwise: the width now runs down, the height to the left
    DrawRect(300, 200, 40, 10); // covers 290..300 x 200..240
    EXPECT_EQ(ReadBackPixel(295, 201), Rgb(255, 255, 255));
    EXPECT_EQ(ReadBackPixel(291, 238), Rgb(255, 255, 255));
    EXPECT_EQ(ReadBackPixel(305, 205), Rgb(0, 0, 0));
    EXPECT_EQ(ReadBackPixel(295, 242), Rgb(0, 0, 0));
}

TEST_F(GraphicsTest, SpritesWithCentredHandlesScaleAndRotateAboutTheirCentre) {
    // 32 x 32 sprite: grey with a red block in its top-left quarter.
    const std::string path = scratch / "sprite.png";
    ASSERT_TRUE(WriteColourPng(path, 32, 32, false, [](int x, int y) {
        return x < 16 && y < 16 ? Rgb(255, 0, 0) : Rgb(90, 90, 90);
    }));
    SetCentredHandles(1);
    ImagePtr sprite = LoadImage(path, 0);
    ASSERT_TRUE(sprite);

    DrawImage(sprite, 100, 100, 0); // covers 84..116
    EXPECT_EQ(ReadBackPixel(84, 84), Rgb(255, 0, 0));
    EXPECT_EQ(ReadBackPixel(115, 115), Rgb(90, 90, 90));
    EXPECT_EQ(ReadBackPixel(83, 100), Rgb(0, 0, 0));
    EXPECT_EQ(ReadBackPixel(116, 100), Rgb(0, 0, 0));

    SetDrawRotation(90); // the red quarter turns to the top-right
    DrawImage(sprite, 300, 100, 0);
    EXPECT_EQ(ReadBackPixel(310, 90), Rgb(255, 0, 0));
    EXPECT_EQ(ReadBackPixel(290, 90), Rgb(90, 90, 90));

    SetDrawRotation(0);
    SetDrawScale(2, 2); // 64 x 64 around the centre
    DrawImage(sprite, 500, 200, 0);
    EXPECT_EQ(ReadBackPixel(469, 169), Rgb(255, 0, 0));
    EXPECT_EQ(ReadBackPixel(530, 230), Rgb(90, 90, 90));
    EXPECT_EQ(ReadBackPixel(467, 200), Rgb(0, 0, 0));
}

TEST_F(GraphicsTest, FilteredSpriteDrawnUnscaledKeepsExactPixels) {
    // Default flags are filtered: at whole-pixel positions the texels must
    // still come out unchanged, with no bleeding from atlas neighbours.
    const std::string path = scratch / "checker.png";
    ASSERT_TRUE(WriteColourPng(path, 8, 8, false, [](int x, int y) {
        return (x + y) % 2 ? Rgb(250, 250, 250) : Rgb(10, 200, 30);
    }));
    ImagePtr checker = LoadImage(path, IMAGE_FILTERED);
    ASSERT_TRUE(checker);
    DrawImage(checker, 50, 60, 0);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(ReadBackPixel(50 + x, 60 + y),
                      (x + y) % 2 ? Rgb(250, 250, 250) : Rgb(10, 200, 30))
                << x << "," << y;
    EXPECT_EQ(ReadBackPixel(58, 60), Rgb(0, 0, 0));
}

TEST_F(GraphicsTest, FilteredAndMipmappedFramesNeverShowTheirAtlasNeighbours) {
    // Cells alternate red and green; each frame scaled, shifted by half a pixel
    // or shrunk must stay pure red or pure green right up to its edges.
    const std::string path = scratch / "cells.png";
    ASSERT_TRUE(WriteColourPng(path, 64, 16, false, [](int x, int) {
        return (x / 16) % 2 ? Rgb(0, 255, 0) : Rgb(255, 0, 0);
    }));
    for (int flags : {IMAGE_FILTERED, IMAGE_FILTERED | IMAGE_MIPMAPPED}) {
        ImagePtr cells = LoadImageStrip(path, 16, 16, 0, 4, flags);
        ASSERT_TRUE(cells);
        Cls();
        SetBlend(BLEND_SOLID);
        SetDrawScale(3.3f, 3.3f);
        DrawImage(cells, 10.5f, 10.5f, 0);
        DrawImage(cells, 80.5f, 10.5f, 1);
        SetDrawScale(0.3f, 0.3f);
        DrawImage(cells, 150.25f, 10.25f, 2);
        SetDrawScale(1, 1);
        SetDrawRotation(33);
        DrawImage(cells, 200, 20, 1);
        SetDrawRotation(0);
        for (int y = 0; y < 70; ++y)
            for (int x = 0; x < 240; ++x) {
                const unsigned p = ReadBackPixel(x, y);
                const unsigned r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
                ASSERT_EQ(b, 0u) << x << "," << y;
                ASSERT_TRUE(r == 0 || g == 0)
                    << "mixed colour at " << x << "," << y << " flags " << flags;
            }
    }
}
