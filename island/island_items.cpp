#include "island/island_items.h"

#include <algorithm>

#include "island/noise.h"
#include "world/critter.h"

namespace mapgen {
namespace {

namespace item = mapcheck;

// `perThousand` of every thousand land cells, at least `least`.
int Share(int land, int perThousand, int least) {
    return std::max(least, land * perThousand / 1000);
}

bool Near(const Grid& g, int x, int y, int radius) {
    return Chebyshev(x, y, g.startX, g.startY) <= radius;
}

// Something to begin with near the landing place: wood for the hammer, a stone
// and a little food.
void StartingKit(Grid& g, common::SplitMix64& rng) {
    Scatter(g, rng, item::Treibholz, 1, 1,
            [&](int x, int y) { return Near(g, x, y, 5) && g.GroundAt(x, y) == Sand; });
    Scatter(g, rng, item::Steinbrocken, 1, 1,
            [&](int x, int y) { return Near(g, x, y, 8) && g.GroundAt(x, y) != Rock; });
    Scatter(g, rng, item::Kokosnuss, 2, 2, [&](int x, int y) { return Near(g, x, y, 8); });
    Scatter(g, rng, item::Beeren, 2, 2, [&](int x, int y) { return Near(g, x, y, 10); });
}

// Palms fringe the beaches and stand close in the woods, where ferns grow too.
void Plants(Grid& g, common::SplitMix64& rng, int land) {
    const FractalNoise woods(rng.Next(), 24, 3);
    auto inWoods = [&](int x, int y) {
        return g.GroundAt(x, y) == Grass && g.Coast(x, y) >= 3 && woods.At(x, y) > 0.04;
    };
    Scatter(g, rng, item::Palme, Share(land, 10, 14), 3, [&](int x, int y) {
        const uint8_t k = g.GroundAt(x, y);
        return (k == Sand || k == Grass) && g.Coast(x, y) >= 2 && g.Coast(x, y) <= 4;
    });
    Scatter(g, rng, item::Palme, Share(land, 6, 6), 2, inWoods);
    Scatter(g, rng, item::Farne, Share(land, 2, 3), 3, inWoods);
    Scatter(g, rng, item::Farne, Share(land, 2, 5), 5,
            [&](int x, int y) { return g.GroundAt(x, y) == Grass && g.Coast(x, y) >= 3; });
    Scatter(g, rng, item::Beerenstrauch, Share(land, 5, 6), 6,
            [&](int x, int y) { return g.GroundAt(x, y) == Grass; });
    Scatter(g, rng, item::Kokosnuss, Share(land, 3, 4), 5,
            [&](int x, int y) { return g.GroundAt(x, y) != Rock; });
    Scatter(g, rng, item::Beeren, Share(land, 2, 3), 6,
            [&](int x, int y) { return g.GroundAt(x, y) == Grass; });
}

// Driftwood on the sand; stones and what is split from them on the rock.
void Materials(Grid& g, common::SplitMix64& rng, int land) {
    int rock = 0;
    for (uint8_t k : g.map.ground)
        rock += k == Rock;
    Scatter(g, rng, item::Treibholz, Share(land, 3, 6), 5,
            [&](int x, int y) { return g.GroundAt(x, y) == Sand; });
    auto onRock = [&](int x, int y) { return g.GroundAt(x, y) == Rock; };
    Scatter(g, rng, item::Steinbrocken, std::max(5, rock / 8), 2, onRock);
    Scatter(g, rng, item::Feuerstein, Share(land, 0, 1) + land / 3000, 4, onRock);
    Scatter(g, rng, item::Schiefer, Share(land, 0, 1) + land / 3000, 4, onRock);
    Scatter(g, rng, item::Eisenerz, Share(land, 0, 2) + land / 2000, 4, onRock);
}

// One fur lies in the grass, a walk from the start but where the apes live.
void Fur(Grid& g, common::SplitMix64& rng) {
    auto meadow = [&](int x, int y) {
        return g.GroundAt(x, y) == Grass && g.Coast(x, y) >= 3 && !Near(g, x, y, 8);
    };
    if (Scatter(g, rng, item::Affenfell, 1, 1, [&](int x, int y) {
            return meadow(x, y) && x <= TCritter::PLACE_MAX && y <= TCritter::PLACE_MAX;
        }) == 0)
        Scatter(g, rng, item::Affenfell, 1, 1, meadow);
}

// e^-x for x >= 0 from plain arithmetic, so the ape count is the same everywhere.
double ExpNeg(double x) {
    int halvings = 0;
    while (x > 0.25) {
        x *= 0.5;
        ++halvings;
    }
    double term = 1, sum = 1;
    for (int k = 1; k < 16; ++k) {
        term *= -x / k;
        sum += term;
    }
    for (; halvings > 0; --halvings)
        sum *= sum;
    return sum;
}

} // namespace

void PlaceItems(Grid& g, common::SplitMix64& rng) {
    const int land = g.LandCells();
    StartingKit(g, rng);
    Materials(g, rng, land);
    Fur(g, rng);
    Plants(g, rng, land);
}

void ChooseCritters(Grid& g, common::SplitMix64& rng) {
    // The game places critters only in this corner, so there the lizard meets
    // the apes more often than the land of the whole island would suggest.
    int home = 0;
    for (int y = TCritter::PLACE_MIN; y <= TCritter::PLACE_MAX && y < g.H(); ++y)
        for (int x = TCritter::PLACE_MIN; x <= TCritter::PLACE_MAX && x < g.W(); ++x)
            home += g.GroundAt(x, y) != Sea;
    g.map.lizards = 1;
    const double survive = ExpNeg(static_cast<double>(g.map.lizards) *
                                  mapcheck::FairnessGoals{}.huntSteps / std::max(1, home));
    const double perApe = survive * (101 - TCritter::APE_FUR_FROM) / (101 - TCritter::APE_HIT_FROM);
    double miss = 1;
    int apes = 0;
    while ((apes < kFewestApes || miss > 1 - kFurGoal) && apes <= kMostApes) {
        miss *= 1 - perApe;
        ++apes;
    }
    // A horde would eat every fruit: then the second fur lies about too.
    if (apes > kMostApes && Scatter(g, rng, item::Affenfell, 1, 12, [&](int x, int y) {
                                return g.GroundAt(x, y) == Grass && !Near(g, x, y, 8);
                            }) == 1)
        apes = kFewestApes;
    g.map.apes = std::min(apes, kMostApes);
}

} // namespace mapgen
