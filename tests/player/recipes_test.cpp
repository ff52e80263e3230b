// Combination recipes, raft building and the departure check.
#include <climits>

#include "player/supplies.h"
#include "player_test_support.h"

class RecipeTest : public PlayerTest {
  protected:
    // Picks `first` from slot a and `second` from slot b, as the combine
    // selection leaves them, and runs the combine order.
    void Combine(int first, int a, int second, int b) {
        player.inventory[a] = first;
        player.inventory[b] = second;
        player.combine1 = first;
        player.combine1slot = a;
        player.combine2 = second;
        player.combine2slot = b;
        player.order = TPlayer::DOACTIONCOMBINERUN;
        player.action();
    }
    void ExpectPicksCleared() {
        EXPECT_EQ(player.combine1, 0);
        EXPECT_EQ(player.combine2, 0);
        EXPECT_EQ(player.combine1slot, -1);
        EXPECT_EQ(player.combine2slot, -1);
    }
};

TEST_F(RecipeTest, ProductsLandInTheFirstPickedSlotInBothOrders) {
    struct Case {
        int first, second, product1, product2;
    };
    const Case cases[] = {
        {2, 3, 4, 0},    {3, 2, 4, 0},    {9, 3, 13, 0},  {3, 9, 13, 0},  {23, 23, 18, 0},
        {19, 19, 20, 0}, {20, 20, 21, 0}, {4, 11, 4, 14}, {11, 4, 4, 14},
    };
    for (const Case& c : cases) {
        player.inventory.fill(0);
        Combine(c.first, 6, c.second, 2);
        EXPECT_EQ(player.inventory[6], c.product1) << c.first << "+" << c.second;
        EXPECT_EQ(player.inventory[2], c.product2) << c.first << "+" << c.second;
        ExpectPicksCleared();
    }
    EXPECT_TRUE(Tmessage::list.empty());
}

TEST_F(RecipeTest, FlintAndDriftwoodBuildAFirePlaceOverWhateverLiesThere) {
    Here(1) = 5;
    Combine(3, 0, 8, 1);
    EXPECT_EQ(Here(1), 12);
    EXPECT_EQ(player.inventory[0], 0);
    EXPECT_EQ(player.inventory[1], 0);
}

TEST_F(RecipeTest, PairsOutsideTheTableChangeNothing) {
    Combine(3, 0, 3, 1);
    Combine(2, 2, 8, 3);
    Combine(15, 4, 6, 5);
    EXPECT_EQ(player.inventory, (std::array<int, 10>{3, 3, 2, 8, 15, 6, 0, 0, 0, 0}));
    EXPECT_TRUE(Tmessage::list.empty());
    ExpectPicksCleared();
}

TEST_F(RecipeTest, HammerSplitsAStoneIntoTheSecondSlot) {
    SeedWhere([](const std::vector<int>& r) { return r[0] >= 10 && r[0] <= 19; }, 1);
    Combine(2, 5, 4, 1);
    EXPECT_EQ(player.inventory[5], 4);
    EXPECT_EQ(player.inventory[1], 8);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Da fliegen ja voll die Funken!"});
    EXPECT_EQ(MessageDuration("Da fliegen ja voll die Funken!"), 1000);
    SeedWhere([](const std::vector<int>& r) { return r[0] <= 9; }, 1);
    Combine(4, 0, 2, 9);
    EXPECT_EQ(player.inventory[0], 4);
    EXPECT_EQ(player.inventory[9], 0);
}

TEST_F(RecipeTest, PlanksOnlyOnSandAndTheThirdPairChecksTheSupplies) {
    Combine(15, 0, 15, 1);
    EXPECT_EQ(Here(1), 0); // grass: nothing happens, both planks stay
    EXPECT_EQ(player.inventory[0], 15);
    EXPECT_EQ(player.inventory[1], 15);

    Here(0) = 2;
    Here(1) = 3;
    Combine(15, 0, 15, 1);
    Combine(15, 0, 15, 1);
    EXPECT_EQ(Here(1), 22);
    EXPECT_EQ(Here(2), 2);
    EXPECT_EQ(player.inventory[0], 0);
    EXPECT_TRUE(Tmessage::list.empty());

    Combine(15, 0, 15, 1);
    EXPECT_EQ(Here(2), 3);
    EXPECT_EQ(gamestate, GS_PLAY);
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{
                                  "Mir fehlt noch ein brauchbares Segel.",
                                  "Oha, ich muss irgendwie Wasser auf die Reise mitnehmen.",
                                  "Ohne eine ganze Ladung Nahrungsmittel werde ich verhungern."}));
    EXPECT_EQ(MessageDuration("Mir fehlt noch ein brauchbares Segel."), 500);
    EXPECT_EQ(MessageDuration("Oha, ich muss irgendwie Wasser auf die Reise mitnehmen."), 3000);
    EXPECT_EQ(MessageDuration("Ohne eine ganze Ladung Nahrungsmittel werde ich verhungern."), 3000);
}

TEST_F(RecipeTest, FinishedRaftWithEverythingAboardSetsSail) {
    Here(0) = 2;
    Here(1) = 22;
    Here(2) = 2;
    player.inventory = {21, 18, 17, 17, 17, 0, 0, 0, 0, 0};
    Combine(15, 8, 15, 9);
    EXPECT_EQ(gamestate, GS_VICTORY);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"YEHAAAAAAA!!!!"});
    EXPECT_EQ(MessageDuration("YEHAAAAAAA!!!!"), 3000);
}

TEST_F(RecipeTest, ARaftCountsOnlyItsOwnPlankPairs) {
    // A palm or stone that stood on the cell left its time stamp in layer 2;
    // a clock past half its range makes the stamp negative.
    for (int stamp : {Millis(), -5, INT_MIN, INT_MAX}) {
        Tmessage::list.clear();
        gamestate = GS_PLAY;
        Here(0) = 2;
        Here(1) = 0;
        Here(2) = stamp;
        player.inventory = {21, 18, 17, 17, 17, 0, 0, 0, 0, 0};
        Combine(15, 8, 15, 9);
        EXPECT_EQ(Here(2), 1) << stamp;
        EXPECT_TRUE(Tmessage::list.empty()) << stamp;
        Combine(15, 8, 15, 9);
        Combine(15, 8, 15, 9);
        EXPECT_EQ(gamestate, GS_VICTORY) << stamp;
    }
    // A count at the top of the range must not overflow.
    Here(1) = 22;
    Here(2) = INT_MAX;
    Combine(15, 8, 15, 9);
    EXPECT_EQ(Here(2), INT_MAX);
}

TEST(Supplies, FoodPointsCountPerSlotUpToSix) {
    EXPECT_TRUE(CheckSupplies({6, 6, 6, 0, 0, 0, 0, 0, 0, 0}).food);
    EXPECT_TRUE(CheckSupplies({5, 5, 5, 5, 5, 16, 0, 0, 0, 0}).food);
    EXPECT_FALSE(CheckSupplies({17, 17, 5, 0, 0, 0, 0, 0, 0, 0}).food);
    EXPECT_FALSE(CheckSupplies({15, 15, 4, 13, 22, 0, 0, 0, 0, 0}).food);
    const Supplies all = CheckSupplies({0, 21, 21, 18, 18, 17, 16, 5, 6, 0});
    EXPECT_TRUE(all.sail && all.water && all.food);
    const Supplies none = CheckSupplies({});
    EXPECT_FALSE(none.sail || none.water || none.food);
}
