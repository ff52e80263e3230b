#include <filesystem>
#include <vector>

#include <gtest/gtest.h>

#include "shell/intro.h"
#include "support/game_fixture.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

// Picture i of the intro is a flat colour whose red channel is 10 * i + 5,
// so the picture on screen can be told from one pixel.
class Intro : public GameFixture {
  protected:
    static void SetUpTestSuite() {
        scratch_ = new TempDir();
        dir_ = scratch_->path();
        fs::create_directories(dir_ / "Gfx/C64intro/bearbeitet");
        ASSERT_TRUE(OpenGraphics(640, 480, 0, 60, 0));
        for (int i = 0; i < 22; ++i) {
            Cls();
            SetColor(10 * i + 5, 100, 200);
            DrawRect(0, 0, 640, 480);
            const fs::path file = dir_ / "Gfx/C64intro/bearbeitet" / (std::to_string(i) + ".png");
            ASSERT_TRUE(CaptureFrame(file.string()));
        }
    }

    void SetUp() override {
        GameFixture::SetUp();
        previous_ = fs::current_path();
        fs::current_path(dir_);
        OpenWindow();
    }

    void TearDown() override {
        fs::current_path(previous_);
        GameFixture::TearDown();
    }

    // Runs the intro and returns the picture number shown at each presented frame;
    // Escape is pressed during frame `escapeAt` (-1: never).
    std::vector<int> Run(int escapeAt) {
        std::vector<int> shown;
        SetFrameHook([&] {
            const unsigned red = (ReadBackPixel(320, 240) >> 16) & 0xFF;
            shown.push_back(static_cast<int>(red / 10));
            if (static_cast<int>(shown.size()) - 1 == escapeAt) InjectKeyPress(KEY_ESCAPE);
        });
        PlayIntro();
        SetFrameHook(nullptr);
        return shown;
    }

    static void TearDownTestSuite() {
        delete scratch_;
        scratch_ = nullptr;
    }

    static TempDir* scratch_;
    static fs::path dir_;
    fs::path previous_;
};

TempDir* Intro::scratch_ = nullptr;
fs::path Intro::dir_;

std::vector<int> Repeat(int picture, int times) {
    return std::vector<int>(times, picture);
}

void Append(std::vector<int>& to, const std::vector<int>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

} // namespace

TEST_F(Intro, ShowsThePicturesInOrderWhenNotInterrupted) {
    std::vector<int> expected;
    for (int pass = 0; pass < 25; ++pass)
        expected.push_back(pass % 5 == 0 ? 1 : 0);
    for (int picture = 0; picture < 17; ++picture)
        Append(expected, Repeat(picture, 3));
    Append(expected, Repeat(18, 20));
    Append(expected, Repeat(19, 180));
    Append(expected, Repeat(20, 25));
    Append(expected, Repeat(21, 25));
    const int start = Millis();
    EXPECT_EQ(Run(-1), expected);
    // 50 + 25 x 50 + 51 x 55 + 250 x 50 ms of sleeping, at least.
    EXPECT_GE(Millis() - start, 16605);
}

TEST_F(Intro, EscapeEndsEachPhaseAfterItsPassAndLaterPhasesRunOnce) {
    // In the flashing phase: the rest is one pass of typing and one of loading.
    EXPECT_EQ(Run(3), (std::vector<int>{1, 0, 0, 0, 0, 18}));
    // In the typing phase.
    std::vector<int> expected;
    for (int pass = 0; pass < 25; ++pass)
        expected.push_back(pass % 5 == 0 ? 1 : 0);
    Append(expected, {0, 0, 0, 1, 18});
    EXPECT_EQ(Run(25 + 3), expected);
    // In the loading phase.
    expected.resize(25);
    for (int picture = 0; picture < 17; ++picture)
        Append(expected, Repeat(picture, 3));
    Append(expected, Repeat(18, 20));
    Append(expected, Repeat(19, 2));
    EXPECT_EQ(Run(25 + 51 + 21), expected);
}

TEST_F(Intro, EscapeThatShortenedItDoesNotReachTheNextScreen) {
    Run(0);
    EXPECT_EQ(KeyHitCount(KEY_ESCAPE), 0);
    EXPECT_EQ(NextChar(), 0);
}

TEST_F(Intro, RunsWithoutAnyPicturesOrSounds) {
    TempDir empty;
    fs::current_path(empty.path());
    int frames = 0;
    SetFrameHook([&] { ++frames; });
    PlayIntro();
    EXPECT_EQ(frames, 25 + 51 + 250);
}
