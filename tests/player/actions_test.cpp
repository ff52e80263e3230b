// Take, drop and use, and how the action bits of one pass interact.
#include "player/stone_split.h"
#include "player_test_support.h"

namespace {
bool Has(const std::string& text) {
    for (const std::string& t : MessageTexts())
        if (t == text) return true;
    return false;
}
} // namespace

TEST_F(PlayerTest, TakeUsesTheLowestEmptySlotAndCostsOneOfEachNeed) {
    player.inventory = {Item::HAMMER, 0, Item::SCHIEFER, 0, 0, 0, 0, 0, 0, 0};
    Here(1) = Item::TREIBHOLZ;
    player.order = TPlayer::DOACTIONTAKE;
    player.action();
    EXPECT_EQ(player.inventory[1], Item::TREIBHOLZ);
    EXPECT_EQ(Here(1), 0);
    EXPECT_EQ(player.hunger, 1);
    EXPECT_EQ(player.durst, 1);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Habe Treibholz genommen!"});
    EXPECT_EQ(MessageDuration("Habe Treibholz genommen!"), 1000);
}

TEST_F(PlayerTest, FailedTakesChangeNothing) {
    // Empty cell, a palm, an unknown layer byte, and a full inventory.
    const int things[] = {0, Item::PALME, 40, Item::STEINBROCKEN};
    for (int thing : things) {
        Tmessage::list.clear();
        Here(1) = thing;
        if (thing == Item::STEINBROCKEN) player.inventory.fill(Item::TREIBHOLZ);
        const auto before = player.inventory;
        player.order = TPlayer::DOACTIONTAKE;
        player.action();
        EXPECT_EQ(Here(1), thing);
        EXPECT_EQ(player.inventory, before);
        EXPECT_EQ(player.hunger, 0);
        EXPECT_EQ(player.durst, 0);
        EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Ich kann das nicht nehmen!"});
    }
}

TEST_F(PlayerTest, TakeEmptiesTheCellBeforeTheDropTest) {
    Here(1) = Item::STEINBROCKEN;
    player.order = TPlayer::DOACTIONTAKE | TPlayer::DOACTIONDROP;
    player.action();
    EXPECT_EQ(player.inventory[0], Item::STEINBROCKEN);
    EXPECT_EQ(gamestate, GS_DROP);
    EXPECT_TRUE(Has("Waehle ein Objekt mit Enter aus um es abzulegen"));
}

TEST_F(PlayerTest, DropOnAnOccupiedCellCancelsTheLaterBits) {
    Here(1) = Item::BEERENSTRAUCH;
    player.order = TPlayer::DOACTIONDROP | TPlayer::DOACTIONUSE | TPlayer::DOACTIONCOMBINE;
    player.action();
    // The combine test comes before the drop test, the use test after it.
    EXPECT_EQ(gamestate, GS_COMBINE);
    EXPECT_EQ(player.order, TPlayer::NOORDER);
    EXPECT_FALSE(Has("Enter um ein Objekt zu benutzen"));
}

TEST_F(PlayerTest, CombineAndUseTogetherShowBothPromptsAndEndInTheUseSelection) {
    player.order = TPlayer::DOACTIONCOMBINE | TPlayer::DOACTIONUSE;
    player.action();
    EXPECT_EQ(gamestate, GS_USE);
    EXPECT_EQ(MessageTexts(),
              (std::vector<std::string>{"Waehle zwei Objekte mit Enter aus, um zu kombinieren.",
                                        "Enter um ein Objekt zu benutzen"}));
    EXPECT_EQ(MessageDuration("Enter um ein Objekt zu benutzen"), 2000);
}

TEST_F(PlayerTest, ALizardsBiteOrEscapeInTheSamePassOpensNoSelection) {
    for (int ending : {GS_DEAD_WARAN, GS_QUIT}) {
        for (int request :
             {TPlayer::DOACTIONUSE, TPlayer::DOACTIONCOMBINE, TPlayer::DOACTIONDROP}) {
            gamestate = ending;
            Here(1) = Item::TREIBHOLZ;
            player.inventory.fill(0);
            player.order = TPlayer::DOACTIONTAKE | request;
            player.action();
            EXPECT_EQ(gamestate, ending) << "request " << request;
            EXPECT_EQ(player.inventory[0], Item::TREIBHOLZ) << "the take still happens";
        }
    }
}

TEST_F(PlayerTest, DropPutsThePickOnTheCell) {
    player.inventory[4] = Item::AXT;
    player.combine1 = Item::AXT;
    player.combine1slot = 4;
    player.order = TPlayer::DOACTIONDROPRUN;
    player.action();
    EXPECT_EQ(Here(1), Item::AXT);
    EXPECT_EQ(player.inventory[4], 0);
    EXPECT_EQ(player.combine1, 0);
    EXPECT_EQ(player.combine1slot, -1);
    EXPECT_TRUE(Tmessage::list.empty());
}

class UseTest : public PlayerTest {
  protected:
    void Use(int thing, int slot = 3) {
        player.inventory[slot] = thing;
        player.combine1 = thing;
        player.combine1slot = slot;
        player.order = TPlayer::DOACTIONUSERUN;
        player.action();
    }
};

TEST_F(UseTest, CookingAtTheFirePlace) {
    Here(1) = Item::FEUERSTELLE;
    Use(Item::FLEISCH);
    EXPECT_EQ(player.inventory[3], Item::BRATEN); // roasted, not eaten, not burnt
    EXPECT_EQ(player.hunger, 0);
    EXPECT_EQ(player.combine1slot, -1);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Mjam! Eines Brutzo wuerdig!"});
    Use(Item::BRATEN);
    EXPECT_EQ(player.inventory[3], 0);
    EXPECT_TRUE(Has("Oh no! Den hat es zu Asche geroestet."));
    Use(Item::EISENERZ);
    EXPECT_EQ(player.inventory[3], Item::EISEN);
    EXPECT_TRUE(Has("Es schmilzt! Das gibt einen guten Rohling."));
    EXPECT_EQ(Here(1), Item::FEUERSTELLE);
}

TEST_F(UseTest, EatingLowersHungerDownToZeroOnly) {
    player.hunger = 100;
    player.durst = 40;
    Use(Item::BRATEN);
    EXPECT_EQ(player.hunger, 0);
    EXPECT_EQ(player.durst, 40);
    EXPECT_EQ(player.inventory[3], 0);
    player.hunger = 100;
    Use(Item::FLEISCH); // away from a fire place meat is eaten raw
    EXPECT_EQ(player.hunger, 70);
    Use(Item::BEEREN);
    EXPECT_EQ(player.hunger, 50);
    EXPECT_TRUE(Tmessage::list.empty());
}

TEST_F(UseTest, SawTurnsAPalmIntoAPlankThatCanBeTaken) {
    Here(1) = Item::PALME;
    Use(Item::SAEGE, 0);
    EXPECT_EQ(Here(1), Item::PLANKE);
    EXPECT_EQ(player.inventory[0], Item::SAEGE);
    EXPECT_EQ(player.combine1, 0);
    player.order = TPlayer::DOACTIONTAKE;
    player.action();
    EXPECT_EQ(player.inventory[1], Item::PLANKE);
}

TEST_F(UseTest, ToolsWithoutATargetDoNothing) {
    Here(1) = Item::TREIBHOLZ;
    Use(Item::HAMMER);
    Use(Item::AXT);
    Use(Item::LEDERBEUTEL);
    EXPECT_TRUE(Tmessage::list.empty());
    EXPECT_EQ(Here(1), Item::TREIBHOLZ);
    EXPECT_EQ(player.inventory[3], Item::LEDERBEUTEL);
    // The hammer keeps its pick until the next pass of play.
    Use(Item::HAMMER);
    EXPECT_EQ(player.combine1, Item::HAMMER);
    EXPECT_EQ(player.combine1slot, 3);
}

TEST_F(UseTest, PalmShakenWithTheHammerDropsACoconutThenRests) {
    Here(1) = Item::PALME;
    // All neighbours but the south-east one are occupied: r < 60, then one
    // draw for that cell below 30.
    for (int x = 29; x <= 31; ++x)
        for (int y = 29; y <= 31; ++y)
            if (x != 30 || y != 30) ItemAt(x, y) = Item::TREIBHOLZ;
    ItemAt(31, 31) = 0;
    SeedWhere([](const std::vector<int>& r) { return r[0] < 60 && r[1] < 30; }, 2);
    Use(Item::HAMMER);
    EXPECT_EQ(ItemAt(31, 31), Item::KOKOSNUSS);
    EXPECT_EQ(Here(2), Millis());
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Hey, da kommt ne Kokosnuss runter!"});

    // Resting for 10000 ms, even when the draw would succeed.
    ItemAt(31, 31) = 0;
    Tmessage::list.clear();
    AdvanceVirtualClock(10000);
    SeedWhere([](const std::vector<int>& r) { return r[0] < 60 && r[1] < 30; }, 2);
    Use(Item::HAMMER);
    EXPECT_EQ(ItemAt(31, 31), 0);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Das war wohl leider nix."});
    AdvanceVirtualClock(1);
    SeedWhere([](const std::vector<int>& r) { return r[0] < 60 && r[1] < 30; }, 2);
    Use(Item::HAMMER);
    EXPECT_EQ(ItemAt(31, 31), Item::KOKOSNUSS);
}

TEST_F(UseTest, PalmWithoutRoomOrLuck) {
    Here(1) = Item::PALME;
    for (int x = 29; x <= 31; ++x)
        for (int y = 29; y <= 31; ++y)
            if (x != 30 || y != 30) ItemAt(x, y) = Item::STEINBROCKEN;
    SeedWhere([](const std::vector<int>& r) { return r[0] < 60; }, 1);
    Use(Item::HAMMER);
    EXPECT_TRUE(Tmessage::list.empty()); // search without a free cell: silent
    EXPECT_EQ(Here(2), 0);
    SeedWhere([](const std::vector<int>& r) { return r[0] >= 60; }, 1);
    Use(Item::HAMMER);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Das war wohl leider nix."});
}

TEST_F(UseTest, PalmInTheCornerOnlyLooksInsideTheMap) {
    player.SetPos(0, 0);
    Here(1) = Item::PALME;
    ItemAt(1, 0) = Item::TREIBHOLZ;
    ItemAt(1, 1) = Item::TREIBHOLZ;
    // Cells outside draw nothing: the one free cell (0, 1) gets the second draw.
    SeedWhere([](const std::vector<int>& r) { return r[0] < 60 && r[1] < 30; }, 2);
    Use(Item::HAMMER);
    EXPECT_EQ(ItemAt(0, 1), Item::KOKOSNUSS);
}

TEST_F(UseTest, HammerOnAStoneFollowsTheSplittingTableAndRests) {
    Here(1) = Item::STEINBROCKEN;
    SeedWhere([](const std::vector<int>& r) { return r[0] >= 65; }, 1);
    Use(Item::HAMMER);
    EXPECT_EQ(Here(1), Item::STEINBROCKEN);
    EXPECT_EQ(Here(2), Millis());
    EXPECT_EQ(MessageTexts(),
              std::vector<std::string>{"Stein bleibt Stein, auch wenn man ihn verdrischt."});
    // A resting stone stays silent, right up to the last millisecond.
    Tmessage::list.clear();
    AdvanceVirtualClock(10000);
    SeedWhere([](const std::vector<int>& r) { return r[0] >= 40 && r[0] <= 64; }, 1);
    Use(Item::HAMMER);
    EXPECT_EQ(Here(1), Item::STEINBROCKEN);
    EXPECT_TRUE(Tmessage::list.empty());
    AdvanceVirtualClock(1);
    SeedWhere([](const std::vector<int>& r) { return r[0] >= 40 && r[0] <= 64; }, 1);
    Use(Item::HAMMER);
    EXPECT_EQ(Here(1), Item::EISENERZ);
    EXPECT_EQ(MessageTexts(),
              std::vector<std::string>{"Dieses Glitzern... ich denke das ist Eisenerz."});
}

TEST_F(UseTest, FreshStoneSplitsOnAClockPastHalfItsRange) {
    // After weeks of uptime the millisecond clock reads negative; a stone that
    // was never struck (stamp 0) must still be ready.
    UseVirtualClock(true, -1700000000);
    Here(1) = Item::STEINBROCKEN;
    Here(2) = 0;
    SeedWhere([](const std::vector<int>& r) { return r[0] >= 40 && r[0] <= 64; }, 1);
    Use(Item::HAMMER);
    EXPECT_EQ(Here(1), Item::EISENERZ);
}

TEST_F(UseTest, HammerOnABushOnlyRustles) {
    Here(1) = Item::BEERENSTRAUCH;
    Use(Item::HAMMER);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"*RASCHEL*"});
    EXPECT_EQ(MessageDuration("*RASCHEL*"), 500);
    EXPECT_EQ(Here(1), Item::BEERENSTRAUCH);
}

TEST(StoneSplitTable, RowBoundaries) {
    const int draws[] = {1, 9, 10, 19, 20, 39, 40, 64, 65, 100};
    using I = Item;
    const int results[] = {
        0,           0,           I::FEUERSTEIN, I::FEUERSTEIN,   I::SCHIEFER,
        I::SCHIEFER, I::EISENERZ, I::EISENERZ,   I::STEINBROCKEN, I::STEINBROCKEN};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(StoneSplitFor(draws[i]).result, results[i]) << draws[i];
    EXPECT_STREQ(StoneSplitFor(5).message, "Oweh! Das war zu dolle!");
    EXPECT_STREQ(StoneSplitFor(15).message, "Da fliegen ja voll die Funken!");
    EXPECT_STREQ(StoneSplitFor(25).message, "Hm... Sehr scharfe Kanten hat dieses Gestein.");
}
