// A raft finished before the sail was found: the castaway is told what is
// missing, fetches it, and wins by coming back to stand on the raft.
#include "scenario_support.h"
#include "world/objekt.h"

using namespace scenario;

namespace {

constexpr int kRaftX = 12, kSailX = 14;

Island BeachWithSailFarAway() {
    Island island(24, 16, GRASS);
    for (int x = 0; x < 24; ++x)
        island.SetGround(x, 0, SEA);
    for (int y = 0; y < 16; ++y)
        island.SetGround(0, y, SEA);
    island.Put(2, 1, TObjekt::LEDERBEUTEL);
    for (int x = 3; x <= 5; ++x)
        island.Put(x, 1, TObjekt::BRATEN);
    for (int x = 6; x <= 11; ++x)
        island.Put(x, 1, TObjekt::PLANKE);
    island.SetGround(kRaftX, 1, SAND);
    island.Put(kSailX, 1, TObjekt::SEGEL);
    return island;
}

} // namespace

TEST_F(Scenario, MissingSailIsNamedAndTheRaftWinsOnceItIsCarried) {
    StartOn(BeachWithSailFarAway());
    for (int x = 2; x <= 5; ++x) {
        Walk(x, 1);
        Take();
    }
    for (int pair = 0; pair < 3; ++pair) {
        Walk(6 + 2 * pair, 1);
        Take();
        Walk(7 + 2 * pair, 1);
        Take();
        Walk(kRaftX, 1);
        Combine(4, 5);
    }
    EXPECT_EQ(karte.data(kRaftX, 1, 2), 3);
    EXPECT_EQ(gamestate, GS_PLAY);
    EXPECT_TRUE(Showing("Mir fehlt noch ein brauchbares Segel."));
    EXPECT_FALSE(Showing("Oha, ich muss irgendwie Wasser auf die Reise mitnehmen."));
    EXPECT_FALSE(Showing("Ohne eine ganze Ladung Nahrungsmittel werde ich verhungern."));

    // Standing on the raft, the reminder comes back every three seconds.
    for (int pass = 0; pass < 60; ++pass)
        Press({});
    EXPECT_TRUE(Showing("Mir fehlt noch ein brauchbares Segel."));
    EXPECT_EQ(gamestate, GS_PLAY);

    Walk(kSailX, 1);
    Take();
    EXPECT_EQ(player.inventory[4], TObjekt::SEGEL);
    Walk(kRaftX, 1);
    // Within three seconds (50 passes of 60 ms) the check sees everything
    // aboard, also while the castaway looks through his bag.
    Press(KEY_ENTER);
    ASSERT_EQ(gamestate, GS_USE);
    int waited = 0;
    while (gamestate == GS_USE && waited < 60) {
        Press({});
        ++waited;
    }
    EXPECT_EQ(gamestate, GS_VICTORY) << "after " << waited << " passes on the raft";
    EXPECT_LE(waited, 51);
    EXPECT_TRUE(Showing("YEHAAAAAAA!!!!"));

    // A typed key still pending when the victory screen starts does not end it.
    InjectText("z");
    int shown = 0;
    SetFrameHook([&] {
        if (++shown == 4) InjectText("x");
    });
    try {
        RunOnePass();
        FAIL() << "the victory screen returned to the main loop";
    } catch (const ProgramExit& exit) {
        EXPECT_EQ(exit.status, 0);
    }
    EXPECT_EQ(shown, 4);
}
