#include <cstdlib>

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include "dialog_xdotool.h"
#include "media/desktop.h"
#include "media/desktop/native/desktop_process.h"
#include "media/desktop/native/file_dialog_filter.h"
#include "media/graphics.h"
#include "media/input/event_pump.h"
#include "media/keyboard.h"
#include "media/test_seams.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace {

using namespace media_internal;

TEST(DialogFilter, GroupsBecomeLabelledCaseBlindPatterns) {
    auto one = ParseFileFilter("map:map");
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].label, "map Files");
    EXPECT_EQ(one[0].patterns, std::vector<std::string>{"*.map"});
    EXPECT_EQ(ZenityFilters(one), std::vector<std::string>{"map Files | *.[mM][aA][pP]"});
    EXPECT_EQ(KdialogFilter(one), "map Files (*.map)");

    auto two = ParseFileFilter("Bilder:png, .JPG;Alle:*");
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0].patterns, (std::vector<std::string>{"*.png", "*.JPG"}));
    EXPECT_EQ(two[1].patterns, std::vector<std::string>{"*"});
    EXPECT_EQ(KdialogFilter(two), "Bilder Files (*.png *.JPG)\nAlle Files (*)");

    // Glob or filter syntax inside an extension is refused, not passed on.
    auto odd = ParseFileFilter("x|y:m[a]p,ok;;");
    ASSERT_EQ(odd.size(), 1u);
    EXPECT_EQ(odd[0].label, "x y Files");
    EXPECT_EQ(odd[0].patterns, std::vector<std::string>{"*.ok"});
    EXPECT_EQ(ParseFileFilter("").size(), 0u);
}

TEST(DialogProcess, OutputExitCodeAndMissingProgram) {
    ProcessOptions capture;
    capture.captureOutput = true;
    auto r = RunProcess({"sh", "-c", "echo warn; echo /tmp/a.map; echo; exit 0"}, capture);
    EXPECT_TRUE(r.started && r.exited);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(LastNonEmptyLine(r.output), "/tmp/a.map");
    // The argument reaches the program as one word, untouched by any shell.
    r = RunProcess({"printf", "%s", "a b;$(x)"}, capture);
    EXPECT_EQ(r.output, "a b;$(x)");
    r = RunProcess({"sh", "-c", "exit 7"}, {});
    EXPECT_EQ(r.exitCode, 7);
    EXPECT_FALSE(RunProcess({"/no/such/program-x"}, {}).started);

    ProcessOptions quick;
    quick.timeoutMs = 100;
    int polls = 0;
    quick.whileWaiting = [&] { ++polls; };
    r = RunProcess({"sleep", "5"}, quick);
    EXPECT_TRUE(r.started);
    EXPECT_FALSE(r.exited);
    EXPECT_GT(polls, 0);
}

TEST(DialogRequestFile, ScriptedAnswerAndNoDisplay) {
    SetRequestFileAnswer([](const std::string& title) { return "/maps/" + title + ".map"; });
    EXPECT_EQ(RequestFile("insel", "map:map", 0, "map/"), "/maps/insel.map");
    SetRequestFileAnswer(nullptr);

    const char* display = std::getenv("DISPLAY");
    std::string saved = display ? display : "";
    unsetenv("DISPLAY");
    EXPECT_EQ(RequestFile("Select .map File:", "map:map", 0, "map/"), "");
    if (display) setenv("DISPLAY", saved.c_str(), 1);
}

// Drives the real zenity dialog with xdotool; needs an X server (xvfb-run).
class DialogXvfb : public testing::Test {
  protected:
    void SetUp() override {
        const char* display = std::getenv("DISPLAY");
        if (!display || !*display) GTEST_SKIP() << "no DISPLAY: run under xvfb-run";
        ProcessOptions quiet;
        quiet.captureOutput = quiet.quietErrors = true;
        if (!RunProcess({"zenity", "--version"}, quiet).started ||
            !RunProcess({"xdotool", "--version"}, quiet).started)
            GTEST_SKIP() << "zenity or xdotool missing";
    }
    DisplayInputLock lock;
};

TEST_F(DialogXvfb, ChoosingAFileReturnsItsAbsolutePath) {
    // With a real X window the dialog is attached to it. Only when this process
    // has not started video yet, and only for this test: later tests expect the
    // offscreen driver the test environment names.
    const bool ownVideo = SDL_WasInit(SDL_INIT_VIDEO) == 0;
    ScopedEnv x11("SDL_VIDEODRIVER", ownVideo ? "x11" : std::getenv("SDL_VIDEODRIVER"));
    bool windowed = OpenGraphics(640, 480, 0, 60, 0);
    TempDir dir;
    std::string map = dir.Write("Map/insel.map", "x");
    ScopedWorkingDir cwd(dir.path());
    auto driver = DriveDialog("Karte waehlen", {{"key", "--window", "%w", "ctrl+l"},
                                                {"type", "--window", "%w", "--delay", "30", map},
                                                {"key", "--window", "%w", "Return"}});
    std::string chosen = RequestFile("Karte waehlen", "map:map", 0, "map/");
    driver.join();
    EXPECT_EQ(chosen, map);
    if (windowed) CloseGraphics();
    if (ownVideo) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

TEST_F(DialogXvfb, EscapeCancels) {
    auto driver = DriveDialog("Abbrechen bitte", {{"key", "--window", "%w", "Escape"}});
    // Keys that reach the game while the dialog is up belong to the dialog,
    // even where no focus change tells the game (no window here).
    media_internal::StartKeyboard();
    InjectKeyPress(KEY_ENTER);
    InjectText("x");
    InjectCloseRequest();
    std::string chosen = RequestFile("Abbrechen bitte", "map:map", 0, "");
    driver.join();
    EXPECT_EQ(chosen, "");
    EXPECT_EQ(KeyHitCount(KEY_ENTER), 0);
    EXPECT_EQ(NextChar(), 0);
    EXPECT_EQ(CloseRequested(), 1); // a close request is not a key
}

} // namespace
