// Placement, walking costs, the thirst floor and the regrowth of fruit.
#include <climits>

#include "player_test_support.h"
#include "world/critter.h"

TEST_F(PlayerTest, SetPosClampsEachAxisIntoTheMap) {
    player.SetPos(-3, 70);
    EXPECT_EQ(player.x, 0);
    EXPECT_EQ(player.y, 63);
    player.SetPos(99, -1);
    EXPECT_EQ(player.x, 63);
    EXPECT_EQ(player.y, 0);
    MakeMap(12, 9, 4);
    player.SetPos(40, 40);
    EXPECT_EQ(player.x, 11);
    EXPECT_EQ(player.y, 8);
    // A map without cells must not leave the castaway at -1.
    karte = TKarte();
    player.SetPos(5, 5);
    EXPECT_EQ(player.x, 0);
    EXPECT_EQ(player.y, 0);
}

TEST_F(PlayerTest, GroundCostsOfTheCurrentCell) {
    const int hunger[] = {0, 3, 2, 6, 1}, durst[] = {0, -10, 1, 3, 1};
    for (int ground = 0; ground <= 4; ++ground) {
        Here(0) = ground;
        EXPECT_EQ(player.gethunger(), hunger[ground]) << ground;
        EXPECT_EQ(player.getdurst(), durst[ground]) << ground;
    }
    Here(0) = 9;
    EXPECT_EQ(player.gethunger(), 0);
    EXPECT_EQ(player.getdurst(), 0);
}

TEST_F(PlayerTest, StepsRunNorthSouthWestEastAndChargeTheCellEntered) {
    // South then west crosses rock and grass; west first would cross water.
    karte.data(30, 31, 0) = TKarte::ROCK;
    karte.data(29, 31, 0) = TKarte::GRASS;
    karte.data(29, 30, 0) = TKarte::SHALLOW;
    player.order = TPlayer::MOVEWEST | TPlayer::MOVESOUTH;
    player.move();
    EXPECT_EQ(player.x, 29);
    EXPECT_EQ(player.y, 31);
    EXPECT_EQ(player.hunger, 7);
    EXPECT_EQ(player.durst, 4);
    // move leaves the order for In to clear.
    EXPECT_EQ(player.order, TPlayer::MOVEWEST | TPlayer::MOVESOUTH);
}

TEST_F(PlayerTest, TwoStepsInOnePassNeverEndInTheSea) {
    // North and east are land, the corner between them is sea.
    karte.data(31, 29, 0) = TKarte::SEA;
    player.order = TPlayer::MOVENORTH | TPlayer::MOVEEAST;
    player.move();
    EXPECT_EQ(player.x, 30);
    EXPECT_EQ(player.y, 29);
    EXPECT_EQ(player.hunger, 1); // one step, one charge

    // Over land the two steps still make a diagonal.
    karte.data(31, 29, 0) = TKarte::GRASS;
    player.SetPos(30, 30);
    player.order = TPlayer::MOVENORTH | TPlayer::MOVEEAST;
    player.move();
    EXPECT_EQ(player.x, 31);
    EXPECT_EQ(player.y, 29);
}

TEST_F(PlayerTest, NorthAndSouthReturnToTheStartWithTwoChargesAndTwoCritterSweeps) {
    // An ape walled in by sea never moves but draws one number per sweep.
    MakeMap(64, 64, 4);
    for (int x = 4; x <= 6; ++x)
        for (int y = 4; y <= 6; ++y)
            karte.data(x, y, 0) = TKarte::SEA;
    karte.data(5, 5, 0) = TKarte::GRASS;
    TCritter ape;
    ape.x = 5;
    ape.y = 5;
    ape.typ = TCritter::APE;
    TCritter::list.push_back(ape);

    SeedRandom(77);
    RandomInt(1, 9);
    RandomInt(1, 9);
    const int third = RandomInt(1, 100);
    SeedRandom(77);
    player.order = TPlayer::MOVENORTH | TPlayer::MOVESOUTH;
    player.move();
    EXPECT_EQ(player.x, 30);
    EXPECT_EQ(player.y, 30);
    EXPECT_EQ(player.hunger, 2);
    EXPECT_EQ(player.durst, 2);
    EXPECT_EQ(RandomInt(1, 100), third);
}

TEST_F(PlayerTest, ThirstFloorDependsOnTheLeatherBag) {
    karte.data(30, 29, 0) = TKarte::SHALLOW;
    player.durst = 5;
    player.order = TPlayer::MOVENORTH;
    player.move();
    EXPECT_EQ(player.durst, 0);

    // Sixteen steps in water with the bag: -160 held at -150.
    MakeMap(64, 64, 1);
    player.SetPos(30, 30);
    player.durst = 0;
    player.inventory[7] = Item::LEDERBEUTEL;
    for (int i = 0; i < 8; ++i) {
        player.order = TPlayer::MOVENORTH | TPlayer::MOVESOUTH;
        player.move();
    }
    EXPECT_EQ(player.durst, -150);

    // Without the bag the floor is back at 0 on the next pass, step or not.
    player.inventory[7] = 0;
    player.order = TPlayer::NOORDER;
    player.move();
    EXPECT_EQ(player.durst, 0);
}

TEST_F(PlayerTest, RegrowthRunsOnlyAfterMoreThanThirtySeconds) {
    const int start = player.lastspawn;
    AdvanceVirtualClock(30000);
    player.move();
    EXPECT_EQ(player.lastspawn, start);
    AdvanceVirtualClock(1);
    player.move();
    EXPECT_EQ(player.lastspawn, start + 30001);
}

TEST_F(PlayerTest, RegrowthTimerSurvivesTheClockWrapping) {
    UseVirtualClock(true, INT_MAX - 10000);
    player.lastspawn = Millis();
    AdvanceVirtualClock(30000);
    player.move();
    EXPECT_EQ(player.lastspawn, INT_MAX - 10000);
    AdvanceVirtualClock(1);
    player.move();
    EXPECT_EQ(player.lastspawn, Millis());
}

namespace {
// The regrowth rules written out once more, on a plain copy of the item layer,
// to check the order in which numbers are drawn.
std::vector<int> ExpectedRegrowth(std::vector<int> items, int size, int seed) {
    SeedRandom(seed);
    auto at = [&](int x, int y) -> int& { return items[y * size + x]; };
    auto fall = [&](int cx, int cy, int fruit) {
        for (int x = cx - 1; x <= cx + 1; ++x)
            for (int y = cy - 1; y <= cy + 1; ++y) {
                if (x < 0 || y < 0 || x >= size || y >= size || at(x, y) != 0) continue;
                if (RandomInt(1, 100) < 30) {
                    at(x, y) = fruit;
                    return;
                }
            }
    };
    for (int x = 0; x < std::min(size, 64); ++x)
        for (int y = 0; y < std::min(size, 64); ++y) {
            if (at(x, y) == Item::PALME && RandomInt(1, 100) < 20) fall(x, y, Item::KOKOSNUSS);
            if (at(x, y) == Item::BEERENSTRAUCH && RandomInt(1, 100) < 60) fall(x, y, Item::BEEREN);
        }
    return items;
}
} // namespace

TEST_F(PlayerTest, RegrowthDrawsInScanOrder) {
    const int size = 64;
    SeedRandom(4242);
    for (int i = 0; i < 400; ++i) {
        const int x = RandomInt(0, size - 1);
        const int y = RandomInt(0, size - 1);
        const int kind = RandomInt(1, 3);
        ItemAt(x, y) = kind == 1 ? Item::PALME : kind == 2 ? Item::BEERENSTRAUCH : Item::TREIBHOLZ;
    }
    ItemAt(0, 0) = Item::PALME; // corner plants only see the neighbours inside the map
    ItemAt(63, 63) = Item::BEERENSTRAUCH;
    std::vector<int> items(size * size);
    for (int x = 0; x < size; ++x)
        for (int y = 0; y < size; ++y)
            items[y * size + x] = ItemAt(x, y);

    for (int run = 0; run < 5; ++run) {
        const int seed = 1000 + run;
        items = ExpectedRegrowth(items, size, seed);
        SeedRandom(seed);
        player.spawn();
        int differences = 0, fruit = 0;
        for (int x = 0; x < size; ++x)
            for (int y = 0; y < size; ++y) {
                differences += ItemAt(x, y) != items[y * size + x];
                fruit += ItemAt(x, y) == Item::BEEREN || ItemAt(x, y) == Item::KOKOSNUSS;
            }
        EXPECT_EQ(differences, 0) << "run " << run;
        EXPECT_GT(fruit, 0);
    }
    EXPECT_EQ(player.lastspawn, Millis());
}

TEST_F(PlayerTest, RegrowthNeedsAnEmptyNeighbourAndStaysInTheScannedArea) {
    // A palm boxed in by stones never drops a coconut.
    for (int x = 9; x <= 11; ++x)
        for (int y = 9; y <= 11; ++y)
            ItemAt(x, y) = Item::STEINBROCKEN;
    ItemAt(10, 10) = Item::PALME;
    for (int run = 0; run < 50; ++run)
        player.spawn();
    for (int x = 9; x <= 11; ++x)
        for (int y = 9; y <= 11; ++y)
            EXPECT_NE(ItemAt(x, y), Item::KOKOSNUSS);

    // Plants at column or row 64 and beyond are outside the scan.
    MakeMap(80, 80, 4);
    ItemAt(64, 10) = Item::PALME;
    ItemAt(10, 70) = Item::BEERENSTRAUCH;
    for (int run = 0; run < 50; ++run)
        player.spawn();
    int fruit = 0;
    for (int x = 0; x < 80; ++x)
        for (int y = 0; y < 80; ++y)
            fruit += ItemAt(x, y) == Item::BEEREN || ItemAt(x, y) == Item::KOKOSNUSS;
    EXPECT_EQ(fruit, 0);
}

TEST_F(PlayerTest, RegrowthOnASmallMapKeepsToItsCells) {
    MakeMap(3, 2, 4);
    ItemAt(0, 0) = Item::BEERENSTRAUCH;
    ItemAt(2, 1) = Item::PALME;
    for (int run = 0; run < 200; ++run)
        player.spawn();
    int fruit = 0;
    for (int x = 0; x < 3; ++x)
        for (int y = 0; y < 2; ++y)
            fruit += ItemAt(x, y) == Item::BEEREN || ItemAt(x, y) == Item::KOKOSNUSS;
    EXPECT_EQ(fruit, 4); // every free cell filled, nothing written elsewhere
    EXPECT_EQ(karte.data(3, 0, 1), 0);
    EXPECT_EQ(karte.data(-1, -1, 1), 0);
}
