#include <gtest/gtest.h>

#include "media/graphics.h"
#include "media/keyboard.h"
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

} // namespace
