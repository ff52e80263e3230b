#include "shell/generated_island.h"

#include <utility>

#include "core/texts.h"
#include "island/mapgen.h"
#include "media/clock.h"
#include "media/program.h"

namespace {

constexpr const char* SEED_PREFIX = "seed:";
constexpr const char* DAILY_PREFIX = "daily:";

struct IslandName {
    uint64_t seed = 0;
    int version = 0, width = 0, height = 0;
    bool daily = false;
};

bool ParseName(const std::string& name, IslandName& out) {
    std::string rest;
    if (name.rfind(SEED_PREFIX, 0) == 0) {
        rest = name.substr(std::string(SEED_PREFIX).size());
        out.daily = false;
    } else if (name.rfind(DAILY_PREFIX, 0) == 0) {
        rest = name.substr(std::string(DAILY_PREFIX).size());
        out.daily = true;
    } else {
        return false;
    }
    const std::size_t colon = rest.find(':');
    return colon != std::string::npos &&
           mapgen::ParseIslandSeed(rest.substr(0, colon), out.seed, out.version) &&
           mapgen::ParseSize(rest.substr(colon + 1), out.width, out.height);
}

// The last island grown, for the next load of the same name.
struct KeptIsland {
    std::string name;
    TKarte map;
    int apes = 0, lizards = 0;
};
KeptIsland kept;

} // namespace

std::string GeneratedIslandName(uint64_t seed, int version, int width, int height, bool daily) {
    return std::string(daily ? DAILY_PREFIX : SEED_PREFIX) + mapgen::SeedText(seed, version) + ':' +
           std::to_string(width) + 'x' + std::to_string(height);
}

bool IsGeneratedIsland(const std::string& name) {
    IslandName parsed;
    return ParseName(name, parsed);
}

uint64_t FreshSeed() {
    // The milliseconds the player took in the menu vary from game to game;
    // the game's own sequence keeps tests on the virtual clock repeatable.
    const uint64_t ms = static_cast<uint32_t>(Millis());
    const uint64_t draw = static_cast<uint64_t>(RandomInt(0, 999999));
    return (ms * 1000003u + draw) % 1000000000u;
}

std::string IslandCaption(const std::string& name) {
    IslandName n;
    if (!ParseName(name, n)) return name;
    const std::string size = std::to_string(n.width) + 'x' + std::to_string(n.height);
    if (!n.daily) return Tr(texts::ISLAND_SEED, {mapgen::SeedText(n.seed, n.version), size});
    // 20261208 reads as 2026-12-08: the seed is the date.
    std::string date = std::to_string(n.seed);
    if (date.size() == 8) date = date.substr(0, 4) + '-' + date.substr(4, 2) + '-' + date.substr(6);
    return Tr(texts::DAILY_ISLAND, {date, size});
}

bool GrowIsland(const std::string& name, TKarte& map, int& apes, int& lizards) {
    IslandName n;
    if (!ParseName(name, n)) return false;
    if (kept.name != name) {
        mapgen::Generated island;
        const int started = Millis();
        if (!mapgen::Generate(n.seed, n.width, n.height, island, n.version)) {
            DebugLog("no island grew from seed " + std::to_string(n.seed));
            return false;
        }
        DebugLog("island " + name + ": seed " + std::to_string(n.seed) + ", " +
                 std::to_string(island.tries) + " candidate(s), " +
                 std::to_string(Millis() - started) + " ms");
        kept = KeptIsland{name, mapgen::KarteOf(island.map), island.map.apes, island.map.lizards};
    }
    map = kept.map;
    apes = kept.apes;
    lizards = kept.lizards;
    return true;
}
