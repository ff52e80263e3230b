// Loading images: masking of pictures without alpha, strip cutting, handles,
// and what drawing does with bad arguments.
#include "graphics_test_support.h"

namespace {
// Ten 32 x 32 cells in a row (plus a 7-pixel partial column), cell k filled
// with grey 20 * (k + 1) and a black 4 x 4 corner.
bool WriteStrip(const std::string& path, int columns, int rows) {
    return WriteColourPng(path, columns * 32 + 7, rows * 32, false, [columns](int x, int y) {
        const int cell = (y / 32) * columns + x / 32;
        if (x % 32 < 4 && y % 32 < 4) return Rgb(0, 0, 0);
        const unsigned v = static_cast<unsigned>(20 * (cell + 1) % 256);
        return Rgb(v, v, 255 - v);
    });
}
} // namespace

TEST_F(GraphicsTest, BlackBecomesTransparentOnlyInPicturesWithoutAlpha) {
    const std::string rgb = scratch / "rgb.png", rgba = scratch / "rgba.png";
    // Left half black, right half orange; the RGBA copy has a half-transparent stripe.
    const auto pixel = [](int x, int) { return x < 8 ? Rgb(0, 0, 0) : Rgb(255, 128, 0); };
    ASSERT_TRUE(WriteColourPng(rgb, 16, 16, false, pixel));
    ASSERT_TRUE(WriteColourPng(rgba, 16, 16, true, [&](int x, int y) {
        return y < 4 ? (pixel(x, y) & 0xFFFFFF) | 0x40000000u : pixel(x, y);
    }));
    ImagePtr masked = LoadImage(rgb, -1);
    ImagePtr unmasked = LoadImage(rgb, 0);
    ImagePtr withAlpha = LoadImage(rgba, -1);
    ASSERT_TRUE(masked && unmasked && withAlpha);

    SetColor(0, 0, 255);
    DrawRect(0, 0, 200, 50);
    SetColor(255, 255, 255);
    DrawImage(masked, 0, 0, 0);
    DrawImage(unmasked, 50, 0, 0);
    DrawImage(withAlpha, 100, 0, 0);
    EXPECT_EQ(ReadBackPixel(2, 8), Rgb(0, 0, 255)) << "masked black shows the backdrop";
    EXPECT_EQ(ReadBackPixel(12, 8), Rgb(255, 128, 0));
    EXPECT_EQ(ReadBackPixel(52, 8), Rgb(0, 0, 0)) << "flags 0: black is drawn";
    EXPECT_EQ(ReadBackPixel(102, 8), Rgb(0, 0, 0)) << "opaque black in an alpha picture stays";
    EXPECT_EQ(ReadBackPixel(102, 1), Rgb(0, 0, 255)) << "alpha 0x40 fails the mask test";

    // Under alpha blending the picture's own alpha mixes smoothly.
    SetBlend(BLEND_ALPHA);
    DrawImage(withAlpha, 150, 0, 0);
    EXPECT_TRUE(ColourNear(ReadBackPixel(160, 1), Rgb(64, 32, 191)));
}

TEST_F(GraphicsTest, StripCutsCellsLeftToRightThenTopToBottom) {
    const std::string one = scratch / "strip.png", two = scratch / "sheet.png";
    ASSERT_TRUE(WriteStrip(one, 10, 1)); // 327 x 32
    ASSERT_TRUE(WriteStrip(two, 4, 3));

    ImagePtr ten = LoadImageStrip(one, 32, 32, 0, 10, -1);
    ASSERT_TRUE(ten);
    EXPECT_EQ(ImageFrames(ten), 10);
    EXPECT_EQ(ImageWidth(ten), 32);
    EXPECT_EQ(ImageHeight(ten), 32);
    EXPECT_FALSE(LoadImageStrip(one, 32, 32, 0, 11, -1)) << "the partial column is no cell";
    EXPECT_FALSE(LoadImageStrip(one, 32, 32, 5, 6, -1));
    EXPECT_FALSE(LoadImageStrip(one, 0, 32, 0, 1, -1));
    EXPECT_FALSE(LoadImageStrip(one, 32, 32, -1, 1, -1));

    // Cells 5..10 of a 4 x 3 sheet: frame 2 is cell 7 (end of row 1), frame 3 is cell 8.
    ImagePtr part = LoadImageStrip(two, 32, 32, 5, 6, -1);
    ASSERT_TRUE(part);
    EXPECT_FALSE(LoadImageStrip(two, 32, 32, 5, 8, -1));
    for (int frame = 0; frame < 6; ++frame)
        DrawImage(part, 40.0f * frame, 100, frame);
    for (int frame = 0; frame < 6; ++frame) {
        const unsigned v = 20 * (5 + frame + 1);
        EXPECT_EQ(ReadBackPixel(40 * frame + 16, 116), Rgb(v, v, 255 - v)) << frame;
        EXPECT_EQ(ReadBackPixel(40 * frame + 1, 101), Rgb(0, 0, 0)) << "masked corner";
    }
}

TEST_F(GraphicsTest, CentredHandlesApplyToImagesLoadedAfterwards) {
    const std::string path = scratch / "square.png";
    ASSERT_TRUE(WriteColourPng(path, 32, 32, false, [](int, int) { return Rgb(9, 99, 199); }));
    ImagePtr topLeft = LoadImage(path, -1);
    SetCentredHandles(1);
    ImagePtr centred = LoadImage(path, -1);
    SetCentredHandles(0);
    DrawImage(topLeft, 100, 100, 0);
    DrawImage(centred, 300, 100, 0);
    EXPECT_EQ(ReadBackPixel(100, 100), Rgb(9, 99, 199));
    EXPECT_EQ(ReadBackPixel(99, 100), Rgb(0, 0, 0));
    EXPECT_EQ(ReadBackPixel(284, 84), Rgb(9, 99, 199));
    EXPECT_EQ(ReadBackPixel(283, 84), Rgb(0, 0, 0));
    EXPECT_EQ(ReadBackPixel(316, 116), Rgb(0, 0, 0));
}

TEST_F(GraphicsTest, BadDrawArgumentsAreRefusedSafely) {
    EXPECT_FALSE(LoadImage(scratch / "missing.png", -1));
    EXPECT_THROW(DrawImage(nullptr, 0, 0, 0), ProgramExit);
    EXPECT_THROW(ImageWidth(nullptr), ProgramExit);

    const std::string path = scratch / "one.png";
    ASSERT_TRUE(WriteColourPng(path, 4, 4, false, [](int, int) { return Rgb(255, 0, 0); }));
    ImagePtr image = LoadImage(path, -1);
    DrawImage(image, 0, 0, 1); // no such frame: nothing
    DrawImage(image, 0, 0, -1);
    EXPECT_EQ(ReadBackPixel(1, 1), Rgb(0, 0, 0));
}

TEST(GraphicsWithoutWindow, ImagesLoadBeforeAnyModeAndDrawLater) {
    TempDir scratch;
    CloseGraphics();
    const std::string path = scratch / "early.png";
    ASSERT_TRUE(WriteColourPng(path, 4, 4, false, [](int, int) { return Rgb(1, 2, 3); }));
    ImagePtr early = LoadImage(path, -1);
    ASSERT_TRUE(early);
    DrawImage(early, 0, 0, 0); // no window: does nothing
    DrawText("ok", 0, 0);
    EXPECT_EQ(CurrentDepth(), 0);
    ASSERT_TRUE(OpenGraphics(640, 480, 0, 0, 0));
    DrawImage(early, 10, 10, 0);
    EXPECT_EQ(ReadBackPixel(11, 11), Rgb(1, 2, 3));
    CloseGraphics();
}

TEST(GraphicsWithoutWindow, PicturesBeyondWhatTheGameKeepsAreRefused) {
    // A few hundred bytes on disk may describe a picture that would be kept
    // as gigabytes of RGBA: sides past the limit are refused outright.
    TempDir scratch;
    struct Case {
        int width, height;
        bool loads;
    };
    for (const Case c : {Case{4096, 2, true}, Case{4097, 2, false}, Case{2, 4097, false}}) {
        const std::string path = scratch / "wide.png";
        ASSERT_TRUE(
            WriteColourPng(path, c.width, c.height, false, [](int, int) { return Rgb(9, 9, 9); }));
        EXPECT_EQ(LoadImage(path, -1) != nullptr, c.loads) << c.width << " x " << c.height;
        EXPECT_EQ(LoadImageStrip(path, 2, 2, 0, 1, -1) != nullptr, c.loads)
            << c.width << " x " << c.height;
    }
}
