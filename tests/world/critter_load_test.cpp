#include <gtest/gtest.h>

#include "support/world_fixture.h"
#include "world/critter.h"
#include "world_test_files.h"

namespace {

class CritterPlacement : public WorldFixture {
  protected:
    TempDir dir;
    std::vector<std::string> log;

    void SetUp() override {
        WorldFixture::SetUp();
        SetDebugSink([this](const std::string& line) { log.push_back(line); });
    }
    void TearDown() override {
        SetDebugSink(nullptr);
        WorldFixture::TearDown();
    }

    std::vector<int> LoadKinds(const std::string& fileText) {
        worldtest::WriteText(dir / "insel.critter", fileText);
        TCritter::load(dir / "insel.png", castaway);
        std::vector<int> kinds;
        for (const TCritter& c : TCritter::list)
            kinds.push_back(c.typ);
        TCritter::list.clear();
        return kinds;
    }
};

constexpr int A = TCritter::APE, W = TCritter::WARAN;

TEST_F(CritterPlacement, FileGivesApesThenLizards) {
    MakeMap(64, 64, 4);
    EXPECT_EQ(LoadKinds("2\n1\n"), (std::vector<int>{A, A, W}));
    EXPECT_EQ(LoadKinds("4"), (std::vector<int>{A, A, A, A}));
    EXPECT_EQ(LoadKinds("  1 Affe\r\n$2 Warane\r\n9\n"), (std::vector<int>{A, W, W}));
    EXPECT_EQ(LoadKinds("-3\nkeine\n"), std::vector<int>{});
    EXPECT_EQ(LoadKinds(""), std::vector<int>{});
}

TEST_F(CritterPlacement, LoadAddsToTheListAndAMissingFileMeansNoCritters) {
    MakeMap(64, 64, 4);
    worldtest::WriteText(dir / "a.critter", "1\n");
    TCritter::load(dir / "a.png", castaway);
    TCritter::load(dir / "a.png", castaway);
    EXPECT_EQ(TCritter::list.size(), 2u);

    TCritter::load(dir / "fehlt.png", castaway);
    EXPECT_EQ(TCritter::list.size(), 2u);
    ASSERT_FALSE(log.empty());
    EXPECT_NE(log.back().find("fehlt.critter"), std::string::npos);
}

TEST_F(CritterPlacement, NeverInTheCastawaysRowOrColumnNorOnSeaOrOutsideRowsAndColumnsOneTo63) {
    MakeMap(80, 70, 4);
    for (int x = 0; x < 80; ++x)
        for (int y = 0; y < 70; ++y)
            if ((x + y) % 3 == 0) karte.data(x, y, 0) = 0;
    castaway.x = 10;
    castaway.y = 20;
    for (int i = 0; i < 400; ++i)
        TCritter::Create(i % 2 ? W : A, castaway);
    ASSERT_EQ(TCritter::list.size(), 400u);
    for (const TCritter& c : TCritter::list) {
        EXPECT_NE(c.x, 10);
        EXPECT_NE(c.y, 20);
        EXPECT_GE(c.x, 1);
        EXPECT_LE(c.x, 63);
        EXPECT_GE(c.y, 1);
        EXPECT_LE(c.y, 63);
        EXPECT_GT(karte.data(c.x, c.y, 0), 0);
    }
}

TEST_F(CritterPlacement, DrawsColumnThenRowUntilACellFits) {
    MakeMap(64, 64, 0);
    for (int x = 40; x < 64; ++x)
        for (int y = 0; y < 64; ++y)
            karte.data(x, y, 0) = 2;
    castaway.x = 50;
    castaway.y = 50;
    for (int seed : {1, 99, 4242}) {
        SeedRandom(seed);
        int x = 0, y = 0;
        do {
            x = RandomInt(1, 63);
            y = RandomInt(1, 63);
        } while (x < 40 || x == 50 || y == 50);
        SeedRandom(seed);
        TCritter::Create(A, castaway);
        EXPECT_EQ(TCritter::list.back().x, x) << seed;
        EXPECT_EQ(TCritter::list.back().y, y) << seed;
    }
}

TEST_F(CritterPlacement, SmallMapsKeepCrittersInside) {
    MakeMap(12, 9, 4);
    castaway.x = 3;
    castaway.y = 3;
    for (int i = 0; i < 100; ++i)
        TCritter::Create(A, castaway);
    ASSERT_EQ(TCritter::list.size(), 100u);
    for (const TCritter& c : TCritter::list) {
        EXPECT_TRUE(karte.contains(c.x, c.y));
        EXPECT_GE(c.x, 1);
        EXPECT_GE(c.y, 1);
    }
}

TEST_F(CritterPlacement, EndsWhenNoCellCanTakeACritter) {
    // Land only in column 0, row 0 and the castaway's own row and column.
    MakeMap(64, 64, 0);
    castaway.x = 30;
    castaway.y = 12;
    for (int i = 0; i < 64; ++i) {
        karte.data(0, i, 0) = karte.data(i, 0, 0) = 4;
        karte.data(30, i, 0) = karte.data(i, 12, 0) = 4;
    }
    TCritter::Create(A, castaway);
    EXPECT_TRUE(TCritter::list.empty());
    EXPECT_FALSE(log.empty());

    worldtest::WriteText(dir / "leer.critter", "5\n5\n");
    TCritter::load(dir / "leer.png", castaway);
    EXPECT_TRUE(TCritter::list.empty());

    // A map without any land at all.
    MakeMap(64, 64, 0);
    TCritter::load(dir / "leer.png", castaway);
    EXPECT_TRUE(TCritter::list.empty());
}

TEST_F(CritterPlacement, SmallIslandsGetEveryCritterAskedForAndHugeCountsAreBounded) {
    // Three cells for five apes and a lizard: critters share cells.
    MakeMap(64, 64, 0);
    karte.data(5, 5, 0) = karte.data(6, 7, 0) = karte.data(40, 41, 0) = 3;
    EXPECT_EQ(LoadKinds("5\n1\n"), (std::vector<int>{A, A, A, A, A, W}));

    MakeMap(64, 64, 4);
    worldtest::WriteText(dir / "voll.critter", "2147483647\n$7FFFFFFF\n");
    TCritter::load(dir / "voll.png", castaway);
    EXPECT_EQ(TCritter::list.size(), 20000u);

    // The lone cell that fits is found, however rarely it is drawn.
    MakeMap(64, 64, 0);
    karte.data(63, 1, 0) = 4;
    TCritter::list.clear();
    TCritter::Create(W, castaway);
    ASSERT_EQ(TCritter::list.size(), 1u);
    EXPECT_EQ(TCritter::list[0].x, 63);
    EXPECT_EQ(TCritter::list[0].y, 1);
}

} // namespace
