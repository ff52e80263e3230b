#include <filesystem>

#include <gtest/gtest.h>

#include "shell/victory.h"
#include "support/golden.h"
#include "support/shell_fixture.h"

namespace {

class VictoryScreen : public ShellFixture {
  protected:
    void SetUp() override {
        ShellFixture::SetUp();
        OpenWindow();
        LoadShippedAssets();
    }

    // Shows the screen until the scripted frame types a key; returns the exit status.
    int ShowUntilKeyAtFrame(int frame, std::function<void()> atFirstFrame = {}) {
        int frames = 0;
        SetFrameHook([&] {
            ++frames;
            if (frames == 1 && atFirstFrame) atFirstFrame();
            if (frames == frame) InjectText("x");
        });
        try {
            ShowVictoryScreen();
        } catch (const ProgramExit& exit) {
            EXPECT_EQ(frames, frame);
            return exit.status;
        }
        ADD_FAILURE() << "the victory screen returned";
        return -100;
    }
};

} // namespace

TEST_F(VictoryScreen, ShowsTheClosingTextUntilAKeyIsTyped) {
    Cls();
    EXPECT_EQ(ShowUntilKeyAtFrame(3, [] { ExpectFrameMatchesGolden("victory"); }), 0);
}

TEST_F(VictoryScreen, AKeyPendingBeforeTheScreenDoesNotEndIt) {
    InjectText("q");
    EXPECT_EQ(ShowUntilKeyAtFrame(2), 0);
}

TEST_F(VictoryScreen, GoesOnWithoutItsTune) {
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    EXPECT_EQ(ShowUntilKeyAtFrame(1), 0);
}
