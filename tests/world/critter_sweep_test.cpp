#include <algorithm>
#include <cstdlib>

#include <gtest/gtest.h>

#include "support/messages.h"
#include "support/world_fixture.h"
#include "world/critter.h"
#include "world/message.h"

namespace {

constexpr int A = TCritter::APE, W = TCritter::WARAN;

// Seeds spread over the generator's range: neighbouring small seeds all start
// with nearly the same first draw.
int SpreadSeed(int i) {
    return static_cast<int>((1u + static_cast<unsigned>(i) * 7777777u) & 0x7FFFFFFFu);
}

class CritterSweep : public WorldFixture {
  protected:
    void SetUp() override {
        WorldFixture::SetUp();
        MakeMap(64, 64, 0);
        castaway.x = 60;
        castaway.y = 60;
    }

    // A cell of land surrounded by sea: whatever the critter draws, it stays.
    static void Islet(int x, int y, int ground = 4) { karte.data(x, y, 0) = ground; }

    static TCritter Critter(int typ, int x, int y) {
        TCritter c;
        c.typ = typ;
        c.x = x;
        c.y = y;
        return c;
    }
};

TEST_F(CritterSweep, StepsFollowTheDirectionTable) {
    MakeMap(64, 64, 4);
    // Drawn number -> step (columns, rows).
    const int stepX[10] = {0, 0, 0, -1, 1, 0, 1, -1, -1, 1};
    const int stepY[10] = {0, -1, 1, 0, 0, 0, 1, -1, 1, -1};
    for (int typ : {A, W}) {
        std::vector<bool> seen(10, false);
        for (int i = 1; i <= 300; ++i) {
            const int seed = SpreadSeed(i);
            SeedRandom(seed);
            int number = RandomInt(1, typ == A ? 9 : 5);
            seen[number] = true;
            TCritter::list = {Critter(typ, 30, 30)};
            SeedRandom(seed);
            TCritter::Update(castaway);
            ASSERT_EQ(TCritter::list.size(), 1u);
            EXPECT_EQ(TCritter::list[0].x, 30 + stepX[number]) << "number " << number;
            EXPECT_EQ(TCritter::list[0].y, 30 + stepY[number]) << "number " << number;
        }
        for (int n = 1; n <= (typ == A ? 9 : 5); ++n)
            EXPECT_TRUE(seen[n]) << n;
    }
}

TEST_F(CritterSweep, CrittersNeverStepIntoTheSeaOrOffTheMap) {
    MakeMap(16, 16, 4);
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 16; ++y)
            if ((x * 7 + y * 3) % 5 == 0) karte.data(x, y, 0) = 0;
    castaway.x = -100; // nobody meets the castaway here
    castaway.y = -100;
    for (int i = 0; i < 12; ++i)
        TCritter::Create(i < 8 ? A : W, castaway);
    ASSERT_EQ(TCritter::list.size(), 12u);
    for (int sweep = 0; sweep < 500; ++sweep) {
        std::vector<TCritter> before = TCritter::list;
        TCritter::Update(castaway);
        for (const TCritter& c : TCritter::list)
            ASSERT_TRUE(karte.isenterable(c.x, c.y)) << c.x << "," << c.y;
        if (TCritter::list.size() != before.size())
            continue; // a lizard ate an ape: positions no longer line up
        for (std::size_t i = 0; i < before.size(); ++i) {
            const int dx = std::abs(TCritter::list[i].x - before[i].x);
            const int dy = std::abs(TCritter::list[i].y - before[i].y);
            EXPECT_LE(before[i].typ == W ? dx + dy : std::max(dx, dy), 1);
        }
    }
}

TEST_F(CritterSweep, ApesEatFruitAndShakePalms) {
    Islet(5, 5);
    Islet(9, 9);
    Islet(12, 12);
    Islet(15, 15);
    karte.data(5, 5, 1) = 6;
    karte.data(9, 9, 1) = 5;
    karte.data(12, 12, 1) = 1;
    karte.data(15, 15, 1) = 3;
    karte.data(15, 15, 2) = 77;
    TCritter::list = {Critter(A, 5, 5), Critter(A, 9, 9), Critter(A, 12, 12), Critter(A, 15, 15)};
    AdvanceVirtualClock(4321);
    TCritter::Update(castaway);
    EXPECT_EQ(karte.data(5, 5, 1), 0);
    EXPECT_EQ(karte.data(9, 9, 1), 0);
    EXPECT_EQ(karte.data(12, 12, 1), 1);
    EXPECT_EQ(karte.data(12, 12, 2), Millis());
    EXPECT_EQ(karte.data(15, 15, 1), 3);
    EXPECT_EQ(karte.data(15, 15, 2), 77);
    EXPECT_EQ(TCritter::list.size(), 4u);
    EXPECT_TRUE(Tmessage::list.empty());
}

TEST_F(CritterSweep, ApeMeetingAnUnarmedCastawayOnlyTalks) {
    Islet(8, 8);
    castaway.x = castaway.y = 8;
    TCritter::list = {Critter(A, 8, 8)};
    TCritter::Update(castaway);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Warte nur, ich besorg mir eine Klinge!"});
    EXPECT_EQ(TCritter::list.size(), 1u);
    EXPECT_EQ(gamestate, GS_LOADLEVEL); // untouched
}

TEST_F(CritterSweep, AxeFightHasThreeOutcomesDecidedByOneDraw) {
    Islet(8, 8);
    castaway.x = castaway.y = 8;
    castaway.armed = true;
    soundon = 1; // with no sound loaded the hit stays silent
    int misses = 0, meat = 0, fur = 0;
    for (int i = 1; i <= 300; ++i) {
        const int seed = SpreadSeed(i);
        SeedRandom(seed);
        RandomInt(1, 9);
        int roll = RandomInt(1, 100);
        TCritter::list = {Critter(A, 8, 8), Critter(W, 30, 30)};
        Islet(30, 30);
        karte.data(8, 8, 1) = 3;
        Tmessage::list.clear();
        SeedRandom(seed);
        TCritter::Update(castaway);
        ASSERT_EQ(Tmessage::list.size(), 1u);
        if (roll < 60) {
            ++misses;
            EXPECT_EQ(Tmessage::list[0].txt, "Diese Viecher sind verdammt flink!");
            EXPECT_EQ(TCritter::list.size(), 2u);
            EXPECT_EQ(karte.data(8, 8, 1), 3);
        } else {
            ++(roll < 90 ? meat : fur);
            EXPECT_EQ(Tmessage::list[0].txt, roll < 90 ? "Ha! Lecker Affenbraten wird's geben."
                                                       : "Das ist mal ein schoenes Fell.");
            EXPECT_EQ(karte.data(8, 8, 1), roll < 90 ? 16 : 23);
            // The lizard after it still had its turn and stays in the list.
            ASSERT_EQ(TCritter::list.size(), 1u);
            EXPECT_EQ(TCritter::list[0].typ, W);
        }
        EXPECT_EQ(Tmessage::list[0].duration, 1000);
    }
    EXPECT_GT(misses, 0);
    EXPECT_GT(meat, 0);
    EXPECT_GT(fur, 0);
}

TEST_F(CritterSweep, LizardEatsEveryApeOnItsCellAndLeavesNothing) {
    Islet(10, 10);
    // Apes before the lizard act first and eat the coconut.
    karte.data(10, 10, 1) = 6;
    TCritter::list = {Critter(A, 10, 10), Critter(A, 10, 10), Critter(W, 10, 10)};
    TCritter::Update(castaway);
    ASSERT_EQ(TCritter::list.size(), 1u);
    EXPECT_EQ(TCritter::list[0].typ, W);
    EXPECT_EQ(karte.data(10, 10, 1), 0);

    // Apes after the lizard are eaten before their turn and never reach the fruit.
    karte.data(10, 10, 1) = 6;
    TCritter::list = {Critter(W, 10, 10), Critter(A, 10, 10), Critter(A, 10, 10),
                      Critter(A, 40, 40)};
    Islet(40, 40);
    TCritter::Update(castaway);
    ASSERT_EQ(TCritter::list.size(), 2u);
    EXPECT_EQ(TCritter::list[0].typ, W);
    EXPECT_EQ(TCritter::list[1].x, 40);
    EXPECT_EQ(karte.data(10, 10, 1), 6);
}

TEST_F(CritterSweep, LizardEatsApesWhereTheyStandAtItsTurnNotWhereTheySweepStarted) {
    // Two cells of land; the ape acts first, then the lizard stays put.
    const struct {
        int apeX, apeDraw; // the ape's cell and its step (3 west, 4 east)
        bool eaten;
    } cases[] = {{10, 4, true}, {11, 3, false}};
    for (const auto& c : cases) {
        int seed = 1;
        for (;; ++seed) { // a seed whose draws are the ape's step, then "stay" for the lizard
            SeedRandom(SpreadSeed(seed));
            if (RandomInt(1, 9) == c.apeDraw && RandomInt(1, 5) == 5) break;
        }
        MakeMap(64, 64, 0);
        Islet(10, 10);
        Islet(11, 10);
        TCritter::list = {Critter(A, c.apeX, 10), Critter(W, 11, 10)};
        SeedRandom(SpreadSeed(seed));
        TCritter::Update(castaway);
        EXPECT_EQ(TCritter::list.size(), c.eaten ? 1u : 2u) << "ape from column " << c.apeX;
        EXPECT_EQ(TCritter::list.back().typ, W);
    }
}

TEST_F(CritterSweep, LizardOnRockLeavesStonesTwiceInAHundred) {
    Islet(20, 20, 3);
    Islet(25, 25, 4);
    int stones = 0;
    for (int i = 1; i <= 3000; ++i) {
        const int seed = SpreadSeed(i);
        SeedRandom(seed);
        RandomInt(1, 5);
        int roll = RandomInt(1, 100);
        karte.data(20, 20, 1) = 6;
        karte.data(25, 25, 1) = 0;
        TCritter::list = {Critter(W, 20, 20), Critter(W, 25, 25)};
        SeedRandom(seed);
        TCritter::Update(castaway);
        EXPECT_EQ(karte.data(20, 20, 1), roll <= 2 ? 2 : 6) << seed;
        EXPECT_EQ(karte.data(25, 25, 1), 0); // never on grass
        stones += roll <= 2;
    }
    EXPECT_GT(stones, 30);
    EXPECT_LT(stones, 100);
}

TEST_F(CritterSweep, LizardOnTheCastawaysCellKillsHim) {
    Islet(7, 7);
    castaway.x = castaway.y = 7;
    gamestate = GS_PLAY;
    TCritter::list = {Critter(W, 7, 7)};
    TCritter::Update(castaway);
    EXPECT_EQ(gamestate, GS_DEAD_WARAN);
    ASSERT_EQ(Tmessage::list.size(), 1u);
    EXPECT_EQ(Tmessage::list[0].txt, "AAAARGH!");
    EXPECT_EQ(Tmessage::list[0].duration, 3000);
}

TEST_F(CritterSweep, CritterSteppingOntoTheCastawayMeetsHimAtOnce) {
    Islet(7, 7);
    Islet(7, 8);
    castaway.x = 7;
    castaway.y = 8;
    gamestate = GS_PLAY;
    int seed = 0;
    for (int i = 1; i < 500; ++i) {
        seed = SpreadSeed(i);
        SeedRandom(seed);
        if (RandomInt(1, 5) == 2) // south
            break;
    }
    TCritter::list = {Critter(W, 7, 7)};
    SeedRandom(seed);
    TCritter::Update(castaway);
    EXPECT_EQ(TCritter::list[0].y, 8);
    EXPECT_EQ(gamestate, GS_DEAD_WARAN);
}

} // namespace
