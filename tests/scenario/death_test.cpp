// Ways to die on the island, what the death screen offers, and trying again.
#include "scenario_support.h"
#include "world/critter.h"
#include "world/objekt.h"

using namespace scenario;

namespace {

// Plain land below a row of sea, with the first column sea too, so the
// castaway starts at (1, 1) and cannot walk north from there.
Island PlainIsland(int ground) {
    Island island(24, 16, ground);
    for (int x = 0; x < 24; ++x)
        island.SetGround(x, 0, SEA);
    for (int y = 0; y < 16; ++y)
        island.SetGround(0, y, SEA);
    return island;
}

class Death : public Scenario {
  protected:
    // Runs the pass that shows the death screen; `answer` is pressed while it
    // waits. Returns what RunOnePass returned.
    bool AnswerDeathScreen(int answer, const std::string& snapshot) {
        const auto frames = FramesDir("scenario-frames");
        SetFrameHook([&] {
            if (++screenFrames_ == 1) CaptureFrame((frames / (snapshot + ".png")).string());
        });
        int waited = 0;
        SetIdleHook([&] {
            if (++waited == 5) InjectKeyPress(answer);
        });
        const bool goOn = RunOnePass();
        GuardAgainstWaiting();
        SetFrameHook(nullptr);
        EXPECT_GE(waited, 5) << "the death screen did not wait for a key";
        return goOn;
    }

    int screenFrames_ = 0;
};

} // namespace

TEST_F(Death, StarvingOnRockThenTryingAgainRestoresTheIsland) {
    Island island = PlainIsland(ROCK);
    island.Put(2, 1, TObjekt::TREIBHOLZ);
    StartOn(island);
    Walk(2, 1);
    Take();
    ASSERT_EQ(player.inventory[0], TObjekt::TREIBHOLZ);

    // Each step on rock costs 6 hunger and 3 thirst: hunger passes 300 first.
    int steps = 1;
    while (player.hunger <= 300) {
        Press(steps % 2 ? KEY_D : KEY_A);
        ++steps;
        ASSERT_LT(steps, 60);
    }
    EXPECT_LE(player.durst, 180);
    EXPECT_EQ(gamestate, GS_PLAY); // the limit is tested at the start of a pass
    Press(KEY_W);                  // blocked by the sea edge: no step, no cost
    EXPECT_EQ(gamestate, GS_DEAD_HUNGER);

    // Keys pressed before the screen appeared do not answer it.
    InjectKeyPress(KEY_ESCAPE);
    EXPECT_TRUE(AnswerDeathScreen(KEY_ENTER, "death_hunger"));
    EXPECT_EQ(gamestate, GS_LOADLEVEL);

    // Trying again loads the island afresh and passes the title screens again.
    StartOn(island);
    EXPECT_EQ(player.hunger, 0);
    EXPECT_EQ(player.durst, 0);
    EXPECT_EQ(player.x, 1);
    EXPECT_EQ(player.y, 1);
    EXPECT_EQ(player.inventory, (std::array<int, 10>{}));
    EXPECT_EQ(karte.data(2, 1, 1), TObjekt::TREIBHOLZ);
    Walk(3, 1);
    EXPECT_EQ(player.hunger, 12);
}

TEST_F(Death, ThirstOnGrassAndEscapeEndsTheGame) {
    StartOn(PlainIsland(GRASS));
    // 180 thirst is survived, the 181st step on grass is one too many.
    for (int step = 0; step < 181; ++step) {
        Press(step % 2 ? KEY_A : KEY_D);
        ASSERT_EQ(gamestate, GS_PLAY) << "after step " << step + 1;
    }
    EXPECT_EQ(player.durst, 181);
    Press(KEY_SPACE); // the limit is seen; this pass still takes its action
    EXPECT_EQ(gamestate, GS_DEAD_THIRST);
    EXPECT_TRUE(Showing("Ich kann das nicht nehmen!"));

    EXPECT_FALSE(AnswerDeathScreen(KEY_ESCAPE, "death_thirst"));
    EXPECT_EQ(gamestate, GS_QUIT);
}

TEST_F(Death, TheMonitorLizardCatchesTheCastaway) {
    // The lizard's place and walk follow from the fixed seed; the castaway
    // walks towards wherever it is until they meet.
    StartOn(PlainIsland(GRASS), 0, 1);
    ASSERT_EQ(TCritter::list.size(), 1u);
    ASSERT_EQ(TCritter::list[0].typ, TCritter::WARAN);
    for (int pass = 0; gamestate == GS_PLAY; ++pass) {
        ASSERT_LT(pass, 300) << "the lizard was never reached";
        const TCritter& lizard = TCritter::list[0];
        if (lizard.x != player.x)
            Press(lizard.x < player.x ? KEY_A : KEY_D);
        else
            Press(lizard.y < player.y ? KEY_W : KEY_S);
    }
    EXPECT_EQ(gamestate, GS_DEAD_WARAN);
    EXPECT_TRUE(Showing("AAAARGH!"));
    EXPECT_EQ(TCritter::list[0].x, player.x);
    EXPECT_EQ(TCritter::list[0].y, player.y);

    EXPECT_FALSE(AnswerDeathScreen(KEY_ESCAPE, "death_waran"));
    EXPECT_EQ(gamestate, GS_QUIT);
}

TEST_F(Death, CrittersOfTheNextTryKeepAwayFromTheStartNotFromTheDeathSpot) {
    Island island(64, 64, GRASS);
    for (int i = 0; i < 5; ++i)
        island.SetGround(i, i, SEA); // start at (5, 5)
    StartOn(island, 300, 0);
    // Died far from the start; trying again reloads the level.
    player.SetPos(40, 30);
    gamestate = GS_LOADLEVEL;
    PassTitleScreens();
    ASSERT_EQ(player.x, 5);
    ASSERT_EQ(player.y, 5);
    ASSERT_EQ(TCritter::list.size(), 300u);
    for (const TCritter& ape : TCritter::list) {
        EXPECT_NE(ape.x, 5);
        EXPECT_NE(ape.y, 5);
    }
}
