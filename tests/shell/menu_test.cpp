#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <vector>

#include "shell/title.h"
#include "support/golden.h"
#include "support/shell_fixture.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

TEST(MapChoice, ChosenPathIsLowerCasedWithOnlyItsOwnExtensionReplaced) {
    EXPECT_EQ(MapImageForChosenFile("Map/Insel.MAP"), "map/insel.png");
    // A folder named like a map file keeps its name.
    EXPECT_EQ(MapImageForChosenFile("/x/Palmut.Maps/insel.map"), "/x/palmut.maps/insel.png");
    EXPECT_EQ(MapImageForChosenFile("/x/Karten.map/x.map"), "/x/karten.map/x.png");
    EXPECT_EQ(MapImageForChosenFile("island.PNG"), "island.png");
}

namespace {

// Drives the title screens: each presented frame takes the next scripted step.
class TitleMenu : public ShellFixture {
  protected:
    void SetUp() override {
        ShellFixture::SetUp();
        OpenWindow();
        LoadGameAssets();
        SetFrameHook([this] {
            ++frames_;
            if (script_.empty()) return;
            auto step = script_.front();
            script_.pop_front();
            step();
        });
    }

    void Then(std::function<void()> step) { script_.push_back(std::move(step)); }
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
    const fs::path opener = scratch / "fake_opener.sh";
    std::ofstream(opener) << "#!/bin/sh\necho \"$1\" > " << log.string() << "\n";
    fs::permissions(opener, fs::perms::owner_all);
    SetOpenCommand(opener.string());

    gamestate = GS_MENU;
    Press(KEY_DOWN);
    Press(KEY_DOWN);
    Press(KEY_ENTER);
    Press(KEY_UP);
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
