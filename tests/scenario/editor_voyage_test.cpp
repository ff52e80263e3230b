// The voyage island made in the island editor by keys alone, saved, loaded by
// the game like a player's chosen map, and won with the scripted raft.
#include "raft_voyage.h"
#include "support/editor_driver.h"

using namespace scenario;

TEST_F(RaftVoyage, IslandMadeInTheEditorIsWonWithTheScriptedRaft) {
    const Island island = VoyageIsland();
    const std::string path = (dir_ / "editorinsel.png").string();
    {
        editor::Editor ed({"", dir_.string()});
        EditorDriver d(ed);
        d.NewMap(island.width, island.height);
        d.Key(KEY_0 + 1 + GRASS);
        d.Key(KEY_F);
        d.ApplyAt(5, 5);
        d.Key('G');
        for (int kind : {SEA, SHALLOW, SAND, ROCK}) {
            d.Key(KEY_0 + 1 + kind);
            for (int y = 0; y < island.height; ++y)
                for (int x = 0; x < island.width; ++x)
                    if (island.ground[y * island.width + x] == kind) d.ApplyAt(x, y);
        }
        d.Key('I');
        for (int id = 1; id <= TObjekt::COUNT; ++id) {
            bool selected = false;
            for (int y = 0; y < island.height; ++y)
                for (int x = 0; x < island.width; ++x) {
                    if (island.items[y * island.width + x] != id) continue;
                    while (!selected && ed.CurrentItem() != id)
                        d.Key(KEY_PAGEDOWN);
                    selected = true;
                    d.ApplyAt(x, y);
                }
        }
        d.Key('M'); // the castaway should start top-left, by the stone
        d.ApplyAt(1, 1);
        ed.SettleCheck();
        EXPECT_TRUE(ed.LastCheck().analysis.winnable);
        for (const editor::Problem& p : ed.Problems())
            EXPECT_FALSE(p.error) << p.text;
        EXPECT_EQ(ed.Doc().Data().ground,
                  std::vector<uint8_t>(island.ground.begin(), island.ground.end()));
        EXPECT_EQ(ed.Doc().Data().items,
                  std::vector<uint8_t>(island.items.begin(), island.items.end()));
        d.SaveAs(path);
        ASSERT_EQ(ed.Message(), "Gespeichert: " + path);
    }

    mapfile = path;
    gamestate = GS_LOADLEVEL;
    PassTitleScreens();
    Require(gamestate == GS_PLAY, "the menu starts play");
    SailAway();
}
