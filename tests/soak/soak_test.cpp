// Long play with random keys: selections, deaths, quitting and starting again,
// with the game's state checked after every pass and memory after every restart.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include <gtest/gtest.h>
#include <malloc.h>

#include "media/keyboard.h"
#include "shell/main_loop.h"
#include "support/screen_answers.h"
#include "support/shell_fixture.h"
#include "world/critter.h"
#include "world/message.h"

// NOLINTNEXTLINE(readability-identifier-naming): the sanitizer runtime's own name
extern "C" size_t __sanitizer_get_current_allocated_bytes() __attribute__((weak));

namespace {

// Heap bytes in use, from the sanitizer's allocator when it owns the heap.
size_t HeapInUse() {
    if (__sanitizer_get_current_allocated_bytes) return __sanitizer_get_current_allocated_bytes();
    return mallinfo2().uordblks;
}

bool KnownState(int state) {
    for (int known : {GS_PLAY, GS_USE, GS_COMBINE, GS_DROP, GS_LOADLEVEL, GS_MENU, GS_DEAD_HUNGER,
                      GS_DEAD_THIRST, GS_DEAD_WARAN, GS_VICTORY, GS_QUIT})
        if (state == known) return true;
    return false;
}

bool OnLand(int x, int y) {
    return karte.contains(x, y) && karte.data(x, y, 0) > 0;
}

// What must hold after every pass; empty when all does.
std::string BrokenInvariant() {
    if (!KnownState(gamestate)) return "gamestate " + std::to_string(gamestate);
    if (!OnLand(player.x, player.y))
        return "castaway at (" + std::to_string(player.x) + ", " + std::to_string(player.y) +
               ") is not on land";
    if (player.hunger < 0) return "hunger " + std::to_string(player.hunger);
    for (int id : player.inventory)
        if (id < 0 || id > 23) return "inventory id " + std::to_string(id);
    for (const TCritter& c : TCritter::list)
        if (!OnLand(c.x, c.y))
            return "critter at (" + std::to_string(c.x) + ", " + std::to_string(c.y) +
                   ") is not on land";
    // Each pass raises at most a few messages of at most 3 s; passes are 60 ms.
    if (Tmessage::list.size() > 200) return std::to_string(Tmessage::list.size()) + " messages";
    return "";
}

using Soak = HeadlessGame;

} // namespace

// PALMUT_SOAK_PASSES sets the length (tests/soak/long_soak.sh runs it long).
TEST_F(Soak, RandomKeysKeepTheGameConsistentAndMemoryFlat) {
    const char* env = std::getenv("PALMUT_SOAK_PASSES");
    const long passes = env ? std::atol(env) : 20000;
    // Play keys mostly, Escape rarely: it ends the game, which then starts anew.
    const int keys[] = {KEY_W,    KEY_A,     KEY_S,     KEY_D,     KEY_UP, KEY_DOWN,
                        KEY_LEFT, KEY_RIGHT, KEY_SPACE, KEY_ENTER, KEY_C,  KEY_F};
    std::mt19937 rng(2026);
    std::uniform_int_distribution<int> pick(0, static_cast<int>(std::size(keys)) - 1);
    std::uniform_int_distribution<int> count(0, 2), percent(0, 999);

    const char* islands[] = {"map/map.png", "map/bucht.png"};
    int games = 0, deaths = 0, loads = 0;
    size_t maxMessages = 0, heapAtSecondLoad = 0, heapMost = 0;
    mapfile = islands[0];
    gamestate = GS_LOADLEVEL;
    AnswerScreens();
    for (long pass = 0; pass < passes; ++pass) {
        const bool loading = gamestate == GS_LOADLEVEL;
        if (IsDeathState(gamestate)) ++deaths;
        // Any keys together, two directions included: a diagonal step.
        for (int n = count(rng); n > 0; --n)
            InjectKeyPress(keys[pick(rng)]);
        if (percent(rng) == 0) InjectKeyPress(KEY_ESCAPE);
        bool goOn = true;
        try {
            goOn = RunOnePass();
        } catch (const ProgramExit&) { // the victory screen ends the program
            goOn = false;
        }
        if (!goOn) {
            ClearKeys();
            mapfile = islands[++games % 2];
            gamestate = GS_LOADLEVEL;
            continue;
        }
        if (loading && gamestate != GS_LOADLEVEL) {
            ++loads;
            const size_t heap = HeapInUse();
            if (loads == 2) heapAtSecondLoad = heap;
            heapMost = std::max(heapMost, heap);
        }
        maxMessages = std::max(maxMessages, Tmessage::list.size());
        const std::string broken = BrokenInvariant();
        ASSERT_EQ(broken, "") << "after pass " << pass;
    }
    StopAnsweringScreens();
    std::printf("%ld passes: %d games, %d deaths, %d level loads, at most %zu messages, heap "
                "%zu KB at the second load, at most %zu KB\n",
                passes, games + 1, deaths, loads, maxMessages, heapAtSecondLoad / 1024,
                heapMost / 1024);
    EXPECT_GE(loads, 3) << "the run should die or quit and start again a few times";
    // Every load replaces the level whole: nothing may pile up across restarts.
    EXPECT_LT(heapMost, heapAtSecondLoad + 2 * 1024 * 1024);
}
