// Opening, re-opening and closing the mode; frame pacing on the virtual clock.
#include <tuple>

#include <SDL2/SDL.h>

#include "graphics_test_support.h"
#include "media/clock.h"
#include "media/gfx/frame_pacing.h"
#include "media/gfx/gl_functions.h"
#include "media/gfx/renderer.h"
#include "media/system/sdl_context.h"

using namespace media_internal;

TEST(GraphicsMode, ReopenKeepsImagesAndResetsTheDrawingState) {
    TempDir scratch;
    const std::string path = scratch / "tile.png";
    ASSERT_TRUE(WriteColourPng(path, 32, 32, true, [](int x, int) {
        return x < 16 ? 0x60FF0000u : 0xFF00FF00u; // left half alpha 0x60
    }));
    ImagePtr tile = LoadImage(path, -1);
    ASSERT_TRUE(tile);
    // A picture keeps no pixel copy once uploaded: the re-open must bring it back.
    const std::string bigPath = scratch / "picture.png";
    ASSERT_TRUE(WriteColourPng(bigPath, 300, 200, false, [](int x, int y) {
        return x < 150 ? Rgb(200, 10, 10) : Rgb(10, 10, static_cast<unsigned>(50 + y));
    }));
    ImagePtr picture = LoadImage(bigPath, -1);
    ASSERT_TRUE(picture);
    const FontPtr builtin = GetFont();

    ASSERT_TRUE(OpenGraphics(640, 480, 0, 60, 0));
    EXPECT_EQ(CurrentDepth(), 0);
    EXPECT_TRUE(media_internal::CurrentWindow());
    DrawImage(tile, 0, 0, 0);
    DrawImage(picture, 0, 100, 0);
    EXPECT_EQ(ReadBackPixel(200, 150), Rgb(10, 10, 100));
    SetBlend(BLEND_ALPHA);
    SetColor(10, 20, 30);
    SetAlpha(0.5f);
    SetDrawScale(3, 3);
    SetDrawRotation(45);
    SetFont(LoadFont("/nonexistent.ttf", 32, FONT_SMOOTH)); // null: built-in

    ASSERT_TRUE(OpenGraphics(640, 480, 0, 60, 0));
    EXPECT_EQ(ReadBackPixel(20, 10), Rgb(0, 0, 0)) << "a fresh mode starts cleared";
    EXPECT_EQ(GetFont(), builtin);
    DrawImage(tile, 100, 100, 0);
    // Blend 1 again: the 0x60-alpha half is discarded, the opaque half drawn
    // white-tinted, unscaled and unrotated.
    EXPECT_EQ(ReadBackPixel(108, 110), Rgb(0, 0, 0));
    EXPECT_EQ(ReadBackPixel(120, 110), Rgb(0, 255, 0));
    EXPECT_EQ(ReadBackPixel(131, 131), Rgb(0, 255, 0));
    EXPECT_EQ(ReadBackPixel(133, 133), Rgb(0, 0, 0));
    DrawImage(picture, 300, 250, 0);
    EXPECT_EQ(ReadBackPixel(310, 260), Rgb(200, 10, 10));
    EXPECT_EQ(ReadBackPixel(599, 449), Rgb(10, 10, 249));

    CloseGraphics();
    EXPECT_EQ(CurrentDepth(), 0);
    EXPECT_FALSE(media_internal::CurrentWindow());
    EXPECT_FALSE(OpenGraphics(0, 480, 0, 60, 0));
}

TEST(GraphicsMode, FullScreenReportsDepth32AndShowsTheWholePicture) {
    ASSERT_TRUE(OpenGraphics(640, 480, 32, 60, 0));
    EXPECT_EQ(CurrentDepth(), 32);
    SetColor(200, 100, 50);
    DrawRect(0, 0, 640, 480);
    EXPECT_EQ(ReadBackPixel(639, 479), Rgb(200, 100, 50));
    Flip(0);
    CloseGraphics();
}

// A 1x frame goes straight into the window, a scaled one through the
// offscreen target: a frame that does not clear first must build on the
// picture before it whichever way that one went.
TEST(GraphicsMode, FramesBuildOnTheLastPictureAcrossScaledAndUnscaledWindows) {
    ASSERT_TRUE(OpenGraphics(640, 480, 0, 60, 0));
    SDL_Window* window = media_internal::CurrentWindow();
    ASSERT_TRUE(window);
    const auto rect = [](unsigned colour, int x, int y) {
        const auto channel = [colour](int shift) {
            return static_cast<int>((colour >> shift) & 255);
        };
        SetColor(channel(16), channel(8), channel(0));
        DrawRect(static_cast<float>(x), static_cast<float>(y), 100, 100);
    };
    Cls();
    rect(Rgb(200, 0, 0), 0, 0);
    Flip(0); // unscaled: drawn into the window
    const struct {
        int w, h;
        unsigned colour;
        int x;
    } steps[] = {{1280, 960, Rgb(0, 200, 0), 100},   // scaled
                 {1280, 960, Rgb(0, 0, 200), 200},   // scaled again, no resize
                 {640, 480, Rgb(200, 200, 0), 300}}; // back to 1x, still not cleared
    for (const auto& step : steps) {
        SDL_SetWindowSize(window, step.w, step.h);
        Flip(0); // the resize reaches the window; nothing new drawn
        rect(step.colour, step.x, 0);
        EXPECT_EQ(ReadBackPixel(50, 50), Rgb(200, 0, 0)) << step.w;
        EXPECT_EQ(ReadBackPixel(step.x + 50, 50), step.colour) << step.w;
        Flip(0);
    }
    EXPECT_EQ(ReadBackPixel(150, 50), Rgb(0, 200, 0));
    EXPECT_EQ(ReadBackPixel(250, 50), Rgb(0, 0, 200));

    // A minimised window has no area: its frame is drawn offscreen only, and
    // the next frame shown must still hold it and everything before.
    rect(Rgb(0, 200, 200), 400, 0);
    render::PresentTo(0, 0);
    rect(Rgb(200, 0, 200), 500, 0);
    Flip(0);
    for (const auto& [x, colour] :
         {std::pair{50, Rgb(200, 0, 0)}, std::pair{350, Rgb(200, 200, 0)},
          std::pair{450, Rgb(0, 200, 200)}, std::pair{550, Rgb(200, 0, 200)}})
        EXPECT_EQ(ReadBackPixel(x, 50), colour) << x;
    CloseGraphics();
}

// Shrunk below 1x (a small window or embed), the copy blends neighbouring
// rows: taking the nearest would drop every fourth row of one-pixel text.
TEST(GraphicsMode, AShrunkPictureBlendsRowsInsteadOfDroppingThem) {
    ASSERT_TRUE(OpenGraphics(640, 480, 0, 60, 0));
    Cls();
    SetColor(255, 255, 255);
    for (int y = 0; y < 480; y += 2)
        DrawRect(0, static_cast<float>(y), 640, 1);
    ASSERT_TRUE(render::PresentTo(480, 360));
    gl.BindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    for (int y = 0; y < 360; ++y) {
        uint8_t pixel[4] = {};
        gl.ReadPixels(240, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
        EXPECT_GT(pixel[0], 20) << "row " << y;
        EXPECT_LT(pixel[0], 235) << "row " << y;
    }
    CloseGraphics();
}

TEST(GraphicsMode, CaptureWritesTheTargetAsPng) {
    TempDir scratch;
    ASSERT_TRUE(OpenGraphics(640, 480, 0, 0, 0));
    SetColor(12, 34, 56);
    DrawRect(10, 20, 5, 5);
    const std::string shot = scratch / "shot.png";
    ASSERT_TRUE(CaptureFrame(shot));
    PixmapPtr pixmap = LoadPixmapFile(shot);
    ASSERT_TRUE(pixmap);
    EXPECT_EQ(PixmapWidth(pixmap), 640);
    EXPECT_EQ(PixmapHeight(pixmap), 480);
    EXPECT_EQ(ReadPixel(pixmap, 12, 22), Rgb(12, 34, 56));
    EXPECT_EQ(ReadPixel(pixmap, 12, 19), Rgb(0, 0, 0));
    EXPECT_FALSE(CaptureFrame(scratch / "no/such/dir/shot.png"));
    CloseGraphics();
    EXPECT_FALSE(CaptureFrame(shot)) << "nothing to capture without a mode";
}

TEST(FramePacing, SixtyHertzSpreadsTheRemainderAndResyncsLateFrames) {
    FramePacer pacer;
    pacer.Start(60, 0);
    int now = 0, sixteen = 0, seventeen = 0;
    for (int i = 0; i < 60; ++i) {
        const int delay = pacer.NextDelay(now);
        (delay == 16 ? sixteen : seventeen)++;
        now += delay;
    }
    EXPECT_EQ(now, 1000);
    EXPECT_EQ(sixteen, 20);
    EXPECT_EQ(seventeen, 40);

    // A frame that comes 300 ms late waits nothing, and the next one waits a
    // whole period again instead of being squeezed to catch up.
    now += 300;
    EXPECT_EQ(pacer.NextDelay(now), 0);
    const int next = pacer.NextDelay(now);
    EXPECT_GE(next, 16);
    EXPECT_LE(next, 17);

    // Millisecond counters wrap; pacing across the wrap keeps working.
    const int nearWrap = 0x7FFFFFFA;
    pacer.Start(60, nearWrap);
    EXPECT_EQ(pacer.NextDelay(nearWrap), 16);
    const int wrapped = static_cast<int>(static_cast<unsigned>(nearWrap) + 16u);
    const int afterWrap = pacer.NextDelay(wrapped);
    EXPECT_GE(afterWrap, 16);
    EXPECT_LE(afterWrap, 17);
    pacer.Start(0, 0);
    EXPECT_FALSE(pacer.Active());
    EXPECT_EQ(pacer.NextDelay(123), 0);
}

TEST(GraphicsMode, PacedFlipsTakeOneSecondPerSixtyFramesOnTheVirtualClock) {
    UseVirtualClock(true, 5000);
    ASSERT_TRUE(OpenGraphics(640, 480, 0, 60, 0));
    const int start = Millis();
    for (int i = 0; i < 60; ++i)
        Flip(-1);
    EXPECT_EQ(Millis() - start, 1000);

    // A stall: the next flip does not sleep, and later frames are not shortened.
    AdvanceVirtualClock(500);
    const int afterStall = Millis();
    Flip(-1);
    EXPECT_EQ(Millis(), afterStall);
    for (int i = 0; i < 60; ++i)
        Flip(-1);
    EXPECT_EQ(Millis() - afterStall, 1000);

    // With the game's own pause of 60 ms the pacing adds nothing.
    const int before = Millis();
    Pause(60);
    Flip(-1);
    EXPECT_EQ(Millis() - before, 60);

    int hookCalls = 0;
    SetFrameHook([&] { ++hookCalls; });
    Flip(-1);
    Flip(0);
    SetFrameHook(nullptr);
    EXPECT_EQ(hookCalls, 2);
    CloseGraphics();
    UseVirtualClock(false);
}

TEST(GraphicsMode, InvisibleVideoDriversNeedToBeAskedForByName) {
    ASSERT_TRUE(OpenGraphics(640, 480, 0, 0, 0)); // the test environment names offscreen
    CloseGraphics();
    const std::string asked = std::getenv("SDL_VIDEODRIVER") ? std::getenv("SDL_VIDEODRIVER") : "";
    ASSERT_FALSE(asked.empty()) << "tests run with SDL_VIDEODRIVER=offscreen";
    unsetenv("SDL_VIDEODRIVER");
    EXPECT_FALSE(OpenGraphics(640, 480, 0, 0, 0)) << "a silent fallback would show no window";
    setenv("SDL_VIDEODRIVER", asked.c_str(), 1);
    EXPECT_TRUE(OpenGraphics(640, 480, 0, 0, 0));
    CloseGraphics();
}

TEST(GraphicsMode, ContextsAreTriedInTheirOrderAndTheSwitchSkipsTheCoreOne) {
    std::vector<std::string> log;
    SetDebugSink([&](const std::string& line) {
        if (line.rfind("graphics: ", 0) == 0) log.push_back(line);
    });
    const struct {
        bool forced;
        std::vector<std::string> expected; // line beginnings, in order
    } cases[] = {
        {false, {"graphics: OpenGL 3.3 core context: "}},
        {true,
         {"graphics: OpenGL 3.3 core skipped", "graphics: OpenGL ES 3.0 context: OpenGL ES 3."}},
    };
    for (const auto& c : cases) {
        ForceGlesContext(c.forced);
        log.clear();
        ASSERT_TRUE(OpenGraphics(640, 480, 0, 60, 0)) << c.forced;
        EXPECT_EQ(GlesContextInUse(), c.forced);
        ASSERT_EQ(log.size(), c.expected.size()) << c.forced;
        for (size_t i = 0; i < log.size(); ++i)
            EXPECT_EQ(log[i].rfind(c.expected[i], 0), 0u) << log[i];
        SetBlend(BLEND_SOLID);
        SetColor(10, 200, 30);
        DrawRect(5, 5, 2, 2);
        EXPECT_EQ(ReadBackPixel(6, 6), Rgb(10, 200, 30)) << c.forced;
        CloseGraphics();
        EXPECT_FALSE(GlesContextInUse());
    }
    ForceGlesContext(false);
    SetDebugSink(nullptr);
}

TEST(PictureFit, WholeScalesBetweenBlackBarsAndAspectFitBelowTwice) {
    struct Case {
        int areaW, areaH;
        render::ScreenRect want;
    };
    const Case cases[] = {
        {640, 480, {0, 0, 640, 480}},
        {1280, 960, {0, 0, 1280, 960}},
        {1280, 1024, {0, 32, 1280, 960}},     // 2x, bars above and below
        {1920, 1080, {320, 60, 1280, 960}},   // 2x although 2.25x would fit
        {2560, 1440, {320, 0, 1920, 1440}},   // 3x
        {3840, 2160, {640, 120, 2560, 1920}}, // 4x
        {1366, 768, {171, 0, 1024, 768}},     // under twice the height: aspect fit
        {1000, 2000, {0, 625, 1000, 750}},    // the narrow side decides
        {320, 240, {0, 0, 320, 240}},         // smaller than the picture
        {0, 0, {0, 0, 0, 0}},                 // minimised: nothing shown
    };
    for (const Case& c : cases) {
        const render::ScreenRect got = render::FitPicture(640, 480, c.areaW, c.areaH);
        EXPECT_EQ(std::tie(got.x, got.y, got.w, got.h),
                  std::tie(c.want.x, c.want.y, c.want.w, c.want.h))
            << c.areaW << " x " << c.areaH;
    }
}
