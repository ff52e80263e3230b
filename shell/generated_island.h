// Islands grown from a seed, played like a chosen map: `mapfile` names one as
// "seed:S:WxH" (or "daily:S:WxH" for the island of the day), S the seed as
// players share it (mapgen::SeedText), which no map file's path starts with. The island is grown at
// its first load and kept, so a restart after a death plays the very same island.
#pragma once

#include <cstdint>
#include <string>

#include "world/karte.h"

// The name that stands for the island of `seed` and size in `mapfile`.
std::string GeneratedIslandName(uint64_t seed, int version, int width, int height,
                                bool daily = false);
bool IsGeneratedIsland(const std::string& name);
// A seed for the chooser's new island, from the clock and the game's random
// sequence: a different island each time, below a billion so it is easy to pass on.
uint64_t FreshSeed();
// What the player reads about the island: its seed or its day, and its size.
std::string IslandCaption(const std::string& name);
// The island `name` stands for with its critter counts: grown now, or the one
// kept from the last load. False for a malformed name or when no candidate
// grew; `map` is untouched then.
bool GrowIsland(const std::string& name, TKarte& map, int& apes, int& lizards);
