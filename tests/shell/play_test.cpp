#include <filesystem>

#include <gtest/gtest.h>

#include "player/player.h"
#include "shell/death_screen.h"
#include "shell/intro.h"
#include "shell/main_loop.h"
#include "shell/title.h"
#include "shell/victory.h"
#include "support/golden.h"
#include "support/shell_fixture.h"
#include "support/temp_dir.h"
#include "world/critter.h"
#include "world/message.h"

namespace {

// The hunger and thirst gauges: 32 x 32 frames around (550, 40) and (590, 40),
// drawn at double size with linear filtering.
const std::vector<FilteredArea> kNeedGauges = {{550 - 32, 40 - 32, 64, 64},
                                               {590 - 32, 40 - 32, 64, 64}};

class Play : public ShellFixture {
  protected:
    void SetUp() override {
        ShellFixture::SetUp();
        OpenWindow();
        LoadShippedAssets();
        karte = TKarte::loadPNG("map/map.png");
        gamestate = GS_PLAY;
    }

    // Runs one pass; `atFlip` runs while the pass's frame is on the back buffer.
    bool Pass(std::function<void()> atFlip = {}) {
        SetFrameHook([&] {
            ++frames_;
            if (atFlip) atFlip();
        });
        const bool goOn = RunOnePass();
        SetFrameHook(nullptr);
        return goOn;
    }

    int frames_ = 0;
};

} // namespace

TEST_F(Play, EscapeEndsTheLoopAfterThePassIsPresented) {
    player.SetPos(20, 20);
    InjectKeyPress(KEY_ESCAPE);
    EXPECT_FALSE(Pass());
    EXPECT_EQ(frames_, 1);
    EXPECT_EQ(gamestate, GS_QUIT);
}

TEST_F(Play, CloseRequestEndsTheLoopAtTheEndOfThePass) {
    player.SetPos(20, 20);
    EXPECT_TRUE(Pass());
    InjectCloseRequest();
    EXPECT_FALSE(Pass());
    EXPECT_EQ(gamestate, GS_PLAY);
}

TEST_F(Play, CloseRequestOnAScreenOutsidePlayEndsTheProgram) {
    const std::vector<std::pair<const char*, std::function<void()>>> screens = {
        {"intro", [] { PlayIntro(); }},
        {"title picture",
         [] {
             gamestate = GS_LOADLEVEL;
             LoadLevelAndShowTitle();
         }},
        {"menu",
         [] {
             gamestate = GS_MENU;
             RunTitleMenu();
         }},
        {"death screen", [] { ShowDeathScreen(GS_DEAD_HUNGER); }},
        {"victory screen", [] { ShowVictoryScreen(); }},
    };
    for (const auto& [name, screen] : screens) {
        // The window is asked to close while the screen waits. A screen that
        // ignores it is let go with its own keys, so the case fails instead of hanging.
        int calls = 0;
        bool ignored = false;
        auto hook = [&] {
            if (++calls == 1) InjectCloseRequest();
            if (calls == 200) {
                ignored = true;
                InjectKeyPress(KEY_ENTER);
                InjectText("p");
            }
        };
        SetFrameHook(hook);
        SetIdleHook(hook);
        int status = 1;
        try {
            screen();
        } catch (const ProgramExit& exit) {
            status = exit.status;
        }
        SetFrameHook(nullptr);
        SetIdleHook(nullptr);
        EXPECT_EQ(status, 0) << name;
        EXPECT_FALSE(ignored) << name;
        ClearKeys();
        CloseRequested();
    }
}

TEST_F(Play, DeathByThirstShowsItsScreenAndEnterRestartsTheLevel) {
    player.SetPos(20, 20);
    player.durst = 181;
    player.inventory[0] = 2;
    EXPECT_TRUE(Pass());
    EXPECT_EQ(gamestate, GS_DEAD_THIRST);

    // Next pass: the death screen waits; Enter is typed while it waits.
    int idle = 0;
    SetIdleHook([&] {
        if (++idle == 3) InjectKeyPress(KEY_ENTER);
    });
    bool screenShown = false;
    EXPECT_TRUE(Pass([&] {
        if (!screenShown) ExpectFrameMatchesGolden("death_thirst");
        screenShown = true;
    }));
    SetIdleHook(nullptr);
    EXPECT_EQ(gamestate, GS_LOADLEVEL);

    // The pass after reloads the level: title picture, then the menu starts play.
    int step = 0;
    EXPECT_TRUE(Pass([&] {
        ++step;
        if (step == 1) InjectText("q");
        if (step == 2) InjectKeyPress(KEY_ENTER);
    }));
    EXPECT_EQ(gamestate, GS_PLAY);
    EXPECT_EQ(player.durst, 0);
    EXPECT_EQ(player.inventory[0], 0);
}

TEST_F(Play, ViewFollowsTheCastawayToEveryEdge) {
    const int maxX = karte.sizex - 1, maxY = karte.sizey - 1;
    const struct {
        const char* name;
        int x, y;
    } spots[] = {{"view_centre", karte.sizex / 2, karte.sizey / 2},
                 {"view_top_left", 0, 0},
                 {"view_top_right", maxX, 0},
                 {"view_bottom_left", 0, maxY},
                 {"view_bottom_right", maxX, maxY},
                 {"view_left", 2, karte.sizey / 2},
                 {"view_right", maxX - 2, karte.sizey / 2},
                 {"view_top", karte.sizex / 2, 3},
                 {"view_bottom", karte.sizex / 2, maxY - 3}};
    for (const auto& spot : spots) {
        player.SetPos(spot.x, spot.y);
        player.hunger = 100;
        player.durst = 40;
        player.inventory = {4, 0, 6, 13, 0, 0, 18, 0, 21, 17};
        Pass([&] { ExpectFrameMatchesGolden(spot.name, 1, kNeedGauges); });
    }
}

TEST_F(Play, CombineSelectionWithAFirstPick) {
    player.SetPos(karte.sizex / 2, karte.sizey / 2);
    player.inventory = {2, 3, 6, 0, 0, 0, 0, 0, 0, 15};
    InjectKeyPress(KEY_C);
    Pass();
    EXPECT_EQ(gamestate, GS_COMBINE);
    InjectKeyPress(KEY_D);
    InjectKeyPress(KEY_ENTER); // picks slot 1
    Pass();
    InjectKeyPress(KEY_D);
    Pass([&] { ExpectFrameMatchesGolden("combine_first_pick", 1, kNeedGauges); });
    EXPECT_EQ(player.combine1, 3);
    EXPECT_EQ(player.chosen, 2);
}

TEST_F(Play, DeathScreensOfHungerAndTheMonitorLizard) {
    player.SetPos(20, 20);
    for (const auto& [state, name] :
         {std::pair{GS_DEAD_HUNGER, "death_hunger"}, std::pair{GS_DEAD_WARAN, "death_waran"}}) {
        gamestate = state;
        int idle = 0;
        SetIdleHook([&] {
            if (++idle == 2) InjectKeyPress(KEY_ESCAPE);
        });
        bool first = true;
        EXPECT_FALSE(Pass([&, name = name] {
            if (first) ExpectFrameMatchesGolden(name);
            first = false;
        }));
        SetIdleHook(nullptr);
        EXPECT_EQ(gamestate, GS_QUIT);
    }
}

TEST_F(Play, DeathScreenWaitsForEnterOrEscapeAndIgnoresEarlierPresses) {
    struct Case {
        int state, key, after;
    };
    for (Case c : {Case{GS_DEAD_HUNGER, KEY_ENTER, GS_LOADLEVEL},
                   Case{GS_DEAD_WARAN, KEY_ESCAPE, GS_QUIT}}) {
        InjectKeyPress(KEY_ENTER); // made before the screen showed: must not count
        int idle = 0;
        SetIdleHook([&] {
            if (++idle == 5) InjectKeyPress(c.key);
        });
        ShowDeathScreen(c.state);
        SetIdleHook(nullptr);
        EXPECT_EQ(gamestate, c.after);
        EXPECT_GE(idle, 5);
    }
}

TEST_F(Play, DeathScreenLinesAreCentred) {
    const char* const lines[] = {
        "Der Waran reisst Dich in Stuecke. Schreiend blutest Du Dein Leben in den Sand.",
        "Enter um es erneut zu versuchen.", "Escape beendet das Spiel.",
        "Mehr Glueck beim naechsten Schiffbruch!"};
    const TempDir scratch;
    const std::filesystem::path shot = scratch.path();
    SetFrameHook([&] { CaptureFrame((shot / "death.png").string()); });
    int idle = 0;
    SetIdleHook([&] {
        if (++idle == 2) InjectKeyPress(KEY_ESCAPE);
    });
    ShowDeathScreen(GS_DEAD_WARAN);
    SetFrameHook(nullptr);
    SetIdleHook(nullptr);
    EXPECT_EQ(gamestate, GS_QUIT);

    Cls();
    const int xs[] = {8, 192, 220, 164};
    for (int i = 0; i < 4; ++i)
        DrawText(lines[i], xs[i], 220 + 10 * i);
    ASSERT_TRUE(CaptureFrame((shot / "death-expected.png").string()));
    const PixmapPtr got = LoadPixmapFile((shot / "death.png").string());
    const PixmapPtr want = LoadPixmapFile((shot / "death-expected.png").string());
    ASSERT_TRUE(got && want);
    int differing = 0, lit = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            differing += ReadPixel(got, x, y) != ReadPixel(want, x, y);
            lit += (ReadPixel(got, x, y) & 0xFFFFFF) != 0;
        }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(lit, 500);
}
