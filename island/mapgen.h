// Islands grown from a seed, for players and map makers: the same seed and
// size give the same island byte for byte on every machine and in the page,
// and every island passes the map checker without a finding, with the leather
// bag in reach in 99 % of games and everything walkable from the start. The
// game grows them in memory; the island editor writes them to files.
#pragma once

#include <cstdint>
#include <string>

#include "island/island_ground.h"
#include "island/map_analysis.h"
#include "world/karte.h"

namespace mapgen {

// Sides of a generated island in cells: the game's critters and regrowth want
// 64, and beyond 512 the walks grow longer than a game.
inline constexpr int kMinSide = 64, kMaxSide = 512;
inline constexpr int kDefaultSide = 128;
// The side of a new (natural) island in the game: a game there lasts about as
// long as on the shipped islands (docs/performance.md has the bot's figures).
inline constexpr int kGameSide = 96;
// Candidates tried before giving up; each after the first grows from a seed
// derived from the one asked for.
inline constexpr int kMaxTries = 24;

struct Generated {
    mapcheck::MapData map;
    int tries = 0; // candidates grown, the accepted one included
};

// Grows an island of width x height cells (each kMinSide..kMaxSide). False when
// the size is out of range or no candidate passed within kMaxTries.
bool Generate(uint64_t seed, int width, int height, Generated& out, int version = kClassicVersion);

// What a generated island must pass: the checker's analysis and fairness
// without any finding, every land cell reachable, no rock near the start.
bool Acceptable(const mapcheck::MapData& map);

// A seed as typed: decimal digits only, 0 .. 2^64 - 1.
bool ParseSeed(const std::string& text, uint64_t& seed);
// A seed as players share it: a plain seed names a classic island (every seed
// given out before natural islands came keeps its island), "2-" before it a
// natural one; `version` tells which.
bool ParseIslandSeed(const std::string& text, uint64_t& seed, int& version);
// The seed as ParseIslandSeed reads it back.
std::string SeedText(uint64_t seed, int version);
// A size as typed: "WxH" (or "WXH"), each side kMinSide..kMaxSide.
bool ParseSize(const std::string& text, int& width, int& height);

// The island of the day's seed: the UTC date read as a number (2026-12-08 gives
// 20261208), the same for the game, the page and anyone reading the date.
uint64_t DailySeed(int year, int month, int day);

// The generated island as the game holds a map: ground and item layers.
TKarte KarteOf(const mapcheck::MapData& map);

} // namespace mapgen
