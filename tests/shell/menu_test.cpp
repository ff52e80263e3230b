#include <chrono>
#include <deque>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "island/mapgen.h"
#include "shell/generated_island.h"
#include "shell/level.h"
#include "shell/title.h"
#include "support/golden.h"
#include "support/scoped_env.h"
#include "support/shell_fixture.h"
#include "support/temp_dir.h"
#include "world/critter.h"
#include "world/karte.h"
#include "world/map_files.h"

namespace fs = std::filesystem;

namespace {

// Drives the title screens: each presented frame takes the next scripted step.
class TitleMenu : public ShellFixture {
  protected:
    void SetUp() override {
        ShellFixture::SetUp();
        OpenWindow();
        LoadShippedAssets();
        SetFrameHook([this] {
            ++frames_;
            if (script_.empty()) return;
            auto step = script_.front();
            script_.pop_front();
            step();
        });
    }

    void Then(std::function<void()> step) { script_.push_back(std::move(step)); }
    // Runs the step at the first frame where `ready` holds; the frames before
    // give the real clock time (a helper program may be running). After a
    // minute it fails and runs the step anyway: generous, because under
    // emulation a single frame can take seconds.
    void When(std::function<bool()> ready, std::function<void()> step) {
        Then(Waiting(std::move(ready), std::move(step), std::chrono::steady_clock::now()));
    }
    std::function<void()> Waiting(std::function<bool()> ready, std::function<void()> step,
                                  std::chrono::steady_clock::time_point since) {
        return [this, ready, step, since] {
            const bool late = std::chrono::steady_clock::now() - since > std::chrono::seconds(60);
            if (ready() || late) {
                EXPECT_FALSE(late) << "the awaited screen never came";
                return step();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            script_.push_front(Waiting(ready, step, since));
        };
    }
    // A desktop opener that logs what it was given into "open_log.txt" of the
    // folder and exits with `status`.
    static void UseFakeOpener(const TempDir& dir, int status) {
        const fs::path opener = dir / "fake_opener.sh";
        const fs::path log = dir / "open_log.txt";
        std::ofstream(opener) << "#!/bin/sh\necho \"$1\" > " << log.string() << ".part\nmv "
                              << log.string() << ".part " << log.string() << "\nexit " << status
                              << "\n";
        fs::permissions(opener, fs::perms::owner_all);
        SetOpenCommand(opener.string());
    }
    void Press(int key) {
        Then([key] { InjectKeyPress(key); });
    }

    std::deque<std::function<void()>> script_;
    int frames_ = 0;
};

} // namespace

TEST_F(TitleMenu, TitlePictureWaitsForATypedCharacterNotForArrowKeys) {
    gamestate = GS_LOADLEVEL;
    Press(KEY_UP);
    Press(KEY_DOWN);
    Then([] { InjectText("x"); });
    LoadLevelAndShowTitle();
    EXPECT_EQ(frames_, 3);
    EXPECT_EQ(gamestate, GS_MENU);
    // The key that ended the title picture does not act in the menu.
    EXPECT_EQ(KeyHitCount(KEY_UP), 0);
    EXPECT_EQ(NextChar(), 0);
    // The level was loaded: the castaway stands on the first non-sea diagonal cell.
    EXPECT_NE(karte.data(player.x, player.y, 0), 0);
    EXPECT_EQ(player.x, player.y);
}

TEST_F(TitleMenu, StartEntryStartsPlayAndRestoresTheBuiltInFont) {
    gamestate = GS_MENU;
    Then([] {
        ExpectFrameMatchesGolden("menu");
        InjectKeyPress(KEY_ENTER);
    });
    RunTitleMenu();
    EXPECT_EQ(gamestate, GS_PLAY);
    EXPECT_EQ(GetFont(), defaultfont);
}

TEST_F(TitleMenu, UpFromTheFirstEntryWrapsToEndWhichQuits) {
    gamestate = GS_MENU;
    Press(KEY_UP);
    Press(KEY_SPACE);
    try {
        RunTitleMenu();
        FAIL() << "the menu returned instead of ending the program";
    } catch (const ProgramExit& exit) {
        EXPECT_EQ(exit.status, 0);
    }
}

TEST_F(TitleMenu, KeyPairsActOncePerPassAndTwinsStayPending) {
    gamestate = GS_MENU;
    // Up and W in one pass move once (to ENDE); the W press waits for the next
    // pass (LIESMICH.TXT); one more Up reaches KARTE WAEHLEN.
    Then([] {
        InjectKeyPress(KEY_UP);
        InjectKeyPress(KEY_W);
    });
    Then([] {});
    Press(KEY_UP); // now on KARTE WAEHLEN
    Press(KEY_ENTER);
    std::string asked;
    SetRequestFileAnswer([&](const std::string& title) {
        asked = title;
        return std::string("Map/Bucht.MAP"); // the shipped bay, in the asset tree
    });
    RunTitleMenu();
    EXPECT_EQ(asked, "Select .map File:");
    EXPECT_EQ(gamestate, GS_LOADLEVEL);
    EXPECT_EQ(mapfile, "map/bucht.png");
}

TEST_F(TitleMenu, CancelledMapDialogKeepsTheMap) {
    gamestate = GS_MENU;
    mapfile = "map/map.png";
    Press(KEY_DOWN);
    Press(KEY_ENTER);
    SetRequestFileAnswer([](const std::string&) { return std::string(); });
    RunTitleMenu();
    EXPECT_EQ(gamestate, GS_LOADLEVEL);
    EXPECT_EQ(mapfile, "map/map.png");
}

TEST_F(TitleMenu, MapDialogGivesBackAlphaBlending) {
    gamestate = GS_MENU;
    Press(KEY_DOWN);
    Press(KEY_ENTER);
    SetRequestFileAnswer([](const std::string&) {
        // A mode switch for the dialog starts a fresh drawing state.
        OpenGraphics(640, 480, 0, 60, 0);
        return std::string("map/map.map");
    });
    RunTitleMenu();
    // A half-transparent grey rectangle over white must blend, not replace.
    Cls();
    SetColor(255, 255, 255);
    SetAlpha(1);
    DrawRect(0, 0, 10, 10);
    SetAlpha(0.5f);
    SetColor(0, 0, 0);
    DrawRect(0, 0, 10, 10);
    const unsigned red = (ReadBackPixel(5, 5) >> 16) & 0xFF;
    EXPECT_NEAR(static_cast<int>(red), 128, 2);
}

TEST_F(TitleMenu, MapDialogFallsBackToTheOtherModeAndEndsClearlyWithoutAny) {
    // Full screen cannot come back after the dialog: play goes on in a window.
    ASSERT_TRUE(OpenGraphics(640, 480, 32, 60, 0));
    RefuseGraphicsModes([](int depth) { return depth == 32; });
    SetRequestFileAnswer([](const std::string&) { return std::string(); });
    gamestate = GS_MENU;
    Press(KEY_DOWN);
    Press(KEY_ENTER);
    RunTitleMenu();
    Cls();
    SetColor(255, 255, 255);
    DrawRect(0, 0, 10, 10);
    EXPECT_EQ(ReadBackPixel(5, 5), 0xFFFFFFFFu) << "no mode is open";

    // No mode at all: a clear fatal error instead of a game without a window.
    RefuseGraphicsModes(nullptr);
    ASSERT_TRUE(OpenGraphics(640, 480, 32, 60, 0));
    RefuseGraphicsModes([](int) { return true; });
    gamestate = GS_MENU;
    Press(KEY_DOWN);
    Press(KEY_ENTER);
    int status = 0;
    std::string message;
    try {
        RunTitleMenu();
    } catch (const ProgramExit& exit) {
        status = exit.status;
        message = exit.message;
    }
    EXPECT_EQ(status, -1);
    EXPECT_NE(message.find("Cannot open a 640 x 480 window"), std::string::npos) << message;
}

TEST_F(TitleMenu, ReadmeIsHandedToTheDesktop) {
    TempDir scratch;
    const fs::path log = scratch / "open_log.txt";
    UseFakeOpener(scratch, 0);
    gamestate = GS_MENU;
    Press(KEY_DOWN);
    Press(KEY_DOWN);
    Press(KEY_ENTER);
    // The menu goes on while the opener runs.
    When([&] { return fs::exists(log); }, [] { InjectKeyPress(KEY_UP); });
    Press(KEY_UP);
    Press(KEY_ENTER); // back on SPIEL STARTEN: start
    RunTitleMenu();
    SetOpenCommand("");
    EXPECT_EQ(gamestate, GS_PLAY);
    std::string line;
    std::getline(std::ifstream(log), line);
    // A file address with an empty authority, as desktop openers expect it.
    EXPECT_EQ(line, "file://" + (fs::path(PALMUT_ASSET_DIR) / "data/liesmich.txt").string());
}

namespace {

bool IsRed(unsigned pixel) {
    return ((pixel >> 16) & 0xFF) > 200 && ((pixel >> 8) & 0xFF) < 60;
}

// The pixels of the in-game reader's page number, empty while its red header
// is not shown.
std::vector<unsigned> ReaderHeader() {
    bool red = false;
    std::vector<unsigned> pageDigit;
    for (int y = 4; y < 16; ++y) {
        for (int x = 8; x < 24; ++x)
            red = red || IsRed(ReadBackPixel(x, y));
        for (int x = 224; x < 248; ++x) // "Seite N": the digits
            pageDigit.push_back(ReadBackPixel(x, y));
    }
    return red ? pageDigit : std::vector<unsigned>();
}

} // namespace

TEST_F(TitleMenu, ReadmeWithoutADesktopViewerIsReadInTheGame) {
    TempDir scratch;
    UseFakeOpener(scratch, 3); // as xdg-open without a desktop
    gamestate = GS_MENU;
    Press(KEY_DOWN);
    Press(KEY_DOWN);
    Press(KEY_ENTER);
    std::vector<unsigned> first, second, back;
    When([] { return !ReaderHeader().empty(); },
         [&] {
             first = ReaderHeader();
             InjectKeyPress(KEY_SPACE);
         });
    Then([&] {
        second = ReaderHeader();
        InjectKeyPress(KEY_LEFT);
    });
    Then([&] {
        back = ReaderHeader();
        InjectKeyPress(KEY_ESCAPE);
    });
    Then([&] { EXPECT_TRUE(ReaderHeader().empty()) << "Escape leads back to the menu"; });
    Press(KEY_UP);
    Press(KEY_UP);
    Press(KEY_ENTER);
    RunTitleMenu();
    SetOpenCommand("");
    EXPECT_EQ(gamestate, GS_PLAY);
    ASSERT_FALSE(first.empty());
    EXPECT_NE(second, first) << "Space turns the page";
    EXPECT_EQ(back, first) << "Left turns it back";
}

TEST_F(TitleMenu, MapChoiceFromThePlayersOwnFilesTakesThePictureOrKeepsTheMap) {
    ScopedEnv data("XDG_DATA_HOME", nullptr);
    ScopedEnv x11("DISPLAY", nullptr);
    ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
    SetRequestFileAnswer(nullptr);
    const std::string bay = std::string(PALMUT_ASSET_DIR) + "/map/bucht";
    struct Case {
        std::vector<std::string> picked, tooBig;
        std::string mapfile, notice;
    };
    const Case cases[] = {
        // The picture, whatever order the picker gives the files in.
        {{bay + ".critter", bay + ".map", bay + ".png"}, {}, bay + ".png", ""},
        // Cancelled: the island played stays.
        {{}, {}, "map/map.png", ""},
        // A file too big is named and the island played stays.
        {{bay + ".png"}, {"Riesig.MAP"}, "map/map.png", "Karte zu gross: Riesig.MAP"},
        // A layer file without its picture cannot be read.
        {{"/nowhere/insel.map"}, {}, "map/map.png", "Karte nicht lesbar: insel.map"},
    };
    for (const Case& c : cases) {
        SetOwnFilesAnswer([&c](std::vector<std::string>& tooBig) {
            tooBig = c.tooBig;
            return c.picked;
        });
        mapfile = "map/map.png";
        mapnotice.clear();
        gamestate = GS_MENU;
        Press(KEY_DOWN);
        Press(KEY_ENTER);
        // Down stops at the list's last row: the player's own files.
        for (int i = 0; i < 6; ++i)
            Press(KEY_DOWN);
        Press(KEY_ENTER);
        RunTitleMenu();
        EXPECT_EQ(gamestate, GS_LOADLEVEL);
        EXPECT_EQ(mapfile, c.mapfile);
        EXPECT_EQ(mapnotice, c.notice);
    }
}

TEST_F(TitleMenu, MapChoiceWithoutADesktopDialogListsTheMapsInTheGame) {
    TempDir scratch;
    const std::string userMaps = scratch.path();
    // A readable island of the player's own: the shipped bay under another name.
    fs::create_directories(scratch / "palmut/maps");
    fs::copy_file(std::string(PALMUT_ASSET_DIR) + "/map/bucht.png",
                  scratch / "palmut/maps/eigene.png");
    fs::copy_file(std::string(PALMUT_ASSET_DIR) + "/map/bucht.map",
                  scratch / "palmut/maps/Eigene.map");
    scratch.Write("palmut/maps/notiz.txt", "x");
    ScopedEnv data("XDG_DATA_HOME", userMaps.c_str());
    ScopedEnv x11("DISPLAY", nullptr);
    ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
    SetRequestFileAnswer(nullptr);
    struct Case {
        std::vector<int> keys; // in the list, one per frame
        std::string mapfile;
    };
    const Case cases[] = {
        {{KEY_ENTER}, MapImageFileName(userMaps + "/palmut/maps/Eigene.map")},
        {{KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_UP, KEY_UP, KEY_SPACE},
         MapImageFileName(std::string(PALMUT_ASSET_DIR) + "/map/bucht.map")},
        {{KEY_DOWN, KEY_ESCAPE}, "map/map.png"},
        // The last entry grows a new island, loaded like a chosen map.
        {{KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_ENTER}, ""},
    };
    for (const Case& c : cases) {
        mapfile = "map/map.png";
        gamestate = GS_MENU;
        Press(KEY_DOWN);
        Press(KEY_ENTER);
        for (int key : c.keys)
            Press(key);
        RunTitleMenu();
        EXPECT_EQ(gamestate, GS_LOADLEVEL);
        if (!c.mapfile.empty()) {
            EXPECT_EQ(mapfile, c.mapfile);
            continue;
        }
        ASSERT_TRUE(IsGeneratedIsland(mapfile)) << mapfile;
        EXPECT_EQ(mapnotice, IslandCaption(mapfile));
        LoadLevel();
        EXPECT_EQ(karte.sizex, mapgen::kGameSide);
        EXPECT_FALSE(TCritter::list.empty());
        // A restart after a death plays the very same island.
        const TKarte first = karte;
        LoadLevel();
        EXPECT_EQ(karte.sizex, first.sizex);
        for (int y = 0; y < first.sizey; ++y)
            for (int x = 0; x < first.sizex; ++x)
                for (int layer : {0, 1})
                    ASSERT_EQ(karte.data(x, y, layer), first.data(x, y, layer)) << x << "," << y;
    }
}
