// Choosing another island from the title menu, playing on it, and coming back
// to the same island after dying there.
#include <functional>
#include <utility>

#include "scenario_support.h"
#include "shell/level.h"
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
    while (player.hunger <= TPlayer::HUNGER_LIMIT)
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

TEST_F(Scenario, UnreadableIslandIsRefusedAndNamedOnTheTitlePicture) {
    namespace fs = std::filesystem;
    const std::vector<std::pair<const char*, std::function<void(const std::string&)>>> spoils = {
        {"no picture", [](const std::string& stem) { fs::remove(stem + ".png"); }},
        {"not a picture",
         [](const std::string& stem) { std::ofstream(stem + ".png") << "kein Bild"; }},
        {"no layer file", [](const std::string& stem) { fs::remove(stem + ".map"); }},
        {"short layer file",
         [](const std::string& stem) { std::ofstream(stem + ".map") << "kurz"; }},
    };
    // A pixel of the black strip under the notice, left of its centred text.
    const std::string notice = "Karte nicht lesbar: insel.map";
    const int probeX = 320 - 4 * static_cast<int>(notice.size()) - 2, probeY = 440;
    // The next level load and title picture; returns the probe pixel.
    auto titleProbe = [&] {
        unsigned probe = 0;
        SetFrameHook([&] {
            if (gamestate == GS_LOADLEVEL) {
                probe = ReadBackPixel(probeX, probeY);
                InjectText("p");
            } else if (gamestate == GS_MENU) {
                InjectKeyPress(KEY_ENTER);
            }
        });
        RunOnePass();
        SetFrameHook(nullptr);
        return probe;
    };
    for (const auto& [what, spoil] : spoils) {
        const std::string image = Island(30, 20, ROCK).Write(dir_, "insel", 0, 0);
        const std::string stem = image.substr(0, image.size() - 4);
        spoil(stem);
        mapfile = "map/map.png";
        gamestate = GS_LOADLEVEL;
        SetRequestFileAnswer([&](const std::string&) { return stem + ".map"; });
        PassTitleScreens({KEY_DOWN, KEY_ENTER});
        EXPECT_EQ(gamestate, GS_LOADLEVEL) << what;
        EXPECT_EQ(mapfile, "map/map.png") << what;
        EXPECT_EQ(mapnotice, notice) << what;

        // The old island loads again, and the title picture says why, once.
        EXPECT_EQ(titleProbe(), 0xFF000000u) << what;
        EXPECT_EQ(karte.sizex, 64) << what;
        gamestate = GS_LOADLEVEL;
        EXPECT_NE(titleProbe(), 0xFF000000u) << what;
    }
}

TEST_F(Scenario, PlayOptionStartsOnTheIslandWithoutTitleOrMenu) {
    Island island(30, 20, ROCK);
    for (int i = 0; i < 3; ++i)
        island.SetGround(i, i, SEA); // start at (3, 3)
    mapfile = island.Write(dir_, "probe", 2, 0);
    startInPlay = true;
    LoadFirstIsland();
    ASSERT_EQ(gamestate, GS_PLAY);
    EXPECT_EQ(karte.sizex, 30);
    EXPECT_EQ(player.x, 3);
    EXPECT_EQ(player.y, 3);
    EXPECT_EQ(TCritter::list.size(), 2u);
    // The first pass is play: a step, with no key typed for a title picture.
    Press(KEY_D);
    EXPECT_EQ(gamestate, GS_PLAY);
    EXPECT_EQ(player.x, 4);
}
