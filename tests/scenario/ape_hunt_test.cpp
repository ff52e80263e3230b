// Hunting apes: bare-handed the castaway can only threaten them; with an axe
// a caught ape leaves meat or fur on the castaway's cell.
#include "scenario_support.h"
#include "world/critter.h"
#include "world/objekt.h"

using namespace scenario;

namespace {

class ApeHunt : public Scenario {
  protected:
    // Steps towards the first ape, one key a pass, until `done` holds.
    template <class Done> void Chase(Done done) {
        for (int pass = 0; !done(); ++pass) {
            Require(pass < 400 && !TCritter::list.empty(), "the ape is caught in time");
            const TCritter& ape = TCritter::list.front();
            if (ape.x != player.x)
                Press(ape.x < player.x ? KEY_A : KEY_D);
            else if (ape.y != player.y)
                Press(ape.y < player.y ? KEY_W : KEY_S);
            else // on the ape's cell: step aside and back
                Press(player.x > 1 ? KEY_A : KEY_D);
        }
    }
};

} // namespace

TEST_F(ApeHunt, WithoutABladeTheApeGetsAwayWithTheAxeItIsKilled) {
    Island island(24, 16, GRASS);
    for (int x = 0; x < 24; ++x)
        island.SetGround(x, 0, SEA);
    for (int y = 0; y < 16; ++y)
        island.SetGround(0, y, SEA);
    island.Put(2, 1, TObjekt::SCHIEFER);
    island.Put(3, 1, TObjekt::TREIBHOLZ);
    StartOn(island, 1, 0);
    ASSERT_EQ(TCritter::list.size(), 1u);
    ASSERT_EQ(TCritter::list[0].typ, TCritter::APE);

    Walk(2, 1);
    Take();
    Walk(3, 1);
    Take();
    Chase([] { return Showing("Warte nur, ich besorg mir eine Klinge!"); });
    EXPECT_EQ(TCritter::list.size(), 1u);
    EXPECT_EQ(gamestate, GS_PLAY); // apes never harm the castaway

    Combine(0, 1);
    ASSERT_EQ(player.inventory[0], TObjekt::AXT);
    Chase([] { return TCritter::list.empty(); });
    const int drop = karte.data(player.x, player.y, 1);
    if (drop == TObjekt::FLEISCH) {
        EXPECT_TRUE(Showing("Ha! Lecker Affenbraten wird's geben."));
    } else {
        EXPECT_EQ(drop, TObjekt::AFFENFELL);
        EXPECT_TRUE(Showing("Das ist mal ein schoenes Fell."));
    }
    Take();
    EXPECT_EQ(player.inventory[1], drop);
    EXPECT_EQ(karte.data(player.x, player.y, 1), 0);
}
