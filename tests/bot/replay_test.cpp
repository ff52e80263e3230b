// Recorded games play back to the same state: the planning player's games are
// recorded as any game is, then played back without a window, under a clock
// running at another speed, and after tampering.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include <gtest/gtest.h>

#include "bot/bot.h"
#include "core/state.h"
#include "island/mapgen.h"
#include "media/clock.h"
#include "media/keyboard.h"
#include "media/test_seams.h"
#include "shell/generated_island.h"
#include "shell/main_loop.h"
#include "shell/replay.h"
#include "support/screen_answers.h"
#include "support/shell_fixture.h"
#include "support/temp_dir.h"
#include "world/critter.h"
#include "world/karte.h"

namespace {

constexpr int kPassBudget = 20000;
constexpr const char* kIsland = "map/map.png";

class Replays : public HeadlessGame {
  protected:
    void TearDown() override {
        RecordGamesToFile("");
        RecordGamesToFolder("");
        HeadlessGame::TearDown();
    }

    // The bot's game on `island` with `seed`, recorded to `file`.
    static bot::Outcome RecordBotGame(const std::string& island, int seed,
                                      const std::string& file) {
        RecordGamesToFile(file);
        const bot::Outcome out = bot::PlayIsland(island, seed, kPassBudget, false);
        RecordGamesToFile("");
        return out;
    }

    // Plays `island` with the key `next` picks each pass of play until a death
    // ends the game, or the budget does.
    template <typename Next>
    static void RecordWalk(const std::string& island, int seed, const std::string& file,
                           Next next) {
        RecordGamesToFile(file);
        player = TPlayer();
        victorytimer = 0;
        SeedRandom(seed);
        mapfile = island;
        gamestate = GS_LOADLEVEL;
        AnswerScreens();
        for (int pass = 0; pass < kPassBudget && !IsDeathState(gamestate); ++pass) {
            if (gamestate == GS_PLAY) InjectKeyPress(next(pass));
            if (!RunOnePass()) break;
        }
        StopAnsweringScreens();
        RecordGamesToFile("");
    }

    // A step towards (x, y) over land: along the longer way first.
    static int StepTowards(int x, int y, int pass) {
        const int dx = x - player.x, dy = y - player.y;
        const int horizontal = dx > 0 ? KEY_D : KEY_A, vertical = dy > 0 ? KEY_S : KEY_W;
        const bool canX = dx != 0 && karte.isenterable(player.x + (dx > 0 ? 1 : -1), player.y) == 1;
        const bool canY = dy != 0 && karte.isenterable(player.x, player.y + (dy > 0 ? 1 : -1)) == 1;
        if (canX && (std::abs(dx) >= std::abs(dy) || !canY)) return horizontal;
        if (canY) return vertical;
        static constexpr int kAround[] = {KEY_W, KEY_D, KEY_S, KEY_A};
        return kAround[(pass / 7) % 4];
    }
};

// Lets the virtual clock run 13 ms on after every pass, unlike the 60 ms the
// recording's passes took, and counts the passes.
struct OtherSpeed : ReplayPacing {
    int passes = 0;
    bool AfterPass() override {
        AdvanceVirtualClock(13);
        ++passes;
        return true;
    }
};

} // namespace

TEST_F(Replays, BotGamePlaysBackUnderAnyClockAndTamperingIsFound) {
    TempDir dir;
    const std::string file = dir / "won.palmutreplay";
    ASSERT_TRUE(RecordBotGame(kIsland, 1, file).won);
    TReplay replay;
    std::string why;
    ASSERT_TRUE(LoadReplay(file, replay, why)) << why;
    ASSERT_GT(replay.Passes(), static_cast<std::size_t>(TReplay::HASH_INTERVAL));
    EXPECT_EQ(replay.islandName, "map.map");

    ReplayOutcome out = PlayReplay(replay, kIsland, nullptr);
    EXPECT_TRUE(out.matched) << "pass " << out.firstBadPass;
    EXPECT_EQ(out.passes, replay.Passes());
    EXPECT_EQ(gamestate, GS_VICTORY);

    UseVirtualClock(true, 123456);
    OtherSpeed pacing;
    out = PlayReplay(replay, kIsland, &pacing);
    EXPECT_TRUE(out.matched) << "pass " << out.firstBadPass;
    EXPECT_EQ(pacing.passes, static_cast<int>(replay.Passes()));

    // One key press fewer in the first pass that had one.
    TReplay tampered = replay;
    std::size_t pass = 0;
    while (tampered.AnswersEnd(pass) == tampered.firstAnswer[pass])
        ++pass;
    tampered.answers.erase(tampered.answers.begin() + tampered.firstAnswer[pass]);
    for (std::size_t later = pass + 1; later < tampered.Passes(); ++later)
        --tampered.firstAnswer[later];
    out = PlayReplay(tampered, kIsland, nullptr);
    EXPECT_FALSE(out.matched);
    EXPECT_GT(out.firstBadPass, pass);
}

TEST_F(Replays, GeneratedIslandIsKeptByItsNameAndPlaysBack) {
    TempDir dir;
    const std::string file = dir / "insel.palmutreplay";
    const std::string island = GeneratedIslandName(7, mapgen::kNaturalVersion, 64, 64);
    RecordBotGame(island, 1, file);
    TReplay replay;
    std::string why;
    ASSERT_TRUE(LoadReplay(file, replay, why)) << why;
    EXPECT_EQ(replay.islandKind, TReplay::ISLAND_GENERATED);
    ASSERT_EQ(FindReplayIsland(replay, file, why), island) << why;
    const ReplayOutcome out = PlayReplay(replay, island, nullptr);
    EXPECT_TRUE(out.matched) << "pass " << out.firstBadPass;
    EXPECT_EQ(out.passes, replay.Passes());
}

TEST_F(Replays, DamagedFilesAreRefusedWithAReason) {
    TReplay replay;
    replay.gameVersion = "1.0";
    replay.islandName = "map.map";
    replay.clockSteps = {60, 61, 2000, -5};
    replay.firstAnswer = {0, 0, 2, 2};
    replay.answers = {{3, KEY_D, 1}, {9, KEY_SPACE, 2}};
    replay.finalHash = 42;
    const std::string good = EncodeReplay(replay);
    TReplay back;
    std::string why;
    ASSERT_TRUE(DecodeReplay(good, back, why)) << why;
    EXPECT_EQ(back.clockSteps, replay.clockSteps);
    EXPECT_EQ(back.firstAnswer, replay.firstAnswer);
    ASSERT_EQ(back.answers.size(), 2u);
    EXPECT_EQ(back.answers[1].query, 9);
    EXPECT_EQ(back.answers[1].count, 2);
    EXPECT_EQ(back.finalHash, 42u);

    std::string flipped = good, version = good;
    flipped[good.size() / 2] ^= 0x10;
    version[8] = 9;
    const struct {
        std::string bytes, why;
    } cases[] = {
        {"", "not a replay file"},
        {"PALMUTRX" + good.substr(8), "not a replay file"},
        {good.substr(0, good.size() - 1), "damaged"},
        {good.substr(0, 12), "damaged"},
        {flipped, "damaged"},
        {good + "x", "damaged"},
        {std::string(TReplay::MAX_FILE_BYTES + 1, 'P').replace(0, 8, "PALMUTRP"), "too large"},
    };
    for (const auto& c : cases) {
        back.finalHash = 7;
        EXPECT_FALSE(DecodeReplay(c.bytes, back, why));
        EXPECT_NE(why.find(c.why), std::string::npos) << why;
        EXPECT_EQ(back.Passes(), 0u);
    }
    // A newer version is named, not called damaged: its check still holds.
    TReplayHash check;
    check.Add(version.data(), version.size() - 8);
    for (int i = 0; i < 8; ++i)
        version[version.size() - 8 + i] = static_cast<char>(check.Value() >> (8 * i));
    EXPECT_FALSE(DecodeReplay(version, back, why));
    EXPECT_NE(why.find("format version 9"), std::string::npos) << why;
}

TEST_F(Replays, TheFolderKeepsTheLastTwentyGames) {
    TempDir dir;
    for (int i = 10; i < 30; ++i)
        dir.Write("20000101-0000" + std::to_string(i) + "-1.palmutreplay", "old");
    dir.Write("notes.txt", "mine");
    RecordGamesToFolder(dir.path());
    RecordWalk(kIsland, 7, "", [](int pass) { return pass % 2 == 0 ? KEY_D : KEY_A; });
    RecordGamesToFolder("");
    ASSERT_TRUE(IsDeathState(gamestate));
    std::vector<std::string> kept;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        kept.push_back(entry.path().filename().string());
    std::sort(kept.begin(), kept.end());
    ASSERT_EQ(kept.size(), 21u);
    EXPECT_EQ(kept.front(), "20000101-000011-1.palmutreplay"); // the oldest went
    EXPECT_EQ(kept.back(), "notes.txt");
    TReplay replay;
    std::string why;
    EXPECT_TRUE(LoadReplay(dir / kept[19], replay, why)) << kept[19] << ": " << why;
}

// Writes the golden replays of tests/replays/ into PALMUT_GOLDEN_REPLAYS.
TEST_F(Replays, DISABLED_WriteGoldenReplays) {
    const char* folder = std::getenv("PALMUT_GOLDEN_REPLAYS");
    ASSERT_NE(folder, nullptr);
    const std::string out = folder;
    EXPECT_TRUE(RecordBotGame("map/map.png", 1, out + "/raft_map.palmutreplay").won);
    EXPECT_TRUE(RecordBotGame("map/bucht.png", 1, out + "/raft_bucht.palmutreplay").won);
    RecordWalk("map/map.png", 7, out + "/death_hunger.palmutreplay",
               [](int pass) { return pass % 2 == 0 ? KEY_D : KEY_A; });
    EXPECT_EQ(gamestate, GS_DEAD_HUNGER);
    // Up and down on grass, which costs as much water as food.
    RecordWalk("map/map.png", 7, out + "/death_thirst.palmutreplay", [](int pass) {
        for (int r = 0; r < TKarte::MAX_SIDE; ++r)
            for (int y = player.y - r; y <= player.y + r; ++y)
                for (int x = player.x - r; x <= player.x + r; ++x)
                    if (karte.contains(x, y) && karte.data(x, y, 0) == TKarte::GRASS &&
                        karte.data(x, y + 1, 0) == TKarte::GRASS && karte.isenterable(x, y) == 1 &&
                        karte.isenterable(x, y + 1) == 1) {
                        if (player.x == x && (player.y == y || player.y == y + 1))
                            return player.y == y ? KEY_S : KEY_W;
                        return StepTowards(x, y, pass);
                    }
        return KEY_D;
    });
    EXPECT_EQ(gamestate, GS_DEAD_THIRST);
    // After the nearest monitor lizard.
    RecordWalk("map/map.png", 7, out + "/death_lizard.palmutreplay", [](int pass) {
        const TCritter* lizard = nullptr;
        for (const TCritter& c : TCritter::list)
            if (c.typ == TCritter::WARAN &&
                (!lizard || std::abs(c.x - player.x) + std::abs(c.y - player.y) <
                                std::abs(lizard->x - player.x) + std::abs(lizard->y - player.y)))
                lizard = &c;
        return lizard ? StepTowards(lizard->x, lizard->y, pass) : KEY_D;
    });
    EXPECT_EQ(gamestate, GS_DEAD_WARAN);
}
