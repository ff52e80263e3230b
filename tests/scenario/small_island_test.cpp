// An island smaller than the screen: the view stays at its corner, the
// castaway is drawn on his own tile, and animals stay on land inside it.
#include "scenario_support.h"
#include "world/critter.h"
#include "world/objekt.h"

using namespace scenario;

namespace {

constexpr int kWidth = 6, kHeight = 5;

Island SmallIsland() {
    Island island(kWidth, kHeight, GRASS);
    island.SetGround(0, 0, SEA);
    island.SetGround(kWidth - 1, kHeight - 1, SEA);
    island.Put(3, 1, TObjekt::PALME);
    island.Put(1, 3, TObjekt::BEERENSTRAUCH);
    return island;
}

// Sum over a 32 x 32 block centred on a screen point of all colour channels.
long BlockSum(int cx, int cy) {
    long sum = 0;
    for (int y = cy - 16; y < cy + 16; ++y)
        for (int x = cx - 16; x < cx + 16; ++x) {
            if (x < 0 || y < 0 || x >= 640 || y >= 480) continue;
            const unsigned p = ReadBackPixel(x, y);
            sum += (p & 0xFF) + ((p >> 8) & 0xFF) + ((p >> 16) & 0xFF);
        }
    return sum;
}

} // namespace

TEST_F(Scenario, CastawayIsDrawnOnHisOwnTileOfASmallIsland) {
    StartOn(SmallIsland());
    ASSERT_EQ(player.x, 1);
    Walk(2, 2);

    // The castaway's tile looks different once he has left it, and nothing is
    // drawn right of the island, where a view centred on a big map would be.
    long withCastaway = 0, beyondIsland = -1;
    SetFrameHook([&] {
        withCastaway = BlockSum(64, 64);
        beyondIsland = BlockSum(32 * (2 + 14), 64) + BlockSum(320, 256);
    });
    Press({});
    SetFrameHook(nullptr);
    EXPECT_EQ(beyondIsland, 0);
    Walk(2, 3);
    long without = 0;
    SetFrameHook([&] { without = BlockSum(64, 64); });
    Press({});
    SetFrameHook(nullptr);
    EXPECT_NE(withCastaway, without);

    // Walking into every edge turns the castaway but never leaves the island.
    for (int key :
         {KEY_W, KEY_W, KEY_W, KEY_A, KEY_A, KEY_A, KEY_S, KEY_S, KEY_S, KEY_S, KEY_D, KEY_D,
          KEY_D, KEY_D, KEY_D, KEY_D, KEY_W, KEY_W, KEY_W, KEY_W, KEY_W, KEY_D, KEY_D}) {
        Press(key);
        ASSERT_TRUE(karte.isenterable(player.x, player.y)) << Cell(player.x, player.y);
    }
    EXPECT_EQ(player.x, kWidth - 1);
    EXPECT_EQ(player.y, 0);
}

TEST_F(Scenario, ApesOnASmallIslandStayOnItsLand) {
    StartOn(SmallIsland(), 3, 0);
    ASSERT_EQ(TCritter::list.size(), 3u);
    // Apes step with the castaway; standing still in between lets the fruit
    // regrow, which must only look at cells of the island.
    const int keys[] = {KEY_D, KEY_S, KEY_A, KEY_W};
    for (int round = 0; round < 2; ++round) {
        for (int step = 0; step < 60; ++step) {
            Press(keys[step % 4]);
            for (const TCritter& ape : TCritter::list)
                ASSERT_TRUE(karte.isenterable(ape.x, ape.y)) << "ape at " << Cell(ape.x, ape.y);
        }
        for (int pass = 0; pass < 520; ++pass)
            Press({});
    }
    EXPECT_EQ(gamestate, GS_PLAY);
}
