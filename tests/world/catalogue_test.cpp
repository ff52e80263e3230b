#include <gtest/gtest.h>

#include "world/objekt.h"

namespace {

class Catalogue : public ::testing::Test {
  protected:
    void SetUp() override {
        TObjekt::list.clear();
        TObjekt::RegisterCatalogue();
    }
    void TearDown() override { TObjekt::list.clear(); }
};

TEST_F(Catalogue, RegistersTwentyThreeItemsInIdOrder) {
    ASSERT_EQ(TObjekt::list.size(), 23u);
    for (int i = 0; i < 23; ++i)
        EXPECT_EQ(TObjekt::list[i].id, i + 1);
}

TEST_F(Catalogue, NamesAndPropertiesOfTheItemsOtherRulesDependOn) {
    EXPECT_EQ(TObjekt::getName(1), "Palme");
    EXPECT_EQ(TObjekt::isCollectable(1), 0);
    EXPECT_EQ(TObjekt::isCollectable(2), 1);
    EXPECT_EQ(TObjekt::getName(6), "Kokosnuss");
    EXPECT_EQ(TObjekt::getData(6), 50);
    EXPECT_EQ(TObjekt::getData(5), 20);
    EXPECT_EQ(TObjekt::getData(16), 30);
    EXPECT_EQ(TObjekt::isEdible(17), 1);
    EXPECT_EQ(TObjekt::getData(17), 150);
    EXPECT_EQ(TObjekt::getData(4), 0);
    EXPECT_EQ(TObjekt::isCollectable(12), 0);
    EXPECT_EQ(TObjekt::isCollectable(22), 0);
    EXPECT_EQ(TObjekt::getName(23), "Affenfell");

    int edibleCount = 0;
    for (int id = 1; id <= 23; ++id)
        edibleCount += TObjekt::isEdible(id);
    EXPECT_EQ(edibleCount, 4); // Beeren, Kokosnuss, Fleisch, Braten
}

TEST_F(Catalogue, UnknownIdsGiveZeroAndEmptyName) {
    for (int id : {0, -1, 24, 255}) {
        EXPECT_EQ(TObjekt::getName(id), "") << id;
        EXPECT_EQ(TObjekt::isEdible(id), 0) << id;
        EXPECT_EQ(TObjekt::isCollectable(id), 0) << id;
        EXPECT_EQ(TObjekt::getData(id), 0) << id;
    }
}

TEST_F(Catalogue, EarlierEntryHidesALaterDuplicate) {
    TObjekt::Add(6, "Falsch", 0, 0, 999);
    EXPECT_EQ(TObjekt::getName(6), "Kokosnuss");
    EXPECT_EQ(TObjekt::getData(6), 50);
}

} // namespace
