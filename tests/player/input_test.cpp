// Keyboard handling through the real event path of an offscreen window.
#include "player_test_support.h"

class InputTest : public PlayerTest {
  protected:
    static void SetUpTestSuite() { OpenWindow(); }
    void SetUp() override {
        PlayerTest::SetUp();
        ClearKeys();
    }
    static void Press(std::initializer_list<int> keys) {
        for (int key : keys)
            InjectKeyPress(key);
    }
    void Pass(std::initializer_list<int> keys) {
        Press(keys);
        player.In();
    }
};

TEST_F(InputTest, DirectionKeysSetBitsOnceAndTurnEvenWhenBlocked) {
    Pass({KEY_W, KEY_D});
    EXPECT_EQ(player.order, TPlayer::MOVENORTH | TPlayer::MOVEEAST);
    EXPECT_EQ(player.rotation, 90);
    // A key and its arrow twin give one bit; the arrow is asked after D.
    Pass({KEY_D, KEY_UP, KEY_W});
    EXPECT_EQ(player.order, TPlayer::MOVENORTH | TPlayer::MOVEEAST);
    EXPECT_EQ(player.rotation, 0);

    karte.data(30, 31, 0) = 0; // sea to the south
    Pass({KEY_DOWN});
    EXPECT_EQ(player.order, TPlayer::NOORDER);
    EXPECT_EQ(player.rotation, 180);

    // The query order decides the facing: the Left arrow comes after D.
    Pass({KEY_LEFT, KEY_D});
    EXPECT_EQ(player.order, TPlayer::MOVEWEST | TPlayer::MOVEEAST);
    EXPECT_EQ(player.rotation, 270);
}

TEST_F(InputTest, ManyPressesBetweenPassesMoveOneTile) {
    Pass({KEY_W, KEY_W, KEY_W, KEY_W, KEY_W});
    player.move();
    EXPECT_EQ(player.y, 29);
    player.In();
    EXPECT_EQ(player.order, TPlayer::NOORDER);
}

TEST_F(InputTest, ActionKeysAndTheirPicksAreRebuiltEachPass) {
    player.combine1 = Item::BEEREN;
    player.combine1slot = -1;
    player.combine2slot = -1;
    Pass({KEY_SPACE, KEY_ENTER, KEY_C, KEY_F});
    EXPECT_EQ(player.order, TPlayer::DOACTIONTAKE | TPlayer::DOACTIONUSE |
                                TPlayer::DOACTIONCOMBINE | TPlayer::DOACTIONDROP);
    EXPECT_EQ(player.combine1, 0);
    EXPECT_EQ(player.combine1slot, 0);
    EXPECT_EQ(player.combine2slot, 0);
    Pass({KEY_ESCAPE});
    EXPECT_EQ(gamestate, GS_QUIT);
}

TEST_F(InputTest, DeathLimitsAreExclusiveAndThirstWins) {
    player.hunger = 300;
    player.durst = 180;
    player.In();
    EXPECT_EQ(gamestate, GS_PLAY);
    player.hunger = 301;
    player.In();
    EXPECT_EQ(gamestate, GS_DEAD_HUNGER);
    gamestate = GS_PLAY;
    player.durst = 181;
    Pass({KEY_SPACE}); // the rest of the pass still counts
    EXPECT_EQ(gamestate, GS_DEAD_THIRST);
    EXPECT_EQ(player.order, TPlayer::DOACTIONTAKE);
}

TEST_F(InputTest, PositionFromALargerMapIsPulledInside) {
    player.x = 70;
    player.y = -4;
    MakeMap(25, 20, 4);
    Pass({KEY_A});
    EXPECT_EQ(player.x, 24);
    EXPECT_EQ(player.y, 0);
    EXPECT_EQ(player.order, TPlayer::NOORDER); // enterability was asked at the old spot
}

TEST_F(InputTest, CursorWrapsAndLetterKeysShadowTheirArrows) {
    gamestate = GS_USE;
    player.chosen = 0;
    Pass({KEY_A});
    EXPECT_EQ(player.chosen, 9);
    Pass({KEY_D});
    EXPECT_EQ(player.chosen, 0);
    // With A pressed the Left arrow is not asked and keeps its press.
    Pass({KEY_A, KEY_LEFT});
    EXPECT_EQ(player.chosen, 9);
    player.In();
    EXPECT_EQ(player.chosen, 8);
    EXPECT_EQ(gamestate, GS_USE);
}

TEST_F(InputTest, UseAndDropSelectionsPickOrClose) {
    player.inventory[2] = Item::FLEISCH;
    player.chosen = 2;
    gamestate = GS_USE;
    Pass({KEY_F, KEY_ENTER});
    EXPECT_EQ(player.order, TPlayer::DOACTIONUSERUN);
    EXPECT_EQ(player.combine1, Item::FLEISCH);
    EXPECT_EQ(player.combine1slot, 2);
    EXPECT_EQ(gamestate, GS_PLAY);
    // The F press made in the selection acts in the next pass of play.
    player.In();
    EXPECT_EQ(player.order, TPlayer::DOACTIONDROP);

    gamestate = GS_DROP;
    Pass({KEY_ENTER});
    EXPECT_EQ(player.order, TPlayer::DOACTIONDROPRUN);

    // Enter on an empty slot closes and discards pending presses.
    gamestate = GS_DROP;
    player.chosen = 5;
    Pass({KEY_SPACE, KEY_ENTER});
    EXPECT_EQ(player.order, TPlayer::NOORDER);
    EXPECT_EQ(gamestate, GS_PLAY);
    player.In();
    EXPECT_EQ(player.order, TPlayer::NOORDER);
}

TEST_F(InputTest, EscapeBeatsEnterInASelection) {
    player.inventory[0] = Item::TREIBHOLZ;
    player.chosen = 0;
    gamestate = GS_USE;
    Pass({KEY_ENTER, KEY_ESCAPE});
    EXPECT_EQ(gamestate, GS_PLAY);
    EXPECT_EQ(player.order, TPlayer::NOORDER);
    player.In();
    EXPECT_EQ(player.order, TPlayer::NOORDER);
}

TEST_F(InputTest, CombineSelectionNeedsTwoDifferentFilledSlots) {
    player.inventory = {0, Item::AFFENFELL, Item::AFFENFELL, 0, 0, 0, 0, 0, 0, 0};
    player.chosen = 1;
    Pass({KEY_C}); // in play C asks for the selection
    player.action();
    ASSERT_EQ(gamestate, GS_COMBINE);

    Pass({KEY_ENTER});
    EXPECT_EQ(player.combine1, Item::AFFENFELL);
    EXPECT_EQ(player.combine1slot, 1);
    EXPECT_EQ(player.order, TPlayer::NOORDER);
    Pass({KEY_ENTER}); // the same slot again does nothing
    EXPECT_EQ(gamestate, GS_COMBINE);
    Pass({KEY_A, KEY_ENTER}); // an empty slot neither
    EXPECT_EQ(player.chosen, 0);
    EXPECT_EQ(gamestate, GS_COMBINE);
    Pass({KEY_D, KEY_D, KEY_ENTER}); // D counts once per pass
    EXPECT_EQ(player.chosen, 1);
    Pass({KEY_D, KEY_F, KEY_ENTER});
    EXPECT_EQ(player.combine2, Item::AFFENFELL);
    EXPECT_EQ(player.combine2slot, 2);
    EXPECT_EQ(player.order, TPlayer::DOACTIONCOMBINERUN);
    EXPECT_EQ(gamestate, GS_PLAY);
    player.action();
    EXPECT_EQ(player.inventory[1], Item::LEDERBEUTEL);
    // The completed pick discarded the F press.
    player.In();
    EXPECT_EQ(player.order, TPlayer::NOORDER);
}

TEST_F(InputTest, CombineSelectionCancelsBeforeEnter) {
    player.inventory = {Item::STEINBROCKEN, Item::TREIBHOLZ, 0, 0, 0, 0, 0, 0, 0, 0};
    gamestate = GS_COMBINE;
    player.chosen = 0;
    Pass({KEY_ENTER});
    player.chosen = 1;
    Pass({KEY_C, KEY_ENTER});
    EXPECT_EQ(gamestate, GS_PLAY);
    EXPECT_EQ(player.combine1, 0);
    EXPECT_EQ(player.combine1slot, -1);
    EXPECT_EQ(player.order, TPlayer::NOORDER);
    EXPECT_EQ(player.inventory,
              (std::array<int, TPlayer::SLOTS>{Item::STEINBROCKEN, Item::TREIBHOLZ}));
}
