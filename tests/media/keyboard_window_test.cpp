#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include "media/graphics.h"
#include "media/keyboard.h"
#include "media/mouse.h"
#include "media/system/sdl_context.h"
#include "media/test_seams.h"

namespace {

// The same event path with a real (offscreen) window, whose Flip also drains
// events: keys must count once whichever of them sees the event first.
class KeyboardWindow : public testing::Test {
  protected:
    void SetUp() override {
        if (!OpenGraphics(640, 480, 0, 60, 0)) GTEST_SKIP() << "no graphics mode here";
        ClearKeys();
        CloseRequested();
    }
    void TearDown() override {
        SetIdleHook(nullptr);
        CloseGraphics();
    }
};

TEST_F(KeyboardWindow, KeysSeenByFlipStillCountOnce) {
    InjectKeyDown(KEY_RIGHT);
    Flip(0);
    Flip(0); // held across frames
    EXPECT_EQ(KeyHitCount(KEY_RIGHT), 1);
    Flip(0);
    EXPECT_EQ(KeyHitCount(KEY_RIGHT), 0);
    InjectKeyUp(KEY_RIGHT);
    InjectText("\u00fc");
    Flip(0);
    EXPECT_EQ(NextChar(), 0xFC);
}

TEST_F(KeyboardWindow, WindowEventsReachTheState) {
    InjectKeyDown(KEY_LCONTROL);
    InjectFocusChange(false);
    InjectFocusChange(true);
    EXPECT_EQ(KeyHitCount(KEY_LCONTROL), 0);
    InjectCloseRequest();
    Flip(0);
    EXPECT_EQ(CloseRequested(), 1);
    EXPECT_EQ(CloseRequested(), 0);
}

TEST_F(KeyboardWindow, StateSurvivesReopeningTheMode) {
    InjectKeyPress(KEY_F);
    InjectText("f");
    ASSERT_TRUE(OpenGraphics(640, 480, 0, 60, 0));
    EXPECT_EQ(KeyHitCount(KEY_F), 1);
    EXPECT_EQ(NextChar(), 'f');
}

TEST_F(KeyboardWindow, F11AndAltEnterSwitchFullScreenWithoutReachingTheGame) {
    InjectKeyPress(122); // F11
    EXPECT_EQ(KeyHitCount(122), 0);
    EXPECT_EQ(CurrentDepth(), 32) << "the map dialog asks for the mode actually shown";
    InjectKeyDown(KEY_LALT);
    InjectKeyPress(KEY_ENTER);
    InjectKeyUp(KEY_LALT);
    EXPECT_EQ(KeyHitCount(KEY_ENTER), 0) << "Alt+Enter must not open the use selection";
    EXPECT_EQ(NextChar(), 0);
    EXPECT_EQ(CurrentDepth(), 0);

    // Drawing goes on in the same context after a switch.
    SetColor(10, 200, 30);
    DrawRect(0, 0, 4, 4);
    EXPECT_EQ(ReadBackPixel(1, 1), 0xFF0AC81Eu);

    InjectKeyPress(KEY_ENTER); // Enter alone is the game's again
    EXPECT_EQ(KeyHitCount(KEY_ENTER), 1);
    EXPECT_EQ(NextChar(), 13);
}

// The pointer is read in drawing pixels however the window shows the picture:
// at 1x, at whole scales, between black bars, fitted below twice, with a
// picture resized to the window (the editor), and full screen.
TEST_F(KeyboardWindow, PointerPositionsAreDrawingPixelsAtEveryScale) {
    SDL_Window* window = media_internal::CurrentWindow();
    ASSERT_TRUE(window);
    const struct {
        int pictureW, pictureH, windowW, windowH, atX, atY, wantX, wantY;
    } cases[] = {
        {640, 480, 640, 480, 100, 50, 100, 50},
        {640, 480, 1280, 960, 201, 101, 100, 50},
        {640, 480, 1280, 960, 1279, 959, 639, 479},
        {640, 480, 1920, 1080, 320 + 201, 60 + 101, 100, 50},
        {640, 480, 1920, 1080, 10, 10, -155, -25},     // over the bars: outside
        {640, 480, 1366, 768, 171 + 160, 80, 100, 50}, // 1.6x, fitted
        {1024, 704, 800, 560, 400, 300, 512, 378},     // a big picture shrunk
        {960, 540, 1920, 1080, 201, 101, 100, 50},     // resized picture, 2x
        {700, 500, 700, 500, 400, 300, 400, 300},      // resized picture, 1x
    };
    for (const auto& c : cases) {
        SDL_SetWindowSize(window, c.windowW, c.windowH);
        SetPictureSize(c.pictureW, c.pictureH);
        MouseSample samples[16];
        while (TakeMouseSamples(samples, 16) > 0) {
        }
        InjectMouseMove(c.atX, c.atY);
        EXPECT_EQ(MouseX(), c.wantX) << c.windowW << " x " << c.windowH << " at " << c.atX;
        EXPECT_EQ(MouseY(), c.wantY) << c.windowW << " x " << c.windowH << " at " << c.atY;
        // The editor's samples of the same move, in the same drawing pixels.
        const int n = TakeMouseSamples(samples, 16);
        ASSERT_GE(n, 1);
        EXPECT_EQ(std::pair(samples[n - 1].x, samples[n - 1].y), std::pair(c.wantX, c.wantY));
        EXPECT_EQ(samples[n - 1].button, 0) << "a move";
    }
    int w = 0, h = 0;
    WindowPixelSize(w, h);
    EXPECT_EQ(w, 700);
    EXPECT_EQ(h, 500);
    // Drawing reaches the resized picture's far corner.
    SetColor(10, 200, 30);
    DrawRect(696, 496, 4, 4);
    EXPECT_EQ(ReadBackPixel(698, 498), 0xFF0AC81Eu);
    Flip(0);

    ASSERT_TRUE(OpenGraphics(640, 480, 32, 60, 0));
    SDL_GetWindowSize(media_internal::CurrentWindow(), &w, &h);
    InjectMouseMove(w / 2, h / 2);
    EXPECT_EQ(MouseX(), 320) << w << " x " << h;
    EXPECT_EQ(MouseY(), 240) << w << " x " << h;
}

} // namespace
