#include <gtest/gtest.h>

#include "shell/startup.h"
#include "shell/victory.h"
#include "support/game_fixture.h"
#include "support/messages.h"
#include "world/message.h"

namespace {

class VictoryCheck : public GameFixture {
  protected:
    void SetUp() override {
        GameFixture::SetUp();
        MakeMap(64, 64, 2);
        player.SetPos(10, 10);
        gamestate = GS_PLAY;
        karte.data(10, 10, 1) = 22;
        karte.data(10, 10, 2) = 3;
    }

    void Carry(std::initializer_list<int> items) {
        player.inventory.fill(0);
        int slot = 0;
        for (int id : items)
            player.inventory[slot++] = id;
    }
};

const std::string kSail = "Mir fehlt noch ein brauchbares Segel.";
const std::string kWater = "Oha, ich muss irgendwie Wasser auf die Reise mitnehmen.";
const std::string kFood = "Ohne eine ganze Ladung Nahrungsmittel werde ich verhungern.";

} // namespace

TEST_F(VictoryCheck, SailBagAndSixFoodPointsWin) {
    Carry({21, 18, 17, 17, 17});
    CheckVictory();
    EXPECT_EQ(gamestate, GS_VICTORY);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"YEHAAAAAAA!!!!"});

    ResetGlobals();
    SetUp();
    Carry({21, 18, 5, 5, 5, 5, 5, 5});
    CheckVictory();
    EXPECT_EQ(gamestate, GS_VICTORY);
}

TEST_F(VictoryCheck, NamesWhatIsMissingInOrder) {
    Carry({21, 18, 5, 5, 5, 5, 5});
    CheckVictory();
    EXPECT_EQ(gamestate, GS_PLAY);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{kFood});

    Tmessage::list.clear();
    Carry({});
    AdvanceVirtualClock(3001);
    CheckVictory();
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{kSail, kWater, kFood}));
    for (const Tmessage& m : Tmessage::list)
        EXPECT_EQ(m.duration, 3000);
}

TEST_F(VictoryCheck, NeedsThreePlankPairsAndTheRaftUnderfoot) {
    Carry({});
    karte.data(10, 10, 2) = 2;
    CheckVictory();
    EXPECT_TRUE(Tmessage::list.empty());

    AdvanceVirtualClock(3001);
    karte.data(10, 10, 2) = 3;
    karte.data(10, 10, 1) = 15;
    CheckVictory();
    EXPECT_TRUE(Tmessage::list.empty());
}

TEST_F(VictoryCheck, LooksAtMostOnceEveryThreeSeconds) {
    Carry({21, 18, 6, 6, 6});
    victorytimer = Millis();
    AdvanceVirtualClock(3000);
    CheckVictory(); // exactly 3000 ms later: not yet
    EXPECT_EQ(gamestate, GS_PLAY);
    AdvanceVirtualClock(1);
    CheckVictory();
    EXPECT_EQ(gamestate, GS_VICTORY);
    EXPECT_EQ(victorytimer, Millis());
}

TEST_F(VictoryCheck, KeepsLookingOnAClockPastHalfItsRangeAndAcrossTheWrap) {
    Carry({21, 18, 6, 6, 6});
    // A machine up for about 30 days: the clock reads negative from the start.
    UseVirtualClock(true, -1700000000);
    CheckVictory();
    EXPECT_EQ(gamestate, GS_VICTORY);

    // Last look just before the clock wraps: the next one still comes 3 s later.
    gamestate = GS_PLAY;
    UseVirtualClock(true, 2147483647 - 1000);
    victorytimer = Millis();
    UseVirtualClock(true, -2147483647 - 1 + 1999);
    CheckVictory(); // 3000 ms later: not yet
    EXPECT_EQ(gamestate, GS_PLAY);
    AdvanceVirtualClock(1);
    CheckVictory();
    EXPECT_EQ(gamestate, GS_VICTORY);
}

TEST_F(VictoryCheck, LeavesEveryOtherStateOfThePassAlone) {
    // A death screen's answer (restart, quit), a death, or Escape in play.
    Carry({21, 18, 6, 6, 6});
    for (int state : {GS_LOADLEVEL, GS_QUIT, GS_DEAD_WARAN, GS_DEAD_HUNGER, GS_DEAD_THIRST}) {
        gamestate = state;
        AdvanceVirtualClock(3001);
        CheckVictory();
        EXPECT_EQ(gamestate, state);
    }
    gamestate = GS_PLAY;
    AdvanceVirtualClock(3001);
    CheckVictory();
    EXPECT_EQ(gamestate, GS_VICTORY);
}

TEST_F(VictoryCheck, WinsFromAnOpenSelectionToo) {
    Carry({21, 18, 6, 6, 6});
    gamestate = GS_DROP;
    CheckVictory();
    EXPECT_EQ(gamestate, GS_VICTORY);
}
