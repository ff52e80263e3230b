#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "media/input/event_pump.h"
#include "media/keyboard.h"
#include "media/test_seams.h"

namespace {

class Keyboard : public testing::Test {
  protected:
    void SetUp() override {
        media_internal::StartKeyboard();
        ClearKeys();
        CloseRequested();
    }
    void TearDown() override { SetIdleHook(nullptr); }

    std::vector<int> DrainChars() {
        std::vector<int> out;
        while (int c = NextChar())
            out.push_back(c);
        return out;
    }
};

TEST_F(Keyboard, PressesCountOnceEachAndHoldingCountsOnce) {
    InjectKeyPress(KEY_A);
    InjectKeyPress(KEY_A);
    EXPECT_EQ(KeyHitCount(KEY_A), 2);
    EXPECT_EQ(KeyHitCount(KEY_A), 0);

    // Further downs while held (as auto-repeat delivers them) add nothing.
    InjectKeyDown(KEY_W);
    InjectKeyDown(KEY_W);
    EXPECT_EQ(KeyHitCount(KEY_W), 1);
    InjectKeyDown(KEY_W);
    EXPECT_EQ(KeyHitCount(KEY_W), 0);
    InjectKeyUp(KEY_W);
    InjectKeyDown(KEY_W);
    EXPECT_EQ(KeyHitCount(KEY_W), 1);
    InjectKeyUp(KEY_W);

    EXPECT_EQ(KeyHitCount(0), 0);
    EXPECT_EQ(KeyHitCount(256), 0);
    EXPECT_EQ(KeyHitCount(-7), 0);
}

TEST_F(Keyboard, AChordReleasedBeforeTheQueryKeepsItsModifiers) {
    InjectKeyDown(KEY_LCONTROL);
    InjectKeyDown(KEY_RSHIFT);
    InjectKeyPress(KEY_S);
    InjectKeyUp(KEY_RSHIFT);
    InjectKeyUp(KEY_LCONTROL);
    InjectKeyPress(KEY_D);
    EXPECT_EQ(KeyHitCount(KEY_S), 1);
    EXPECT_EQ(KeyHitModifiers(KEY_S), MOD_CTRL | MOD_SHIFT);
    EXPECT_EQ(KeyDown(KEY_LCONTROL), 0) << "held no longer";
    EXPECT_EQ(KeyHitModifiers(KEY_D), 0);
}

TEST_F(Keyboard, EveryNamedKeyRoundTripsThroughSdlEvents) {
    std::vector<int> keys = {KEY_ENTER, KEY_ESCAPE, KEY_SPACE, KEY_LEFT,     KEY_UP,
                             KEY_RIGHT, KEY_DOWN,   KEY_TAB,   KEY_BACKSPACE};
    for (int k = 'A'; k <= 'Z'; ++k)
        keys.push_back(k);
    for (int k = '0'; k <= '9'; ++k)
        keys.push_back(k);
    for (int k = 160; k <= 165; ++k)
        keys.push_back(k); // both Shift, Control, Alt
    for (int k = 112; k <= 123; ++k)
        if (k != 122) keys.push_back(k); // F1-F12; F11 belongs to the window
    for (int k = 96; k <= 105; ++k)
        keys.push_back(k); // keypad digits
    for (int k : {33, 34, 35, 36, 45, 46})
        keys.push_back(k);
    for (int k : keys) {
        InjectKeyPress(k);
        EXPECT_EQ(KeyHitCount(k), 1) << "key " << k;
    }
    ClearKeys();
}

TEST_F(Keyboard, TextAndControlCharactersQueueInOrder) {
    InjectText("a\u00e4\u20ac\U0001F600");
    InjectKeyPress(KEY_ENTER);
    InjectKeyPress(KEY_ESCAPE);
    InjectKeyPress(KEY_BACKSPACE);
    InjectKeyPress(KEY_TAB);
    InjectKeyPress(KEY_LEFT); // no character
    InjectKeyPress(KEY_LSHIFT);
    // Held Enter repeats its character although it counts as one hit.
    InjectKeyDown(KEY_ENTER);
    InjectKeyDown(KEY_ENTER);
    InjectKeyUp(KEY_ENTER);
    EXPECT_EQ(DrainChars(), (std::vector<int>{'a', 0xE4, 0x20AC, 0x1F600, 13, 27, 8, 9, 13, 13}));
    EXPECT_EQ(KeyHitCount(KEY_ENTER), 2);
}

TEST_F(Keyboard, QueueKeeps256AndDropsTheRest) {
    std::string text;
    for (int i = 0; i < 257; ++i)
        text += char('a' + i % 26);
    InjectText(text);
    auto got = DrainChars();
    ASSERT_EQ(got.size(), 256u);
    EXPECT_EQ(got.front(), 'a');
    EXPECT_EQ(got.back(), 'a' + 255 % 26);
    // After taking, there is room again; the ring index wraps cleanly.
    InjectText("xyz");
    EXPECT_EQ(DrainChars(), (std::vector<int>{'x', 'y', 'z'}));
}

TEST_F(Keyboard, FocusChangesClearEverythingButClose) {
    InjectKeyDown(KEY_D);
    InjectText("q");
    InjectCloseRequest();
    InjectFocusChange(false);
    EXPECT_EQ(KeyHitCount(KEY_D), 0);
    EXPECT_EQ(NextChar(), 0);
    // D was released elsewhere: pressing it again counts.
    InjectFocusChange(true);
    InjectKeyDown(KEY_D);
    EXPECT_EQ(KeyHitCount(KEY_D), 1);
    InjectKeyUp(KEY_D);
    EXPECT_EQ(CloseRequested(), 1);
    EXPECT_EQ(CloseRequested(), 0);
}

TEST_F(Keyboard, ClearKeysKeepsCloseRequest) {
    InjectKeyPress(KEY_S);
    InjectText("s");
    InjectCloseRequest();
    ClearKeys();
    EXPECT_EQ(KeyHitCount(KEY_S), 0);
    EXPECT_EQ(NextChar(), 0);
    EXPECT_EQ(CloseRequested(), 1);
}

TEST(KeyboardDeath, FirstStartEmptiesAndLaterStartsKeepTheState) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // A fresh process: keyboard processing has not started there yet.
    EXPECT_EXIT(
        {
            InjectKeyPress(KEY_C); // typed before any window existed
            InjectText("c");
            media_internal::StartKeyboard();
            bool emptied = KeyHitCount(KEY_C) == 0 && NextChar() == 0;
            InjectKeyPress(KEY_C);
            InjectText("c");
            media_internal::StartKeyboard(); // a re-opened mode
            bool kept = KeyHitCount(KEY_C) == 1 && NextChar() == 'c';
            std::exit(emptied && kept ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

TEST_F(Keyboard, IdleHookFeedsAWaitingQuery) {
    int calls = 0;
    SetIdleHook([&] {
        ++calls;
        if (calls == 1) InjectKeyPress(KEY_SPACE);
    });
    EXPECT_EQ(KeyHitCount(KEY_SPACE), 1); // seen by the very query that idled
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(NextChar(), 0);
    EXPECT_EQ(calls, 2);

    // Keys fed while ClearKeys idles are kept for the next query.
    SetIdleHook([] { InjectKeyPress(KEY_F); });
    ClearKeys();
    SetIdleHook(nullptr);
    EXPECT_EQ(KeyHitCount(KEY_F), 1);

    // A hook that throws (a scripted end of the game) does not disable hooks.
    SetIdleHook([] { throw 42; });
    EXPECT_THROW(NextChar(), int);
    calls = 0;
    SetIdleHook([&] { ++calls; });
    NextChar();
    EXPECT_EQ(calls, 1);
}

// A gamepad types the keyboard's keys through the same path: hits and characters.
TEST_F(Keyboard, GamepadButtonsTypeTheirKeys) {
    struct Case {
        int button, key, typed;
    };
    const Case cases[] = {
        {PAD_UP, KEY_UP, 0},       {PAD_DOWN, KEY_DOWN, 0}, {PAD_LEFT, KEY_LEFT, 0},
        {PAD_RIGHT, KEY_RIGHT, 0}, {PAD_A, KEY_SPACE, ' '}, {PAD_X, KEY_ENTER, 13},
        {PAD_Y, KEY_C, 'c'},       {PAD_B, KEY_F, 'f'},
    };
    for (const Case& c : cases) {
        InjectPadButton(c.button, true);
        InjectPadButton(c.button, false);
        EXPECT_EQ(KeyHitCount(c.key), 1) << "button " << c.button;
        EXPECT_EQ(NextChar(), c.typed) << "button " << c.button;
        EXPECT_EQ(NextChar(), 0);
    }
}

TEST_F(Keyboard, StickTiltsPressOnceAndIgnoreTheDeadZone) {
    const int x = PAD_STICK_X, y = PAD_STICK_Y;
    InjectPadAxis(x, 5000); // resting drift
    EXPECT_EQ(KeyHitCount(KEY_RIGHT), 0);
    InjectPadAxis(x, 30000);
    InjectPadAxis(x, 32767);
    InjectPadAxis(x, 12000); // still tilted: the same press
    EXPECT_EQ(KeyHitCount(KEY_RIGHT), 1);
    InjectPadAxis(x, -32768); // straight over to the left
    InjectPadAxis(x, 0);
    InjectPadAxis(y, -20000);
    InjectPadAxis(y, 0);
    InjectPadAxis(y, 20000);
    EXPECT_EQ(KeyHitCount(KEY_RIGHT), 0);
    EXPECT_EQ(KeyHitCount(KEY_LEFT), 1);
    EXPECT_EQ(KeyHitCount(KEY_UP), 1);
    EXPECT_EQ(KeyHitCount(KEY_DOWN), 1);
    InjectPadAxis(y, 0);
    EXPECT_EQ(NextChar(), 0);
}

TEST_F(Keyboard, GamepadQuitsWithStartOnlyWhereTheGameAllowsIt) {
    const int start = PAD_START, back = PAD_BACK;
    // In play: Start alone or Back alone is nothing, both together are Escape.
    InjectPadButton(start, true);
    InjectPadButton(start, false);
    InjectPadButton(back, true);
    EXPECT_EQ(KeyHitCount(KEY_ESCAPE), 0);
    InjectPadButton(start, true);
    EXPECT_EQ(KeyHitCount(KEY_ESCAPE), 1);
    EXPECT_EQ(NextChar(), 27);
    InjectPadButton(start, false);
    InjectPadButton(back, false);

    SetGamepadStartEscapes(1); // a menu or a death screen
    InjectPadButton(start, true);
    InjectPadButton(start, false);
    EXPECT_EQ(KeyHitCount(KEY_ESCAPE), 1);
    SetGamepadStartEscapes(0);
    InjectPadButton(start, true);
    InjectPadButton(start, false);
    EXPECT_EQ(KeyHitCount(KEY_ESCAPE), 0);
}

} // namespace
