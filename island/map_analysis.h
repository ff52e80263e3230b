// Checks an island before anyone plays it: the start cell, what a castaway can
// walk to from there, and whether everything needed to build the raft is in reach.
// Works on decoded data only, so the asset generator can use it too.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "player/player.h"
#include "world/karte.h"
#include "world/objekt.h"

namespace mapcheck {

// The game's own numbers, under the checker's short names.
inline constexpr int kGroundKinds = TKarte::GROUND_KINDS; // sea, shallow water, sand, rock, grass
inline constexpr int kItemIds = TObjekt::COUNT + 1;       // 0 = nothing, then the items
inline constexpr int kMaxItemId = TObjekt::COUNT;

// Exact map-image colours (0xAARRGGBB) of the ground kinds 0-4.
inline constexpr const auto& kGroundColours = TKarte::GROUND_COLOURS;
// Ground kind of a pixel, or -1 when the colour is not in the table (the game reads it as sea).
int GroundOfColour(uint32_t argb);

// Item ids used by the checks.
enum Item : int {
    Palme = TObjekt::PALME,
    Steinbrocken = TObjekt::STEINBROCKEN,
    Treibholz = TObjekt::TREIBHOLZ,
    Hammer = TObjekt::HAMMER,
    Beeren = TObjekt::BEEREN,
    Kokosnuss = TObjekt::KOKOSNUSS,
    Beerenstrauch = TObjekt::BEERENSTRAUCH,
    Feuerstein = TObjekt::FEUERSTEIN,
    Schiefer = TObjekt::SCHIEFER,
    Eisenerz = TObjekt::EISENERZ,
    Eisen = TObjekt::EISEN,
    Feuerstelle = TObjekt::FEUERSTELLE,
    Axt = TObjekt::AXT,
    Saege = TObjekt::SAEGE,
    Planke = TObjekt::PLANKE,
    Fleisch = TObjekt::FLEISCH,
    Braten = TObjekt::BRATEN,
    Lederbeutel = TObjekt::LEDERBEUTEL,
    Farne = TObjekt::FARNE,
    Segelstueck = TObjekt::SEGELSTUECK,
    Segel = TObjekt::SEGEL,
    Flossrohling = TObjekt::FLOSSROHLING,
    Affenfell = TObjekt::AFFENFELL
};

struct MapData {
    int width = 0, height = 0;
    std::vector<uint8_t> ground; // row-major, 0-4
    std::vector<uint8_t> items;  // row-major, raw layer bytes
    int apes = 0, lizards = 0;
    int offColourPixels = 0; // picture pixels in no ground colour, read as sea
    uint8_t GroundAt(int x, int y) const { return ground[static_cast<size_t>(y) * width + x]; }
    uint8_t ItemAt(int x, int y) const { return items[static_cast<size_t>(y) * width + x]; }
};

struct Issue {
    bool error; // false: a warning
    std::string text;
    int x = -1, y = -1; // the cell it is about (the first one of several), -1 when none
};

struct Analysis {
    bool hasStart = false;
    int startX = -1, startY = -1;
    int landCells = 0, reachableCells = 0;
    std::array<int, kGroundKinds> reachableGround{};
    std::array<int, kItemIds> reachableItems{};
    // Worst thirst (hunger) a walk from any reachable cell to the nearest shallow
    // water (fruit plant or fruit) costs; -1 when there is none within reach.
    int worstThirstToWater = -1;
    int worstHungerToFood = -1;
    int itemsOnSea = 0;
    std::vector<Issue> issues;
    bool winnable = false; // no errors: the raft can be built and the journey made
};

// How many cells (i, i) of the diagonal from (0, 0) the game looks at for the
// start: TPlayer::START_DIAGONAL, fewer on a narrower map.
int StartDiagonalCells(const MapData& map);
// The first cell (i, i), i below StartDiagonalCells, that is not sea; the game
// starts the castaway there.
bool FindStart(const MapData& map, int& x, int& y);

// Walk from the start over every enterable cell (4-neighbourhood, as the castaway walks).
Analysis Analyse(const MapData& map);

// One column of the castaway's cost table, by ground kind.
constexpr std::array<int, kGroundKinds> GroundCostColumn(int TPlayer::GroundCost::*column) {
    std::array<int, kGroundKinds> costs{};
    for (int k = 0; k < kGroundKinds; ++k)
        costs[static_cast<size_t>(k)] = TPlayer::GROUND_COSTS[static_cast<size_t>(k)].*column;
    return costs;
}
// Thirst and hunger a step onto each ground kind costs (shallow water quenches thirst).
inline constexpr std::array<int, kGroundKinds> kThirstPerStep =
    GroundCostColumn(&TPlayer::GroundCost::durst);
inline constexpr std::array<int, kGroundKinds> kHungerPerStep =
    GroundCostColumn(&TPlayer::GroundCost::hunger);
// Above these the castaway dies.
inline constexpr int kThirstLimit = TPlayer::DURST_LIMIT;
inline constexpr int kHungerLimit = TPlayer::HUNGER_LIMIT;

// More critters of a kind than this are far too many: the checker says so and
// weighs the island with this many, as the editor holds it.
inline constexpr int kMaxCritters = 1000;

// Recommended counts for a fair island; shortfalls are reported as warnings.
// `huntSteps` is how far a careful castaway walks before the furs are in hand
// (the lizards eat apes meanwhile); `furChance` the share of games that must
// still yield the leather bag.
struct FairnessGoals {
    int palms = 6, bushes = 2, stones = 4, driftwood = 5, ferns = 6, apes = 8, lizards = 1;
    int huntSteps = 600;
    double furChance = 0.99;
    // More apes than one per this many land cells crowd the island: never advised.
    int landPerApe = 10;
    // More lizards than one per this many land cells (and more than `lizards`)
    // bite the castaway before the raft is built.
    int landPerLizard = 100;
};
// What no map maker means: more critters than land cells, or more lizards than
// the castaway can keep clear of. Warnings, called by CheckFairness.
void CheckCritterBounds(const MapData& map, Analysis& result, const FairnessGoals& goals = {});
void CheckFairness(const MapData& map, Analysis& result, const FairnessGoals& goals = {});

// What the apes of an island are worth for the leather bag.
struct FurOdds {
    double perApe;   // chance that one ape ends as a fur
    double expected; // furs expected from the apes and lying about
    double chance;   // chance of enough furs for the bag (1 when a bag lies about)
};
// Every ape survives the lizards' meals for `huntSteps` castaway steps with
// exp(-lizards * huntSteps / land cells) (each lizard step lands on a given
// ape's cell about once per land cell), and an ape hunted down leaves a fur
// as often as the game's draw says (TCritter::APE_FUR_FROM; meat otherwise).
FurOdds EstimateFurOdds(const MapData& map, const Analysis& analysis, int huntSteps);

// What the odds rest on, so the advice can try other counts without copying the map.
struct FurStock {
    int apes, lizards, landCells, fursLying, bagsLying;
};
FurOdds EstimateFurOdds(const FurStock& stock, int huntSteps);

// One critter-file line as the game reads it: blanks, an optional sign, then
// binary after '%', hexadecimal after '$', else decimal digits; no digits give 0.
// `valid` tells whether any digit was found.
int ParseCritterLine(const std::string& line, bool* valid = nullptr);

} // namespace mapcheck
