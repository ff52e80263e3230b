#include "islands.h"

#include <algorithm>
#include <cmath>
#include <queue>
#include <string>

#include "island/random.h"

namespace assetgen {
namespace {

using mapcheck::MapData;
namespace item = mapcheck;

enum Ground : uint8_t { Sea = 0, Shallow = 1, Sand = 2, Rock = 3, Grass = 4 };
constexpr int kSize = 64;
constexpr std::size_t kCells = std::size_t{kSize} * kSize;

// Smooth value noise in -0.5..0.5: random values on a coarse grid, blended.
class ValueNoise {
  public:
    ValueNoise(uint32_t seed, int cell) : seed_(seed), cell_(cell) {}
    double At(int x, int y) const {
        int gx = x / cell_, gy = y / cell_;
        double fx = static_cast<double>(x % cell_) / cell_,
               fy = static_cast<double>(y % cell_) / cell_;
        double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
        double a = Value(gx, gy), b = Value(gx + 1, gy), c = Value(gx, gy + 1),
               d = Value(gx + 1, gy + 1);
        return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
    }

  private:
    double Value(int x, int y) const { return (common::Hash2(x, y, seed_) % 1000) / 1000.0 - 0.5; }
    uint32_t seed_;
    int cell_;
};

struct Island {
    MapData map;
    std::vector<int> coastDistance; // steps to the nearest sea cell

    Island() {
        map.width = map.height = kSize;
        map.ground.assign(kCells, Sea);
        map.items.assign(kCells, 0);
    }
    uint8_t& GroundAt(int x, int y) { return map.ground[y * kSize + x]; }
    uint8_t& ItemAt(int x, int y) { return map.items[y * kSize + x]; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < kSize && y < kSize; }
    int Dist(int x, int y) const { return coastDistance[y * kSize + x]; }

    // Land fragments cut off from the main island would strand critters and
    // items out of reach: only the largest piece of land stays.
    void KeepLargestLand() {
        std::vector<int> label(kCells, -1);
        std::vector<int> sizes;
        for (int i = 0; i < kSize * kSize; ++i) {
            if (map.ground[i] == Sea || label[i] >= 0) continue;
            int id = static_cast<int>(sizes.size());
            sizes.push_back(Flood(label, i, id, [&](int j) { return map.ground[j] != Sea; }));
        }
        int best = static_cast<int>(std::max_element(sizes.begin(), sizes.end()) - sizes.begin());
        for (int i = 0; i < kSize * kSize; ++i)
            if (map.ground[i] != Sea && label[i] != best) map.ground[i] = Sea;
    }

    // Sea enclosed by land is a lake: it becomes drinkable shallow water.
    void LakesToShallow() {
        std::vector<int> label(kCells, -1);
        Flood(label, 0, 0, [&](int j) { return map.ground[j] == Sea; });
        for (int i = 0; i < kSize * kSize; ++i)
            if (map.ground[i] == Sea && label[i] != 0) map.ground[i] = Shallow;
    }

    template <class Pred> int Flood(std::vector<int>& label, int start, int id, Pred pass) {
        std::queue<int> todo;
        todo.push(start);
        label[start] = id;
        int count = 0;
        while (!todo.empty()) {
            int i = todo.front();
            todo.pop();
            ++count;
            int x = i % kSize, y = i / kSize;
            const int dx[] = {0, 0, -1, 1}, dy[] = {-1, 1, 0, 0};
            for (int k = 0; k < 4; ++k) {
                int nx = x + dx[k], ny = y + dy[k];
                if (!Inside(nx, ny)) continue;
                int j = ny * kSize + nx;
                if (label[j] < 0 && pass(j)) {
                    label[j] = id;
                    todo.push(j);
                }
            }
        }
        return count;
    }

    void MeasureCoast() {
        coastDistance.assign(kCells, 1 << 20);
        std::queue<int> todo;
        for (int i = 0; i < kSize * kSize; ++i)
            if (map.ground[i] == Sea) {
                coastDistance[i] = 0;
                todo.push(i);
            }
        while (!todo.empty()) {
            int i = todo.front();
            todo.pop();
            int x = i % kSize, y = i / kSize;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    int nx = x + dx, ny = y + dy;
                    if (!Inside(nx, ny)) continue;
                    int j = ny * kSize + nx;
                    if (coastDistance[j] > coastDistance[i] + 1) {
                        coastDistance[j] = coastDistance[i] + 1;
                        todo.push(j);
                    }
                }
        }
    }

    void Beaches(const ValueNoise& noise) {
        MeasureCoast();
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                if (GroundAt(x, y) != Grass) continue;
                int d = Dist(x, y);
                if (d == 1 || (d == 2 && noise.At(x, y) > -0.1) ||
                    (d == 3 && noise.At(x, y) > 0.25))
                    GroundAt(x, y) = Sand;
            }
    }

    // A roundish patch of one ground kind on land, its edge roughened by noise.
    void Patch(double cx, double cy, double r, Ground kind, const ValueNoise& noise) {
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                double dx = x - cx, dy = y - cy;
                double d = std::sqrt(dx * dx + dy * dy) / r + noise.At(x * 3, y * 3) * 0.5;
                if (d < 1.0 && GroundAt(x, y) != Sea && Dist(x, y) >= 2) GroundAt(x, y) = kind;
            }
    }

    // Scatters `count` items on cells that `ok` accepts, at least `spacing`
    // cells (Chebyshev) from items of the same kind, never on the start cell.
    template <class Ok>
    int Scatter(common::SplitMix64& rng, uint8_t id, int count, int spacing, Ok ok) {
        int sx = -1, sy = -1;
        mapcheck::FindStart(map, sx, sy);
        int placed = 0;
        for (int tries = 0; placed < count && tries < 20000; ++tries) {
            int x = rng.Range32(1, kSize - 2), y = rng.Range32(1, kSize - 2);
            if (ItemAt(x, y) != 0 || GroundAt(x, y) == Sea || (x == sx && y == sy) || !ok(x, y))
                continue;
            bool crowded = false;
            for (int yy = y - spacing + 1; yy < y + spacing && !crowded; ++yy)
                for (int xx = x - spacing + 1; xx < x + spacing && !crowded; ++xx)
                    crowded = Inside(xx, yy) && ItemAt(xx, yy) == id;
            if (crowded) continue;
            ItemAt(x, y) = id;
            ++placed;
        }
        return placed;
    }

    bool Near(int x, int y, Ground kind, int radius) {
        for (int yy = y - radius; yy <= y + radius; ++yy)
            for (int xx = x - radius; xx <= x + radius; ++xx)
                if (Inside(xx, yy) && GroundAt(xx, yy) == kind) return true;
        return false;
    }

    bool NearStart(int x, int y, int radius) {
        int sx = 0, sy = 0;
        mapcheck::FindStart(map, sx, sy);
        return std::abs(x - sx) <= radius && std::abs(y - sy) <= radius;
    }
};

// Shape: distance from an ellipse centre, roughened by noise; `bay` cuts a
// round bite of sea out of it when its radius is above 0.
struct Shape {
    double cx, cy, rx, ry, roughness;
    double bayX = 0, bayY = 0, bayR = 0;
};

void Grow(Island& is, const Shape& s, const ValueNoise& coarse, const ValueNoise& fine) {
    for (int y = 2; y < kSize - 2; ++y)
        for (int x = 2; x < kSize - 2; ++x) {
            double dx = (x - s.cx) / s.rx, dy = (y - s.cy) / s.ry;
            double d = std::sqrt(dx * dx + dy * dy) +
                       (coarse.At(x, y) + fine.At(x, y) * 0.4) * s.roughness;
            bool land = d < 1.0;
            if (s.bayR > 0) {
                double bx = x - s.bayX, by = y - s.bayY;
                if (std::sqrt(bx * bx + by * by) + fine.At(x + 7, y) * 3 < s.bayR) land = false;
            }
            if (land) is.GroundAt(x, y) = Grass;
        }
    is.KeepLargestLand();
    is.LakesToShallow();
}

} // namespace

MapData DefaultIsland() {
    Island is;
    ValueNoise coarse(101, 16), fine(102, 5);
    Grow(is, {32, 33, 27, 25, 0.7}, coarse, fine);
    is.Beaches(fine);
    // rock: a hill in the north-east and a ridge in the south
    is.Patch(44, 20, 6.5, Rock, coarse);
    is.Patch(27, 47, 4.5, Rock, fine);
    // drinking pools spread so no part of the island is far from water
    const double pools[][3] = {{21, 22, 1.9}, {35, 30, 2.2}, {47, 36, 1.8},
                               {22, 38, 2.0}, {36, 48, 1.7}, {32, 16, 1.6}};
    for (auto& p : pools)
        is.Patch(p[0], p[1], p[2], Shallow, fine);
    is.MeasureCoast();

    common::SplitMix64 rng(2024);
    // Something to start with near the landing place.
    is.Scatter(rng, item::Treibholz, 1, 1,
               [&](int x, int y) { return is.NearStart(x, y, 4) && is.GroundAt(x, y) == Sand; });
    is.Scatter(rng, item::Steinbrocken, 1, 1,
               [&](int x, int y) { return is.NearStart(x, y, 7) && is.GroundAt(x, y) == Grass; });
    is.Scatter(rng, item::Kokosnuss, 2, 2, [&](int x, int y) { return is.NearStart(x, y, 8); });
    is.Scatter(rng, item::Beeren, 2, 2, [&](int x, int y) { return is.NearStart(x, y, 10); });

    is.Scatter(rng, item::Palme, 16, 3, [&](int x, int y) {
        return (is.GroundAt(x, y) == Sand || is.GroundAt(x, y) == Grass) && is.Dist(x, y) <= 4 &&
               is.Dist(x, y) >= 2;
    });
    is.Scatter(rng, item::Palme, 4, 2, [&](int x, int y) {
        return is.GroundAt(x, y) == Grass && is.Near(x, y, Shallow, 2);
    });
    is.Scatter(rng, item::Beerenstrauch, 5, 9,
               [&](int x, int y) { return is.GroundAt(x, y) == Grass; });
    is.Scatter(rng, item::Farne, 9, 5,
               [&](int x, int y) { return is.GroundAt(x, y) == Grass && is.Dist(x, y) >= 4; });
    is.Scatter(rng, item::Treibholz, 7, 6, [&](int x, int y) { return is.GroundAt(x, y) == Sand; });
    is.Scatter(rng, item::Steinbrocken, 8, 3,
               [&](int x, int y) { return is.GroundAt(x, y) == Rock; });
    is.Scatter(rng, item::Feuerstein, 1, 1,
               [&](int x, int y) { return is.GroundAt(x, y) == Rock; });
    is.Scatter(rng, item::Schiefer, 1, 1, [&](int x, int y) { return is.GroundAt(x, y) == Rock; });
    is.Scatter(rng, item::Eisenerz, 2, 4, [&](int x, int y) { return is.GroundAt(x, y) == Rock; });
    is.Scatter(rng, item::Kokosnuss, 3, 6, [&](int x, int y) { return is.GroundAt(x, y) != Rock; });
    // Placed last, so everything above keeps its cell. Berries near the beaches
    // feed the walks with planks; one fur lies inland (off rock, where the lizard
    // would drop a stone over it), and with 22 apes the second fur is there in
    // 99 % of games even after the lizard's meals.
    is.Scatter(rng, item::Beerenstrauch, 4, 6, [&](int x, int y) {
        return is.GroundAt(x, y) == Grass && is.Dist(x, y) <= 5 && !is.NearStart(x, y, 6);
    });
    is.Scatter(rng, item::Affenfell, 1, 1, [&](int x, int y) {
        return is.GroundAt(x, y) == Grass && is.Dist(x, y) >= 5 && !is.NearStart(x, y, 12);
    });
    is.map.apes = 22;
    is.map.lizards = 1;
    return is.map;
}

MapData BayIsland() {
    Island is;
    ValueNoise coarse(201, 14), fine(202, 4);
    Shape shape{31, 32, 27, 27, 0.5};
    shape.bayX = 47;
    shape.bayY = 35;
    shape.bayR = 15;
    Grow(is, shape, coarse, fine);
    is.Beaches(fine);
    // The bay's inner shore is shallow: drinkable, but slow and costly to wade.
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            double dx = x - shape.bayX, dy = y - shape.bayY;
            if (is.GroundAt(x, y) != Sea || std::sqrt(dx * dx + dy * dy) > shape.bayR + 1 || x > 56)
                continue;
            bool shore = false;
            for (int k = -2; k <= 2; ++k)
                for (int j = -2; j <= 2; ++j)
                    shore = shore || (is.Inside(x + k, y + j) && is.GroundAt(x + k, y + j) != Sea &&
                                      is.GroundAt(x + k, y + j) != Shallow);
            if (shore) is.GroundAt(x, y) = Shallow;
        }
    is.Patch(24, 16, 7, Rock, coarse);
    is.Patch(16, 40, 6, Rock, fine);
    is.Patch(34, 53, 4, Rock, fine);
    const double pools[][3] = {{30, 28, 1.8}, {14, 28, 1.6}, {26, 44, 1.6}};
    for (auto& p : pools)
        is.Patch(p[0], p[1], p[2], Shallow, fine);
    is.MeasureCoast();

    common::SplitMix64 rng(1848);
    is.Scatter(rng, item::Treibholz, 1, 1,
               [&](int x, int y) { return is.NearStart(x, y, 6) && is.GroundAt(x, y) == Sand; });
    is.Scatter(rng, item::Kokosnuss, 1, 1, [&](int x, int y) { return is.NearStart(x, y, 8); });
    is.Scatter(rng, item::Palme, 10, 4, [&](int x, int y) {
        return (is.GroundAt(x, y) == Sand || is.GroundAt(x, y) == Grass) && is.Dist(x, y) <= 4 &&
               is.Dist(x, y) >= 2;
    });
    is.Scatter(rng, item::Beerenstrauch, 3, 12,
               [&](int x, int y) { return is.GroundAt(x, y) == Grass; });
    is.Scatter(rng, item::Farne, 7, 6,
               [&](int x, int y) { return is.GroundAt(x, y) == Grass && is.Dist(x, y) >= 3; });
    is.Scatter(rng, item::Treibholz, 5, 8, [&](int x, int y) { return is.GroundAt(x, y) == Sand; });
    is.Scatter(rng, item::Steinbrocken, 7, 4,
               [&](int x, int y) { return is.GroundAt(x, y) == Rock; });
    // Placed last, so everything above keeps its cell. Two lizards eat half the
    // apes before a castaway could hunt them, so the bag's furs lie far apart on
    // grass; apes are meat here. More palms and bushes along the shore keep the
    // long ways survivable, and a few coconuts lie inland.
    is.Scatter(rng, item::Palme, 5, 3, [&](int x, int y) {
        return (is.GroundAt(x, y) == Sand || is.GroundAt(x, y) == Grass) && is.Dist(x, y) <= 4 &&
               is.Dist(x, y) >= 2;
    });
    is.Scatter(rng, item::Beerenstrauch, 4, 8,
               [&](int x, int y) { return is.GroundAt(x, y) == Grass && is.Dist(x, y) <= 6; });
    is.Scatter(rng, item::Kokosnuss, 4, 8,
               [&](int x, int y) { return is.GroundAt(x, y) == Grass; });
    is.Scatter(rng, item::Affenfell, 2, 20, [&](int x, int y) {
        return is.GroundAt(x, y) == Grass && is.Dist(x, y) >= 3 && !is.NearStart(x, y, 15);
    });
    is.map.apes = 12;
    is.map.lizards = 2;
    return is.map;
}

Canvas MapImage(const MapData& map) {
    Canvas c(map.width, map.height);
    for (int y = 0; y < map.height; ++y)
        for (int x = 0; x < map.width; ++x) {
            uint32_t argb = mapcheck::kGroundColours[map.GroundAt(x, y)];
            c.Set(x, y,
                  {static_cast<uint8_t>(argb >> 16), static_cast<uint8_t>(argb >> 8),
                   static_cast<uint8_t>(argb), 255});
        }
    return c;
}

std::vector<uint8_t> CritterFile(const MapData& map) {
    std::string text = std::to_string(map.apes) + "\n" + std::to_string(map.lizards) + "\n";
    return {text.begin(), text.end()};
}

} // namespace assetgen
