// What lies on a generated island and who lives there: palms along the beaches
// and in the woods, bushes and ferns in the grass, driftwood on the sand,
// stones, flint, slate and ore on the rock, a few things to start with near
// the landing place, one fur; then enough apes for the leather bag.
#pragma once

#include "island/island_grid.h"
#include "island/random.h"

namespace mapgen {

// The share of games in which the apes must yield the bag's second fur, with a
// margin over what the checker asks, since the apes all start in the corner.
inline constexpr double kFurGoal = 0.995;

void PlaceItems(Grid& grid, common::SplitMix64& rng);
// Apes on a generated island: a troop, never a horde that eats every fruit.
inline constexpr int kFewestApes = 12, kMostApes = 32;

// One monitor lizard, and apes enough that one of them ends as a fur in
// kFurGoal of games although the lizard eats apes meanwhile; where that would
// take more than kMostApes, a second fur lies about instead.
void ChooseCritters(Grid& grid, common::SplitMix64& rng);

// Places up to `count` of item `id` on empty dry cells that `ok` accepts, never
// on the start and at least `spacing` cells (Chebyshev) from another of its
// kind; returns how many.
template <class Ok>
int Scatter(Grid& g, common::SplitMix64& rng, uint8_t id, int count, int spacing, Ok ok);

template <class Ok>
int Scatter(Grid& g, common::SplitMix64& rng, uint8_t id, int count, int spacing, Ok ok) {
    std::vector<int> cells;
    for (int y = 1; y < g.H() - 1; ++y)
        for (int x = 1; x < g.W() - 1; ++x) {
            const uint8_t ground = g.GroundAt(x, y);
            if (ground == Sea || ground == Shallow || g.ItemAt(x, y) != 0) continue;
            if ((x != g.startX || y != g.startY) && ok(x, y)) cells.push_back(g.Index(x, y));
        }
    int placed = 0;
    // A partial Fisher-Yates shuffle: draw the next cell from those left.
    for (size_t i = 0; i < cells.size() && placed < count; ++i) {
        const size_t pick =
            i + static_cast<size_t>(rng.Range(0, static_cast<int>(cells.size() - i) - 1));
        std::swap(cells[i], cells[pick]);
        const int x = cells[i] % g.W(), y = cells[i] / g.W();
        bool crowded = false;
        for (int yy = y - spacing + 1; yy < y + spacing && !crowded; ++yy)
            for (int xx = x - spacing + 1; xx < x + spacing && !crowded; ++xx)
                crowded = g.Inside(xx, yy) && g.ItemAt(xx, yy) == id;
        if (crowded) continue;
        g.ItemAt(x, y) = id;
        ++placed;
    }
    return placed;
}

} // namespace mapgen
