// Choosing another island from the title menu, playing on it, and coming back
// to the same island after dying there.
#include "scenario_support.h"
#include "world/critter.h"
#include "world/objekt.h"

using namespace scenario;

TEST_F(Scenario, ChosenIslandIsPlayedAndReloadedAfterDeath) {
    Island island(30, 20, ROCK);
    for (int i = 0; i < 3; ++i)
        island.SetGround(i, i, SEA); // start at (3, 3)
    island.Put(4, 3, TObjekt::FEUERSTEIN);
    const std::string image = island.Write(dir_, "fels", 0, 0);
    const std::string layerFile = image.substr(0, image.size() - 4) + ".MAP";

    // The shipped island first, then KARTE WAEHLEN with the dialog answering
    // the layer file of the rock island.
    mapfile = "map/map.png";
    gamestate = GS_LOADLEVEL;
    SetRequestFileAnswer([&](const std::string&) { return layerFile; });
    PassTitleScreens({KEY_DOWN, KEY_ENTER});
    // The menu was left for a reload; the rest of that pass ran on the old map.
    EXPECT_EQ(gamestate, GS_LOADLEVEL);
    EXPECT_EQ(mapfile, image);
    PassTitleScreens();
    ASSERT_EQ(gamestate, GS_PLAY);
    EXPECT_EQ(karte.sizex, 30);
    EXPECT_EQ(karte.sizey, 20);
    EXPECT_TRUE(TCritter::list.empty());
    EXPECT_EQ(player.x, 3);
    EXPECT_EQ(player.y, 3);

    Walk(4, 3);
    Take();
    EXPECT_TRUE(Showing("Habe Feuerstein genommen!"));
    // Rock starves quickly; dying and trying again returns to this island.
    while (player.hunger <= 300)
        Press(player.x == 4 ? KEY_D : KEY_A);
    Press({});
    ASSERT_EQ(gamestate, GS_DEAD_HUNGER);
    int waited = 0;
    SetIdleHook([&] {
        if (++waited == 2) InjectKeyPress(KEY_ENTER);
    });
    ASSERT_TRUE(RunOnePass());
    GuardAgainstWaiting();
    ASSERT_EQ(gamestate, GS_LOADLEVEL);
    PassTitleScreens();
    EXPECT_EQ(mapfile, image);
    EXPECT_EQ(karte.sizex, 30);
    EXPECT_EQ(karte.data(4, 3, 1), TObjekt::FEUERSTEIN);
}
