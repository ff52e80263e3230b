// Combination recipes, raft building and the departure check.
#include <climits>

#include "player/recipe_table.h"
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
        {Item::STEINBROCKEN, Item::TREIBHOLZ, Item::HAMMER, 0},
        {Item::TREIBHOLZ, Item::STEINBROCKEN, Item::HAMMER, 0},
        {Item::SCHIEFER, Item::TREIBHOLZ, Item::AXT, 0},
        {Item::TREIBHOLZ, Item::SCHIEFER, Item::AXT, 0},
        {Item::AFFENFELL, Item::AFFENFELL, Item::LEDERBEUTEL, 0},
        {Item::FARNE, Item::FARNE, Item::SEGELSTUECK, 0},
        {Item::SEGELSTUECK, Item::SEGELSTUECK, Item::SEGEL, 0},
        {Item::HAMMER, Item::EISEN, Item::HAMMER, Item::SAEGE},
        {Item::EISEN, Item::HAMMER, Item::HAMMER, Item::SAEGE},
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

// The map checker and the test bot count a raft's needs from the table: a
// pair written twice would never be reached, a kept tool is not used up.
TEST(RecipeTable, EachPairHasOneRowAndNeedsFollowTheChain) {
    for (const TRecipe& r : RECIPES)
        EXPECT_EQ(FindRecipe(r.second, r.first), &r) << r.first << "+" << r.second;
    EXPECT_EQ(UnitsOf(Item::SEGEL, Item::FARNE), 4);
    EXPECT_EQ(UnitsOf(Item::LEDERBEUTEL, Item::AFFENFELL), 2);
    EXPECT_EQ(UnitsOf(Item::SAEGE, Item::EISEN), 1);
    EXPECT_EQ(UnitsOf(Item::SAEGE, Item::HAMMER), 0);
    EXPECT_EQ(RecipeMaking(Item::HAMMER)->second, Item::TREIBHOLZ);
    EXPECT_EQ(RecipeMaking(Item::FARNE), nullptr);
}

TEST_F(RecipeTest, FlintAndDriftwoodBuildAFirePlaceOverWhateverLiesThere) {
    Here(1) = Item::BEEREN;
    Combine(Item::TREIBHOLZ, 0, Item::FEUERSTEIN, 1);
    EXPECT_EQ(Here(1), Item::FEUERSTELLE);
    EXPECT_EQ(player.inventory[0], 0);
    EXPECT_EQ(player.inventory[1], 0);
}

TEST_F(RecipeTest, PairsOutsideTheTableChangeNothing) {
    Combine(Item::TREIBHOLZ, 0, Item::TREIBHOLZ, 1);
    Combine(Item::STEINBROCKEN, 2, Item::FEUERSTEIN, 3);
    Combine(Item::PLANKE, 4, Item::KOKOSNUSS, 5);
    EXPECT_EQ(player.inventory, (std::array<int, TPlayer::SLOTS>{
                                    Item::TREIBHOLZ, Item::TREIBHOLZ, Item::STEINBROCKEN,
                                    Item::FEUERSTEIN, Item::PLANKE, Item::KOKOSNUSS, 0, 0, 0, 0}));
    EXPECT_TRUE(Tmessage::list.empty());
    ExpectPicksCleared();
}

TEST_F(RecipeTest, HammerSplitsAStoneIntoTheSecondSlot) {
    SeedWhere([](const std::vector<int>& r) { return r[0] >= 10 && r[0] <= 19; }, 1);
    Combine(Item::STEINBROCKEN, 5, Item::HAMMER, 1);
    EXPECT_EQ(player.inventory[5], Item::HAMMER);
    EXPECT_EQ(player.inventory[1], Item::FEUERSTEIN);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Da fliegen ja voll die Funken!"});
    EXPECT_EQ(MessageDuration("Da fliegen ja voll die Funken!"), 1000);
    SeedWhere([](const std::vector<int>& r) { return r[0] <= 9; }, 1);
    Combine(Item::HAMMER, 0, Item::STEINBROCKEN, 9);
    EXPECT_EQ(player.inventory[0], Item::HAMMER);
    EXPECT_EQ(player.inventory[9], 0);
}

TEST_F(RecipeTest, PlanksOnlyOnSandAndTheThirdPairChecksTheSupplies) {
    Combine(Item::PLANKE, 0, Item::PLANKE, 1);
    EXPECT_EQ(Here(1), 0); // grass: nothing happens, both planks stay
    EXPECT_EQ(player.inventory[0], Item::PLANKE);
    EXPECT_EQ(player.inventory[1], Item::PLANKE);

    Here(0) = TKarte::SAND;
    Here(1) = Item::TREIBHOLZ;
    Combine(Item::PLANKE, 0, Item::PLANKE, 1);
    Combine(Item::PLANKE, 0, Item::PLANKE, 1);
    EXPECT_EQ(Here(1), Item::FLOSSROHLING);
    EXPECT_EQ(Here(2), 2);
    EXPECT_EQ(player.inventory[0], 0);
    EXPECT_TRUE(Tmessage::list.empty());

    Combine(Item::PLANKE, 0, Item::PLANKE, 1);
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
    Here(0) = TKarte::SAND;
    Here(1) = Item::FLOSSROHLING;
    Here(2) = 2;
    player.inventory = {
        Item::SEGEL, Item::LEDERBEUTEL, Item::BRATEN, Item::BRATEN, Item::BRATEN, 0, 0, 0, 0, 0};
    Combine(Item::PLANKE, 8, Item::PLANKE, 9);
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
        Here(0) = TKarte::SAND;
        Here(1) = 0;
        Here(2) = stamp;
        player.inventory = {Item::SEGEL,
                            Item::LEDERBEUTEL,
                            Item::BRATEN,
                            Item::BRATEN,
                            Item::BRATEN,
                            0,
                            0,
                            0,
                            0,
                            0};
        Combine(Item::PLANKE, 8, Item::PLANKE, 9);
        EXPECT_EQ(Here(2), 1) << stamp;
        EXPECT_TRUE(Tmessage::list.empty()) << stamp;
        Combine(Item::PLANKE, 8, Item::PLANKE, 9);
        Combine(Item::PLANKE, 8, Item::PLANKE, 9);
        EXPECT_EQ(gamestate, GS_VICTORY) << stamp;
    }
    // A count at the top of the range must not overflow.
    Here(1) = Item::FLOSSROHLING;
    Here(2) = INT_MAX;
    Combine(Item::PLANKE, 8, Item::PLANKE, 9);
    EXPECT_EQ(Here(2), INT_MAX);
}

TEST(Supplies, FoodPointsCountPerSlotUpToSix) {
    using I = Item;
    EXPECT_TRUE(CheckSupplies({I::KOKOSNUSS, I::KOKOSNUSS, I::KOKOSNUSS}).food);
    EXPECT_TRUE(
        CheckSupplies({I::BEEREN, I::BEEREN, I::BEEREN, I::BEEREN, I::BEEREN, I::FLEISCH}).food);
    EXPECT_FALSE(CheckSupplies({I::BRATEN, I::BRATEN, I::BEEREN}).food);
    EXPECT_FALSE(CheckSupplies({I::PLANKE, I::PLANKE, I::HAMMER, I::AXT, I::FLOSSROHLING}).food);
    const Supplies all = CheckSupplies({0, I::SEGEL, I::SEGEL, I::LEDERBEUTEL, I::LEDERBEUTEL,
                                        I::BRATEN, I::FLEISCH, I::BEEREN, I::KOKOSNUSS, 0});
    EXPECT_TRUE(all.sail && all.water && all.food);
    const Supplies none = CheckSupplies({});
    EXPECT_FALSE(none.sail || none.water || none.food);
}
