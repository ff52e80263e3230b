#include "island/mapgen.h"

#include <string>

#include "island/findings_texts.h"
#include "island/island_ground.h"
#include "island/island_items.h"
#include "island/island_shape.h"
#include "island/random.h"

namespace mapgen {
namespace {

bool Dry(const Grid& g, int x, int y) {
    const uint8_t k = g.GroundAt(x, y);
    return k == Sand || k == Rock || k == Grass;
}

// The empty dry cell nearest to (x, y) that `ok` accepts, searched ring by ring.
template <class Ok> bool NearestFree(const Grid& g, int& x, int& y, Ok ok) {
    for (int r = 0; r < 24; ++r)
        for (int yy = y - r; yy <= y + r; ++yy)
            for (int xx = x - r; xx <= x + r; ++xx) {
                if (Chebyshev(xx, yy, x, y) != r || !g.Inside(xx, yy) || !Dry(g, xx, yy)) continue;
                if (g.ItemAt(xx, yy) != 0 || (xx == g.startX && yy == g.startY) || !ok(xx, yy))
                    continue;
                x = xx;
                y = yy;
                return true;
            }
    return false;
}

// The checker names the worst-placed cell of a far way to water or to food: a
// pool or a berry bush there shortens it. A few rounds, until none is named.
void MendFarWays(Grid& g) {
    for (int round = 0; round < 64; ++round) {
        const mapcheck::Analysis a = mapcheck::Analyse(g.map);
        const std::string farWater =
            Tr(findings::kFarWater,
               {std::to_string(a.worstThirstToWater), std::to_string(mapcheck::kThirstLimit)});
        const std::string farFood =
            Tr(findings::kFarFood,
               {std::to_string(a.worstHungerToFood), std::to_string(mapcheck::kHungerLimit)});
        bool mended = false;
        for (const mapcheck::Issue& issue : a.issues) {
            int x = issue.x, y = issue.y;
            if (x < 0) continue;
            if (issue.text == farWater && NearestFree(g, x, y, [](int, int) { return true; })) {
                Patch(g, x + 0.5, y + 0.5, 1.6, Shallow, [&](int px, int py) {
                    return Dry(g, px, py) && g.ItemAt(px, py) == 0 &&
                           Chebyshev(px, py, g.startX, g.startY) > 1;
                });
                mended = true;
            } else if (issue.text == farFood && NearestFree(g, x, y, [&](int px, int py) {
                           return g.GroundAt(px, py) != Rock;
                       })) {
                g.ItemAt(x, y) = mapcheck::Beerenstrauch;
                mended = true;
            }
        }
        if (!mended) return;
    }
}

bool RockNearStart(const mapcheck::MapData& map, int sx, int sy) {
    for (int y = sy - kRockClearance + 1; y < sy + kRockClearance; ++y)
        for (int x = sx - kRockClearance + 1; x < sx + kRockClearance; ++x)
            if (x >= 0 && y >= 0 && x < map.width && y < map.height && map.GroundAt(x, y) == Rock)
                return true;
    return false;
}

// The seed of the n-th candidate: the one asked for first, then derived ones.
uint64_t CandidateSeed(uint64_t seed, int n) {
    return n == 0 ? seed : common::Mix64(seed ^ common::Mix64(static_cast<uint64_t>(n)));
}

bool ParseNumber(const std::string& text, uint64_t limit, uint64_t& value) {
    if (text.empty()) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        const uint64_t digit = static_cast<uint64_t>(c - '0');
        if (value > (limit - digit) / 10) return false;
        value = value * 10 + digit;
    }
    return true;
}

} // namespace

bool Acceptable(const mapcheck::MapData& map) {
    mapcheck::Analysis a = mapcheck::Analyse(map);
    mapcheck::CheckFairness(map, a);
    return a.winnable && a.issues.empty() && a.reachableCells == a.landCells &&
           !RockNearStart(map, a.startX, a.startY);
}

bool Generate(uint64_t seed, int width, int height, Generated& out, int version) {
    out = {};
    if (width < kMinSide || height < kMinSide || width > kMaxSide || height > kMaxSide)
        return false;
    for (int n = 0; n < kMaxTries; ++n) {
        Grid g(width, height);
        common::SplitMix64 rng(CandidateSeed(seed, n));
        ++out.tries;
        if (!GrowGround(g, rng, version)) continue;
        // Natural islands keep to their outline goals; a blob is grown again.
        if (version == kNaturalVersion && !NaturalEnough(g.map)) continue;
        PlaceItems(g, rng);
        ChooseCritters(g, rng);
        MendFarWays(g);
        if (!Acceptable(g.map)) continue;
        out.map = std::move(g.map);
        return true;
    }
    return false;
}

bool ParseSeed(const std::string& text, uint64_t& seed) {
    return ParseNumber(text, UINT64_MAX, seed);
}

bool ParseIslandSeed(const std::string& text, uint64_t& seed, int& version) {
    const std::string natural = std::to_string(kNaturalVersion) + "-";
    version = text.rfind(natural, 0) == 0 ? kNaturalVersion : kClassicVersion;
    return ParseSeed(version == kClassicVersion ? text : text.substr(natural.size()), seed);
}

std::string SeedText(uint64_t seed, int version) {
    const std::string number = std::to_string(seed);
    return version == kClassicVersion ? number : std::to_string(version) + "-" + number;
}

bool ParseSize(const std::string& text, int& width, int& height) {
    const size_t x = text.find_first_of("xX");
    uint64_t w = 0, h = 0;
    if (x == std::string::npos || !ParseNumber(text.substr(0, x), 100000, w) ||
        !ParseNumber(text.substr(x + 1), 100000, h))
        return false;
    if (w < kMinSide || h < kMinSide || w > kMaxSide || h > kMaxSide) return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

uint64_t DailySeed(int year, int month, int day) {
    return static_cast<uint64_t>(year) * 10000 + static_cast<uint64_t>(month) * 100 +
           static_cast<uint64_t>(day);
}

TKarte KarteOf(const mapcheck::MapData& map) {
    TKarte karte = TKarte::Create(map.width, map.height, 3);
    for (int y = 0; y < map.height; ++y)
        for (int x = 0; x < map.width; ++x) {
            karte.data(x, y, 0) = map.GroundAt(x, y);
            karte.data(x, y, 1) = map.ItemAt(x, y);
        }
    return karte;
}

} // namespace mapgen
