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
    player.inventory = {4, 0, 9, 0, 0, 0, 0, 0, 0, 0};
    Here(1) = 3;
    player.order = TPlayer::DOACTIONTAKE;
    player.action();
    EXPECT_EQ(player.inventory[1], 3);
    EXPECT_EQ(Here(1), 0);
    EXPECT_EQ(player.hunger, 1);
    EXPECT_EQ(player.durst, 1);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Habe Treibholz genommen!"});
    EXPECT_EQ(MessageDuration("Habe Treibholz genommen!"), 1000);
}

TEST_F(PlayerTest, FailedTakesChangeNothing) {
    // Empty cell, a palm, an unknown layer byte, and a full inventory.
    const int things[] = {0, 1, 40, 2};
    for (int thing : things) {
        Tmessage::list.clear();
        Here(1) = thing;
        if (thing == 2) player.inventory.fill(3);
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
    Here(1) = 2;
    player.order = TPlayer::DOACTIONTAKE | TPlayer::DOACTIONDROP;
    player.action();
    EXPECT_EQ(player.inventory[0], 2);
    EXPECT_EQ(gamestate, GS_DROP);
    EXPECT_TRUE(Has("Waehle ein Objekt mit Enter aus um es abzulegen"));
}

TEST_F(PlayerTest, DropOnAnOccupiedCellCancelsTheLaterBits) {
    Here(1) = 7;
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
            Here(1) = 3;
            player.inventory.fill(0);
            player.order = TPlayer::DOACTIONTAKE | request;
            player.action();
            EXPECT_EQ(gamestate, ending) << "request " << request;
            EXPECT_EQ(player.inventory[0], 3) << "the take still happens";
        }
    }
}

TEST_F(PlayerTest, DropPutsThePickOnTheCell) {
    player.inventory[4] = 13;
    player.combine1 = 13;
    player.combine1slot = 4;
    player.order = TPlayer::DOACTIONDROPRUN;
    player.action();
    EXPECT_EQ(Here(1), 13);
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
    Here(1) = 12;
    Use(16);
    EXPECT_EQ(player.inventory[3], 17); // roasted, not eaten, not burnt
    EXPECT_EQ(player.hunger, 0);
    EXPECT_EQ(player.combine1slot, -1);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Mjam! Eines Brutzo wuerdig!"});
    Use(17);
    EXPECT_EQ(player.inventory[3], 0);
    EXPECT_TRUE(Has("Oh no! Den hat es zu Asche geroestet."));
    Use(10);
    EXPECT_EQ(player.inventory[3], 11);
    EXPECT_TRUE(Has("Es schmilzt! Das gibt einen guten Rohling."));
    EXPECT_EQ(Here(1), 12);
}

TEST_F(UseTest, EatingLowersHungerDownToZeroOnly) {
    player.hunger = 100;
    player.durst = 40;
    Use(17);
    EXPECT_EQ(player.hunger, 0);
    EXPECT_EQ(player.durst, 40);
    EXPECT_EQ(player.inventory[3], 0);
    player.hunger = 100;
    Use(16); // away from a fire place meat is eaten raw
    EXPECT_EQ(player.hunger, 70);
    Use(5);
    EXPECT_EQ(player.hunger, 50);
    EXPECT_TRUE(Tmessage::list.empty());
}

TEST_F(UseTest, SawTurnsAPalmIntoAPlankThatCanBeTaken) {
    Here(1) = 1;
    Use(14, 0);
    EXPECT_EQ(Here(1), 15);
    EXPECT_EQ(player.inventory[0], 14);
    EXPECT_EQ(player.combine1, 0);
    player.order = TPlayer::DOACTIONTAKE;
    player.action();
    EXPECT_EQ(player.inventory[1], 15);
}

TEST_F(UseTest, ToolsWithoutATargetDoNothing) {
    Here(1) = 3;
    Use(4); // hammer on driftwood
    Use(13);
    Use(18);
    EXPECT_TRUE(Tmessage::list.empty());
    EXPECT_EQ(Here(1), 3);
    EXPECT_EQ(player.inventory[3], 18);
    // The hammer keeps its pick until the next pass of play.
    Use(4);
    EXPECT_EQ(player.combine1, 4);
    EXPECT_EQ(player.combine1slot, 3);
}

TEST_F(UseTest, PalmShakenWithTheHammerDropsACoconutThenRests) {
    Here(1) = 1;
    // All neighbours but the south-east one are occupied: r < 60, then one
    // draw for that cell below 30.
    for (int x = 29; x <= 31; ++x)
        for (int y = 29; y <= 31; ++y)
            if (x != 30 || y != 30) Item(x, y) = 3;
    Item(31, 31) = 0;
    SeedWhere([](const std::vector<int>& r) { return r[0] < 60 && r[1] < 30; }, 2);
    Use(4);
    EXPECT_EQ(Item(31, 31), 6);
    EXPECT_EQ(Here(2), Millis());
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Hey, da kommt ne Kokosnuss runter!"});

    // Resting for 10000 ms, even when the draw would succeed.
    Item(31, 31) = 0;
    Tmessage::list.clear();
    AdvanceVirtualClock(10000);
    SeedWhere([](const std::vector<int>& r) { return r[0] < 60 && r[1] < 30; }, 2);
    Use(4);
    EXPECT_EQ(Item(31, 31), 0);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Das war wohl leider nix."});
    AdvanceVirtualClock(1);
    SeedWhere([](const std::vector<int>& r) { return r[0] < 60 && r[1] < 30; }, 2);
    Use(4);
    EXPECT_EQ(Item(31, 31), 6);
}

TEST_F(UseTest, PalmWithoutRoomOrLuck) {
    Here(1) = 1;
    for (int x = 29; x <= 31; ++x)
        for (int y = 29; y <= 31; ++y)
            if (x != 30 || y != 30) Item(x, y) = 2;
    SeedWhere([](const std::vector<int>& r) { return r[0] < 60; }, 1);
    Use(4);
    EXPECT_TRUE(Tmessage::list.empty()); // search without a free cell: silent
    EXPECT_EQ(Here(2), 0);
    SeedWhere([](const std::vector<int>& r) { return r[0] >= 60; }, 1);
    Use(4);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Das war wohl leider nix."});
}

TEST_F(UseTest, PalmInTheCornerOnlyLooksInsideTheMap) {
    player.SetPos(0, 0);
    Here(1) = 1;
    Item(1, 0) = 3;
    Item(1, 1) = 3;
    // Cells outside draw nothing: the one free cell (0, 1) gets the second draw.
    SeedWhere([](const std::vector<int>& r) { return r[0] < 60 && r[1] < 30; }, 2);
    Use(4);
    EXPECT_EQ(Item(0, 1), 6);
}

TEST_F(UseTest, HammerOnAStoneFollowsTheSplittingTableAndRests) {
    Here(1) = 2;
    SeedWhere([](const std::vector<int>& r) { return r[0] >= 65; }, 1);
    Use(4);
    EXPECT_EQ(Here(1), 2);
    EXPECT_EQ(Here(2), Millis());
    EXPECT_EQ(MessageTexts(),
              std::vector<std::string>{"Stein bleibt Stein, auch wenn man ihn verdrischt."});
    // A resting stone stays silent, right up to the last millisecond.
    Tmessage::list.clear();
    AdvanceVirtualClock(10000);
    SeedWhere([](const std::vector<int>& r) { return r[0] >= 40 && r[0] <= 64; }, 1);
    Use(4);
    EXPECT_EQ(Here(1), 2);
    EXPECT_TRUE(Tmessage::list.empty());
    AdvanceVirtualClock(1);
    SeedWhere([](const std::vector<int>& r) { return r[0] >= 40 && r[0] <= 64; }, 1);
    Use(4);
    EXPECT_EQ(Here(1), 10);
    EXPECT_EQ(MessageTexts(),
              std::vector<std::string>{"Dieses Glitzern... ich denke das ist Eisenerz."});
}

TEST_F(UseTest, FreshStoneSplitsOnAClockPastHalfItsRange) {
    // After weeks of uptime the millisecond clock reads negative; a stone that
    // was never struck (stamp 0) must still be ready.
    UseVirtualClock(true, -1700000000);
    Here(1) = 2;
    Here(2) = 0;
    SeedWhere([](const std::vector<int>& r) { return r[0] >= 40 && r[0] <= 64; }, 1);
    Use(4);
    EXPECT_EQ(Here(1), 10);
}

TEST_F(UseTest, HammerOnABushOnlyRustles) {
    Here(1) = 7;
    Use(4);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"*RASCHEL*"});
    EXPECT_EQ(MessageDuration("*RASCHEL*"), 500);
    EXPECT_EQ(Here(1), 7);
}

TEST(StoneSplitTable, RowBoundaries) {
    const int draws[] = {1, 9, 10, 19, 20, 39, 40, 64, 65, 100};
    const int results[] = {0, 0, 8, 8, 9, 9, 10, 10, 2, 2};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(StoneSplitFor(draws[i]).result, results[i]) << draws[i];
    EXPECT_STREQ(StoneSplitFor(5).message, "Oweh! Das war zu dolle!");
    EXPECT_STREQ(StoneSplitFor(15).message, "Da fliegen ja voll die Funken!");
    EXPECT_STREQ(StoneSplitFor(25).message, "Hm... Sehr scharfe Kanten hat dieses Gestein.");
}
