#include "island/island_ground.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "island/noise.h"

namespace mapgen {
namespace {

// The sea border: never land this near the map's edge.
int Margin(const Grid& g) {
    return 3 + std::min(g.W(), g.H()) / 48;
}

// Bays bitten out of the rim, facing any way but the landing corner's.
struct Bay {
    double x, y, r;
};
std::vector<Bay> Bays(common::SplitMix64& rng, int side, double cx, double cy, double rx,
                      double ry) {
    std::vector<Bay> bays(static_cast<size_t>(rng.Range(0, side >= 128 ? 2 : 1)));
    for (Bay& b : bays) {
        double ux = rng.Between(-1, 1), uy = rng.Between(-1, 1);
        if (ux < 0 && uy < 0) ux = -ux;
        const double norm = std::sqrt(ux * ux + uy * uy) + 1e-9;
        b = {cx + ux / norm * rx, cy + uy / norm * ry, rng.Between(0.12, 0.22) * side};
    }
    return bays;
}

// Distance from a line segment, in units of `width`.
struct Segment {
    double x0, y0, x1, y1, width;
    double Distance(double x, double y) const {
        const double sx = x1 - x0, sy = y1 - y0, length2 = sx * sx + sy * sy;
        double t = length2 > 0 ? ((x - x0) * sx + (y - y0) * sy) / length2 : 0;
        t = std::clamp(t, 0.0, 1.0);
        const double dx = x - (x0 + t * sx), dy = y - (y0 + t * sy);
        return std::sqrt(dx * dx + dy * dy) / width;
    }
};

// A noisy blend of an ellipse and a rounded square, filling the map inside its
// sea border, and a round lobe in the top-left corner: there the game puts the
// castaway (on the diagonal) and its critters (in the first 64 columns and
// rows), so the island always reaches into it.
void Shape(Grid& g, common::SplitMix64& rng) {
    const int side = std::min(g.W(), g.H()), margin = Margin(g);
    const double cx = g.W() / 2.0 + rng.Between(-0.04, 0.04) * g.W();
    const double cy = g.H() / 2.0 + rng.Between(-0.04, 0.04) * g.H();
    const double rx = (g.W() / 2.0 - margin) * 0.86, ry = (g.H() / 2.0 - margin) * 0.86;
    const double square = rng.Between(0.0, 0.5), rough = rng.Between(0.9, 1.3);
    const double lobeR = rng.Between(19, 26), lobeX = margin + lobeR * rng.Between(0.95, 1.15),
                 lobeY = margin + lobeR * rng.Between(0.95, 1.15);
    const std::vector<Bay> bays = Bays(rng, side, cx, cy, rx, ry);
    // The lobe joins the island along a broad neck the noise cannot cut.
    const Segment neck{lobeX, lobeY, cx, cy, lobeR * 0.7};
    const FractalNoise noise(rng.Next(), std::max(16, side / 3), 5);
    for (int y = margin; y < g.H() - margin; ++y)
        for (int x = margin; x < g.W() - margin; ++x) {
            const double dx = (x - cx) / rx, dy = (y - cy) / ry;
            const double round = std::sqrt(dx * dx + dy * dy);
            const double squared = std::sqrt(std::sqrt(dx * dx * dx * dx + dy * dy * dy * dy));
            const double lx = (x - lobeX) / lobeR, ly = (y - lobeY) / lobeR;
            double d = std::min({round * (1 - square) + squared * square,
                                 std::sqrt(lx * lx + ly * ly), neck.Distance(x, y)});
            for (const Bay& b : bays) {
                const double bx = (x - b.x) / b.r, by = (y - b.y) / b.r;
                d = std::max(d, 2.0 - std::sqrt(bx * bx + by * by));
            }
            if (d + noise.At(x, y) * rough < 1.0) g.GroundAt(x, y) = Grass;
        }
}

// A spit: a narrow tongue of land reaching out from the coast.
struct Spit {
    Segment line;
};

// The natural island: the rim pushed about by a slow warp, so the coast bends
// into bays and headlands without straight runs, bays bitten out all round,
// and spits reaching out to sea. Smaller than the classic one within the sea
// border, so the border never cuts a coast straight. The top-left lobe stays,
// for the landing place and the critters.
void NaturalShape(Grid& g, common::SplitMix64& rng) {
    constexpr int kSoftBorder = 6;
    const int side = std::min(g.W(), g.H()), margin = Margin(g);
    const double cx = g.W() / 2.0 + rng.Between(-0.05, 0.05) * g.W();
    const double cy = g.H() / 2.0 + rng.Between(-0.05, 0.05) * g.H();
    const double rx = (g.W() / 2.0 - margin) * 0.74, ry = (g.H() / 2.0 - margin) * 0.74;
    const double rough = rng.Between(1.0, 1.4), warp = rng.Between(0.16, 0.24) * side;
    // A lobe the size of the whole corner would press the coast flat against the border.
    const double lobeR = std::min(rng.Between(17, 22), side * 0.2);
    const double lobeX = margin + kSoftBorder + lobeR * rng.Between(0.9, 1.1),
                 lobeY = margin + kSoftBorder + lobeR * rng.Between(0.9, 1.1);
    std::vector<Bay> bays = Bays(rng, side, cx, cy, rx, ry);
    const int more = rng.Range(2, 3) + (side >= 128 ? 1 : 0);
    for (int i = 0; i < more; ++i) {
        const std::vector<Bay> one = Bays(rng, side, cx, cy, rx * 1.05, ry * 1.05);
        if (!one.empty()) bays.push_back({one[0].x, one[0].y, one[0].r * 0.8});
    }
    std::vector<Spit> spits(static_cast<size_t>(rng.Range(1, 2)));
    for (Spit& sp : spits) {
        double ux = rng.Between(-1, 1), uy = rng.Between(-1, 1);
        if (ux < 0 && uy < 0) uy = -uy;
        const double norm = std::sqrt(ux * ux + uy * uy) + 1e-9;
        ux /= norm;
        uy /= norm;
        const double reach = rng.Between(0.16, 0.24) * side;
        const double x0 = cx + ux * rx * 0.8, y0 = cy + uy * ry * 0.8;
        sp.line = {x0, y0, x0 + ux * (rx * 0.2 + reach), y0 + uy * (ry * 0.2 + reach),
                   rng.Between(1.6, 2.6)};
    }
    const Segment neck{lobeX, lobeY, cx, cy, lobeR * 0.7};
    const FractalNoise warpX(rng.Next(), std::max(16, side / 2), 3);
    const FractalNoise warpY(rng.Next(), std::max(16, side / 2), 3);
    const FractalNoise noise(rng.Next(), std::max(12, side / 4), 5);
    const FractalNoise wobble(rng.Next(), 8, 2);
    for (int y = margin; y < g.H() - margin; ++y)
        for (int x = margin; x < g.W() - margin; ++x) {
            const double wx = x + warpX.At(x, y) * warp, wy = y + warpY.At(x, y) * warp;
            const double dx = (wx - cx) / rx, dy = (wy - cy) / ry;
            const double lx = (wx - lobeX) / lobeR, ly = (wy - lobeY) / lobeR;
            double d = std::min({std::sqrt(dx * dx + dy * dy), std::sqrt(lx * lx + ly * ly),
                                 neck.Distance(wx, wy)});
            for (const Bay& b : bays) {
                const double bx = (wx - b.x) / b.r, by = (wy - b.y) / b.r;
                d = std::max(d, 2.0 - std::sqrt(bx * bx + by * by));
            }
            for (const Spit& sp : spits)
                d = std::min(d, sp.line.Distance(wx, wy));
            // The coast turns away before the sea border instead of running along it.
            // The ramp wobbles, or the coast would follow it straight instead.
            const double edge =
                std::min({x - margin, y - margin, g.W() - 1 - margin - x, g.H() - 1 - margin - y}) +
                wobble.At(x, y) * kSoftBorder * 1.5;
            if (edge < kSoftBorder) d += (kSoftBorder - edge) * 0.25;
            if (d + noise.At(x, y) * rough < 1.0) g.GroundAt(x, y) = Grass;
        }
}

bool OnDiagonalLand(const Grid& g, int& first) {
    const int reach = std::min({TPlayer::START_DIAGONAL, g.W(), g.H()});
    for (int i = 0; i < reach; ++i)
        if (g.Land(i, i)) {
            first = i;
            return true;
        }
    return false;
}

// When the coast crosses the diagonal too deep (or not at all), a headland
// grows from a landing place near the corner to the island.
void Landing(Grid& g, common::SplitMix64& rng) {
    int first = -1;
    if (OnDiagonalLand(g, first) && first <= kDeepestStart) return;
    const std::vector<uint8_t> before = g.map.ground;
    const int margin = Margin(g);
    const double c = margin + rng.Range(5, 9), r = rng.Between(3.5, 5.0);
    Patch(g, c, c, r, Grass, [](int, int) { return true; });
    // A neck towards the middle of the map until it meets the old land.
    const double tx = g.W() / 2.0 - c, ty = g.H() / 2.0 - c;
    const double length = std::sqrt(tx * tx + ty * ty);
    const double width = rng.Between(3.0, 4.5);
    for (double t = 0; t < length; t += 1.0) {
        const double px = c + tx * t / length, py = c + ty * t / length;
        const int ix = static_cast<int>(px), iy = static_cast<int>(py);
        if (t > r && g.Inside(ix, iy) && before[static_cast<size_t>(g.Index(ix, iy))] != Sea) break;
        Patch(g, px, py, width, Grass, [](int, int) { return true; });
    }
}

// Sand along the open sea, a cell or two deep where the noise says so.
void Beaches(Grid& g, common::SplitMix64& rng) {
    const ValueNoise noise(rng.Next(), 5);
    for (int y = 0; y < g.H(); ++y)
        for (int x = 0; x < g.W(); ++x) {
            if (g.GroundAt(x, y) != Grass) continue;
            const int d = g.Coast(x, y);
            const double n = noise.At(x, y);
            if (d == 1 || (d == 2 && n > -0.15) || (d == 3 && n > 0.25)) g.GroundAt(x, y) = Sand;
        }
}

// Rock where a slow noise peaks, a share of the land, none near the start.
void RockHills(Grid& g, common::SplitMix64& rng) {
    const FractalNoise hills(rng.Next(), 16, 4);
    std::vector<int> cells;
    std::vector<double> heights;
    for (int y = 0; y < g.H(); ++y)
        for (int x = 0; x < g.W(); ++x)
            if (g.GroundAt(x, y) == Grass && g.Coast(x, y) >= 3 &&
                Chebyshev(x, y, g.startX, g.startY) >= kRockClearance) {
                cells.push_back(g.Index(x, y));
                heights.push_back(hills.At(x, y));
            }
    const size_t want = static_cast<size_t>(g.LandCells() * rng.Between(0.06, 0.10));
    if (want == 0 || want >= heights.size()) return;
    // The height above which `want` cells lie: one value, whatever the sort's order.
    std::vector<double> sorted = heights;
    std::nth_element(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(want),
                     sorted.end(), std::greater<double>());
    const double top = sorted[want];
    for (size_t i = 0; i < cells.size(); ++i)
        if (heights[i] > top) g.map.ground[static_cast<size_t>(cells[i])] = Rock;
}

// Drinking pools on a loose lattice, so no part of the island is far from water.
void Pools(Grid& g, common::SplitMix64& rng) {
    constexpr int kSpacing = 22;
    for (int gy = 0; gy * kSpacing < g.H(); ++gy)
        for (int gx = 0; gx * kSpacing < g.W(); ++gx) {
            const int x = gx * kSpacing + rng.Range(3, kSpacing - 4);
            const int y = gy * kSpacing + rng.Range(3, kSpacing - 4);
            const double r = rng.Between(1.2, 2.4);
            if (!g.Inside(x, y) || g.GroundAt(x, y) != Grass || g.Coast(x, y) < 3 ||
                Chebyshev(x, y, g.startX, g.startY) < 3)
                continue;
            Patch(g, x + 0.5, y + 0.5, r, Shallow, [&](int px, int py) {
                return g.GroundAt(px, py) == Grass && g.Coast(px, py) >= 2 &&
                       (px != g.startX || py != g.startY);
            });
        }
}

// Shallow water over the reefs along some stretches of coast: every reef cell
// borders land by an edge, so it can be waded to. The diagonal stays clear,
// or the castaway would land in the water.
void Reefs(Grid& g, common::SplitMix64& rng) {
    const ValueNoise noise(rng.Next(), 9);
    std::vector<int> reef;
    for (int y = 1; y < g.H() - 1; ++y)
        for (int x = 1; x < g.W() - 1; ++x) {
            if (g.GroundAt(x, y) != Sea || x == y || noise.At(x, y) < 0.22) continue;
            if (Chebyshev(x, y, g.startX, g.startY) < 12) continue;
            const bool shore =
                g.Land(x - 1, y) || g.Land(x + 1, y) || g.Land(x, y - 1) || g.Land(x, y + 1);
            if (shore) reef.push_back(g.Index(x, y));
        }
    for (int i : reef)
        g.map.ground[static_cast<size_t>(i)] = Shallow;
}

} // namespace

bool GrowGround(Grid& g, common::SplitMix64& rng, int version) {
    if (version == kNaturalVersion)
        NaturalShape(g, rng);
    else
        Shape(g, rng);
    g.KeepLargestLand();
    Landing(g, rng);
    g.KeepLargestLand();
    g.LakesToShallow();
    if (!g.FindStart()) return false;
    g.MeasureCoast();
    Beaches(g, rng);
    RockHills(g, rng);
    Pools(g, rng);
    Reefs(g, rng);
    g.MeasureCoast();
    return g.FindStart();
}

} // namespace mapgen
