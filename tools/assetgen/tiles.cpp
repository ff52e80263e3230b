#include "tiles.h"

#include <functional>

#include "island/random.h"
#include "palette.h"

namespace assetgen {
namespace {

using namespace pal;
constexpr int kSide = 32;

// Drawing helpers that wrap at the tile edge.
void Put(Canvas& c, int x, int y, Rgba col) {
    c.Set(((x % kSide) + kSide) % kSide, ((y % kSide) + kSide) % kSide, col);
}
void Hdash(Canvas& c, int x, int y, int len, Rgba col) {
    for (int i = 0; i < len; ++i)
        Put(c, x + i, y, col);
}

// Sparse speckles chosen by a hash: percentage `density` of cells get `col`.
void Speckle(Canvas& c, uint32_t seed, int density, Rgba col) {
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            if (common::Hash2(x, y, seed) % 1000 < static_cast<uint32_t>(density * 10))
                c.Set(x, y, col);
}

void Sea(Canvas& c, Rgba base, Rgba light, Rgba dark, uint32_t seed) {
    c.Fill(base);
    Speckle(c, seed, 6, dark);
    // staggered wave crests: a short light dash with a dark trough under it
    const int waves[][2] = {{2, 3}, {18, 6}, {9, 12}, {25, 15}, {4, 21}, {17, 24}, {28, 29}};
    for (auto& w : waves) {
        Hdash(c, w[0], w[1], 5, light);
        Hdash(c, w[0] + 1, w[1] - 1, 3, light);
        Hdash(c, w[0] + 1, w[1] + 1, 4, dark);
    }
}

void Shallow(Canvas& c) {
    c.Fill(kShallow);
    Speckle(c, 21, 5, kShallowDark);
    Speckle(c, 22, 3, {150, 178, 140}); // sandy bottom shows through
    const int ripples[][2] = {{3, 5}, {19, 3}, {11, 14}, {26, 18}, {5, 25}, {20, 28}};
    for (auto& r : ripples) {
        Hdash(c, r[0], r[1], 4, kShallowLight);
        Put(c, r[0] - 1, r[1] + 1, kShallowLight);
        Put(c, r[0] + 4, r[1] + 1, kShallowLight);
    }
}

void Sand(Canvas& c, uint32_t seed, bool shells) {
    c.Fill(kSand);
    Speckle(c, seed, 9, kSandDark);
    Speckle(c, seed + 1, 7, kSandLight);
    // wind ripples
    const int ripples[][2] = {{4, 6}, {20, 10}, {10, 19}, {26, 25}, {2, 28}};
    for (auto& r : ripples)
        Hdash(c, r[0], r[1], 5, kSandDark);
    if (shells) {
        Put(c, 8, 12, kWhite);
        Put(c, 9, 12, kBerryLight);
        Put(c, 23, 4, kWhite);
        Put(c, 22, 21, kBerryLight);
    }
}

void Rock(Canvas& c, Rgba base, Rgba light, Rgba dark, uint32_t seed) {
    c.Fill(base);
    Speckle(c, seed, 10, dark);
    Speckle(c, seed + 1, 8, light);
    // slabs: cracks along a staggered brick-like grid, lit on their upper edges
    for (int row = 0; row < 4; ++row) {
        int y = row * 8 + 2;
        int off = row % 2 ? 11 : 0;
        Hdash(c, 0, y, kSide, dark);
        Hdash(c, 0, y + 1, kSide, light);
        for (int k = 0; k < 2; ++k) {
            int x = off + k * 16 + static_cast<int>(common::Hash2(row, k, seed) % 5);
            for (int yy = 1; yy < 8; ++yy)
                Put(c, x, y + yy, dark);
            for (int yy = 2; yy < 8; ++yy)
                Put(c, x + 1, y + yy, light);
        }
    }
}

void Grass(Canvas& c, uint32_t seed, bool flowers) {
    c.Fill(kGrass);
    Speckle(c, seed, 8, kGrassDark);
    Speckle(c, seed + 1, 5, kGrassLight);
    // tufts: a dark blade and a light one beside it
    for (int i = 0; i < 14; ++i) {
        int x = static_cast<int>(common::Hash2(i, 1, seed) % kSide),
            y = static_cast<int>(common::Hash2(i, 2, seed) % kSide);
        Put(c, x, y, kGrassDark);
        Put(c, x, y - 1, kGrassDark);
        Put(c, x + 1, y, kGrassLight);
        Put(c, x + 2, y - 1, kGrassDark);
    }
    if (flowers) {
        const int at[][2] = {{6, 8}, {22, 14}, {13, 26}, {28, 3}};
        for (auto& f : at) {
            Put(c, f[0], f[1], kFlameHot);
            Put(c, f[0] + 1, f[1], kFlame);
            Put(c, f[0], f[1] + 1, kFlame);
        }
    }
}

} // namespace

Canvas TileSheet() {
    const std::function<void(Canvas&)> tiles[kTileCount] = {
        [](Canvas& c) { Sea(c, kSea, kSeaLight, kDeepSea, 11); },
        Shallow,
        [](Canvas& c) { Sand(c, 31, false); },
        [](Canvas& c) { Rock(c, kRock, kRockLight, kRockDark, 41); },
        [](Canvas& c) { Grass(c, 51, false); },
        // Spare variants (the game draws only 0-4; map makers may like them later).
        [](Canvas& c) {
            Sea(c, kDeepSea, kSea, {18, 44, 100}, 12);
        },
        [](Canvas& c) { Grass(c, 52, true); },
        [](Canvas& c) { Sand(c, 32, true); },
        [](Canvas& c) {
            Rock(c, kRockDark, kRock, {70, 64, 60}, 42);
        },
        [](Canvas& c) {
            Grass(c, 53, false);
            c.Replace(kGrass, kGrassDark);
        },
    };
    Canvas sheet(kSide * kTileCount, kSide);
    for (int i = 0; i < kTileCount; ++i) {
        Canvas cell(kSide, kSide);
        tiles[i](cell);
        sheet.Blit(cell, i * kSide, 0);
    }
    return sheet;
}

} // namespace assetgen
