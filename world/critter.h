// Apes and monitor lizards: placed from the level's critter file, moved one
// step per castaway step.
#pragma once

#include <array>
#include <string>
#include <vector>

// The castaway as the critters see him: his cell and whether he carries an axe.
// The castaway lives above the island, so the caller hands this in.
struct CastawayView {
    int x = 0, y = 0;
    bool armed = false;
};

class TCritter {
  public:
    static constexpr int APE = 1, WARAN = 2;
    // Steps by drawn number 1-9: N, S, W, E, stay, SE, NW, SW, NE. Apes draw
    // 1-9, monitor lizards 1-5 (orthogonal only); index 0 is never drawn.
    static constexpr std::array<int, 10> STEP_X = {0, 0, 0, -1, 1, 0, 1, -1, -1, 1};
    static constexpr std::array<int, 10> STEP_Y = {0, -1, 1, 0, 0, 0, 1, -1, 1, -1};
    static constexpr int APE_DIRECTIONS = 9, WARAN_DIRECTIONS = 5;
    // Critters are only placed within these columns and rows.
    static constexpr int PLACE_MIN = 1, PLACE_MAX = 63;
    // An armed castaway meeting an ape draws 1-100: below APE_HIT_FROM the ape
    // escapes, below APE_FUR_FROM it leaves meat, from there on a fur.
    static constexpr int APE_HIT_FROM = 60, APE_FUR_FROM = 90;
    int x = 0, y = 0, typ = 0;

    // Critters of the current level, in creation order.
    static std::vector<TCritter> list;
    // No critters: before start-up and before a level places its own.
    static void Reset();

    // Places one critter on a random enterable cell away from the castaway's
    // row and column; places none when no such cell exists.
    static int Create(int typ, const CastawayView& castaway);
    // One step of every critter with its reactions.
    static void Update(const CastawayView& castaway);
    static void Render(int vx, int vy);
    // Reads the critter file that belongs to the map image and creates its critters.
    static void load(const std::string& mapPath, const CastawayView& castaway);
    // The same from counts in memory (a generated island has no critter file).
    static void populate(int apes, int lizards, const CastawayView& castaway);
};
