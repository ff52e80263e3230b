// The scripted raft win: from bare hands to the raft on the voyage island,
// shared by the hand-written island and the one made in the island editor.
#pragma once

#include <array>

#include "scenario_support.h"
#include "world/objekt.h"

namespace scenario {

class RaftVoyage : public Scenario {
  protected:
    // Row 1 holds the materials in the order they are needed; the castaway starts
    // at (1, 1), the first land cell of the diagonal. Raw meat lies below the
    // spot that becomes the fire place, the palms and the beach are at the east end.
    static Island VoyageIsland() {
        Island island(24, 16, GRASS);
        for (int x = 0; x < 24; ++x) {
            island.SetGround(x, 0, SEA);
            island.SetGround(x, 15, SEA);
        }
        for (int y = 0; y < 16; ++y) {
            island.SetGround(0, y, SEA);
            island.SetGround(23, y, SEA);
        }
        const int row[] = {0,
                           0,
                           TObjekt::STEINBROCKEN,
                           TObjekt::TREIBHOLZ,
                           TObjekt::FEUERSTEIN,
                           TObjekt::TREIBHOLZ,
                           TObjekt::SCHIEFER,
                           TObjekt::TREIBHOLZ,
                           TObjekt::EISENERZ,
                           TObjekt::KOKOSNUSS,
                           TObjekt::BEEREN,
                           0,
                           0,
                           TObjekt::AFFENFELL,
                           TObjekt::AFFENFELL,
                           TObjekt::FARNE,
                           TObjekt::FARNE,
                           TObjekt::FARNE,
                           TObjekt::FARNE,
                           TObjekt::PALME,
                           TObjekt::PALME,
                           TObjekt::PALME,
                           0,
                           0};
        for (int x = 0; x < 24; ++x)
            island.Put(x, 1, row[x]);
        for (int x = 4; x <= 6; ++x)
            island.Put(x, 2, TObjekt::FLEISCH);
        for (int x = 19; x <= 21; ++x)
            island.Put(x, 2, TObjekt::PALME);
        island.SetGround(22, 1, SAND);    // the raft site
        island.SetGround(22, 2, SHALLOW); // drinking water next to it
        return island;
    }

    using Slots = std::array<int, TPlayer::SLOTS>;

    // Plays the island loaded by the level load to the victory screen and the
    // program's normal end.
    void SailAway() {
        ASSERT_EQ(player.x, 1);
        ASSERT_EQ(player.y, 1);

        // Hammer: stone and driftwood, the hammer takes the first pick's slot.
        Walk(2, 1);
        Take();
        EXPECT_TRUE(Showing("Habe Steinbrocken genommen!"));
        EXPECT_EQ(player.hunger, 2); // one step on grass, one item taken
        EXPECT_EQ(player.durst, 2);
        EXPECT_EQ(karte.data(2, 1, 1), 0);
        Walk(3, 1);
        Take();
        EXPECT_TRUE(Showing("Habe Treibholz genommen!"));
        Snapshot("combine_selection");
        Press(KEY_C);
        EXPECT_TRUE(Showing("Waehle zwei Objekte mit Enter aus, um zu kombinieren."));
        Press(KEY_ESCAPE); // cancelling changes nothing
        ASSERT_EQ(gamestate, GS_PLAY);
        Combine(0, 1);
        EXPECT_EQ(player.inventory, (Slots{TObjekt::HAMMER, 0, 0, 0, 0, 0, 0, 0, 0, 0}));

        // Fire place: flint and driftwood, built on the castaway's own cell.
        Walk(4, 1);
        Take();
        Walk(5, 1);
        Take();
        Combine(1, 2);
        EXPECT_EQ(karte.data(5, 1, 1), TObjekt::FEUERSTELLE);
        EXPECT_EQ(player.inventory, (Slots{TObjekt::HAMMER, 0, 0, 0, 0, 0, 0, 0, 0, 0}));

        // Axe: slate and driftwood.
        Walk(6, 1);
        Take();
        Walk(7, 1);
        Take();
        Combine(1, 2);
        EXPECT_EQ(player.inventory, (Slots{TObjekt::HAMMER, TObjekt::AXT, 0, 0, 0, 0, 0, 0, 0, 0}));

        // Iron: the ore is smelted at the fire place.
        Walk(8, 1);
        Take();
        Walk(5, 1);
        Use(2);
        EXPECT_TRUE(Showing("Es schmilzt! Das gibt einen guten Rohling."));
        EXPECT_EQ(player.inventory[2], TObjekt::EISEN);

        // Saw: iron picked first keeps the hammer in its slot, the saw replaces the
        // hammer's former place.
        Combine(2, 0);
        EXPECT_EQ(player.inventory,
                  (Slots{TObjekt::SAEGE, TObjekt::AXT, TObjekt::HAMMER, 0, 0, 0, 0, 0, 0, 0}));

        // Three pieces of meat: two roasts, the third roasted and burnt.
        Walk(5, 2);
        Take();
        Walk(5, 1);
        Use(3);
        EXPECT_TRUE(Showing("Mjam! Eines Brutzo wuerdig!"));
        EXPECT_EQ(player.inventory[3], TObjekt::BRATEN);
        Walk(4, 2);
        Take();
        Walk(5, 1);
        Use(4);
        EXPECT_EQ(player.inventory[4], TObjekt::BRATEN);
        Walk(6, 2);
        Take();
        Walk(5, 1);
        Use(5);
        EXPECT_EQ(player.inventory[5], TObjekt::BRATEN);
        Use(5);
        EXPECT_TRUE(Showing("Oh no! Den hat es zu Asche geroestet."));
        EXPECT_EQ(player.inventory, (Slots{TObjekt::SAEGE, TObjekt::AXT, TObjekt::HAMMER,
                                           TObjekt::BRATEN, TObjekt::BRATEN, 0, 0, 0, 0, 0}));

        // A coconut for the voyage; berries eaten on the spot.
        Walk(9, 1);
        Take();
        Walk(10, 1);
        Take();
        ASSERT_EQ(player.inventory[6], TObjekt::BEEREN);
        const int hungerBefore = player.hunger;
        ASSERT_GT(hungerBefore, 20);
        Use(6);
        EXPECT_EQ(player.hunger, hungerBefore - 20);
        EXPECT_EQ(player.inventory[6], 0);

        // The hammer and the axe are left behind to make room.
        Walk(11, 1);
        Drop(2);
        EXPECT_EQ(karte.data(11, 1, 1), TObjekt::HAMMER);
        Walk(12, 1);
        Drop(1);
        EXPECT_EQ(karte.data(12, 1, 1), TObjekt::AXT);
        Press(KEY_F); // the axe lies here now: no drop selection opens
        EXPECT_EQ(gamestate, GS_PLAY);
        EXPECT_EQ(player.inventory, (Slots{TObjekt::SAEGE, 0, 0, TObjekt::BRATEN, TObjekt::BRATEN,
                                           TObjekt::KOKOSNUSS, 0, 0, 0, 0}));

        // Water bag from two furs, sail from four ferns by way of two pieces.
        Walk(13, 1);
        Take();
        Walk(14, 1);
        Take();
        Combine(1, 2);
        EXPECT_EQ(player.inventory[1], TObjekt::LEDERBEUTEL);
        for (int x = 15; x <= 18; ++x) {
            Walk(x, 1);
            Take();
        }
        EXPECT_EQ(player.inventory, (Slots{TObjekt::SAEGE, TObjekt::LEDERBEUTEL, TObjekt::FARNE,
                                           TObjekt::BRATEN, TObjekt::BRATEN, TObjekt::KOKOSNUSS,
                                           TObjekt::FARNE, TObjekt::FARNE, TObjekt::FARNE, 0}));
        Combine(2, 6);
        Combine(7, 8);
        EXPECT_EQ(player.inventory, (Slots{TObjekt::SAEGE, TObjekt::LEDERBEUTEL,
                                           TObjekt::SEGELSTUECK, TObjekt::BRATEN, TObjekt::BRATEN,
                                           TObjekt::KOKOSNUSS, 0, TObjekt::SEGELSTUECK, 0, 0}));
        Combine(2, 7);
        EXPECT_EQ(player.inventory,
                  (Slots{TObjekt::SAEGE, TObjekt::LEDERBEUTEL, TObjekt::SEGEL, TObjekt::BRATEN,
                         TObjekt::BRATEN, TObjekt::KOKOSNUSS, 0, 0, 0, 0}));

        // With the bag, shallow water fills up below zero thirst.
        Walk(22, 1);
        const int durstBefore = player.durst;
        Walk(22, 2);
        EXPECT_EQ(player.durst, std::max(durstBefore - 10, -150));
        EXPECT_LT(player.durst, durstBefore);

        // Planks: each palm is sawn into one; pairs are laid on the sand.
        const int palmColumns[] = {21, 20, 19};
        for (int pair = 1; pair <= 3; ++pair) {
            const int x = palmColumns[pair - 1];
            for (int y = 1; y <= 2; ++y) {
                Walk(x, y);
                if (pair == 1 && y == 1) Snapshot("use_selection");
                Use(0);
                EXPECT_EQ(karte.data(x, y, 1), TObjekt::PLANKE) << "palm at " << Cell(x, y);
                Take();
                EXPECT_TRUE(Showing("Habe Planke genommen!"));
            }
            EXPECT_EQ(player.inventory[6], TObjekt::PLANKE);
            EXPECT_EQ(player.inventory[7], TObjekt::PLANKE);
            Walk(22, 1);
            Combine(6, 7);
            EXPECT_EQ(karte.data(22, 1, 1), TObjekt::FLOSSROHLING);
            EXPECT_EQ(karte.data(22, 1, 2), pair);
            EXPECT_EQ(player.inventory[6], 0);
            EXPECT_EQ(player.inventory[7], 0);
            if (pair < 3) {
                EXPECT_EQ(gamestate, GS_PLAY);
                EXPECT_FALSE(Showing("Mir fehlt noch ein brauchbares Segel."));
            }
        }
        EXPECT_EQ(gamestate, GS_VICTORY);
        EXPECT_TRUE(Showing("YEHAAAAAAA!!!!"));

        // The victory screen waits for a typed key, then the program ends normally.
        const auto frames = FramesDir("scenario-frames");
        int shown = 0;
        SetFrameHook([&] {
            if (++shown == 1) {
                CaptureFrame((frames / "victory.png").string());
                // Headline in red where the screen puts it.
                bool red = false;
                for (int x = 242; x < 300 && !red; ++x)
                    for (int y = 196; y < 230 && !red; ++y)
                        red = ReadBackPixel(x, y) == 0xFFFF0000u;
                EXPECT_TRUE(red) << "no red headline pixel";
            }
            if (shown == 3) InjectText("x");
        });
        try {
            RunOnePass();
            FAIL() << "the victory screen returned to the main loop";
        } catch (const ProgramExit& exit) {
            EXPECT_EQ(exit.status, 0);
        }
        EXPECT_EQ(shown, 3);
    }
};

} // namespace scenario
