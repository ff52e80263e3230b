// The ground of a generated island: its shape with a sea border, a landing
// place on the diagonal where the game puts the castaway, lakes, beaches,
// rock hills kept away from the start, drinking pools and shallow reefs.
#pragma once

#include "island/island_grid.h"
#include "island/random.h"

namespace mapgen {

// No rock this near the start (Chebyshev): the monitor lizard's hills, where it
// leaves its stones, lie a walk away from where the castaway lands.
inline constexpr int kRockClearance = 10;
// The start is moved no deeper than this along the diagonal, well inside the
// corner where the game places critters and regrows fruit.
inline constexpr int kDeepestStart = 40;

// The generator's versions: a seed names one island per version, forever.
// The classic islands are the first; natural ones (bays, spits, a bent coast)
// the second.
inline constexpr int kClassicVersion = 1, kNaturalVersion = 2;

// Fills the ground layer and the start cell; false when the shape left no
// start on the diagonal (the caller tries another seed).
bool GrowGround(Grid& grid, common::SplitMix64& rng, int version);

// A roundish patch of `kind` around (cx, cy), its edge roughened, laid only on
// cells `onto` accepts; returns how many cells changed.
template <class Onto>
int Patch(Grid& grid, double cx, double cy, double r, uint8_t kind, Onto onto);

template <class Onto>
int Patch(Grid& grid, double cx, double cy, double r, uint8_t kind, Onto onto) {
    int changed = 0;
    const int reach = static_cast<int>(r) + 2;
    const int x0 = static_cast<int>(cx), y0 = static_cast<int>(cy);
    for (int y = y0 - reach; y <= y0 + reach; ++y)
        for (int x = x0 - reach; x <= x0 + reach; ++x) {
            if (!grid.Inside(x, y) || grid.GroundAt(x, y) == kind || !onto(x, y)) continue;
            const double dx = x - cx, dy = y - cy;
            // The edge wobbles by a hash of the cell, so patches are not perfect discs.
            const uint64_t h =
                common::Mix64(static_cast<uint64_t>(x) << 32 | static_cast<uint64_t>(y));
            const double wobble = static_cast<double>(h >> 62) * 0.15;
            if (dx * dx + dy * dy > (r - wobble) * (r - wobble)) continue;
            grid.GroundAt(x, y) = kind;
            ++changed;
        }
    return changed;
}

} // namespace mapgen
