#include "tiles.h"

#include <functional>

#include "palette.h"
#include "rng.h"

namespace assetgen {
namespace {

using namespace pal;
constexpr int N = 32;

// Drawing helpers that wrap at the tile edge.
void put(Canvas& c, int x, int y, Rgba col) {
    c.set(((x % N) + N) % N, ((y % N) + N) % N, col);
}
void hdash(Canvas& c, int x, int y, int len, Rgba col) {
    for (int i = 0; i < len; ++i)
        put(c, x + i, y, col);
}

// Sparse speckles chosen by a hash: percentage `density` of cells get `col`.
void speckle(Canvas& c, uint32_t seed, int density, Rgba col) {
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x)
            if (hash2(x, y, seed) % 1000 < static_cast<uint32_t>(density * 10)) c.set(x, y, col);
}

void sea(Canvas& c, Rgba base, Rgba light, Rgba dark, uint32_t seed) {
    c.fill(base);
    speckle(c, seed, 6, dark);
    // staggered wave crests: a short light dash with a dark trough under it
    const int waves[][2] = {{2, 3}, {18, 6}, {9, 12}, {25, 15}, {4, 21}, {17, 24}, {28, 29}};
    for (auto& w : waves) {
        hdash(c, w[0], w[1], 5, light);
        hdash(c, w[0] + 1, w[1] - 1, 3, light);
        hdash(c, w[0] + 1, w[1] + 1, 4, dark);
    }
}

void shallow(Canvas& c) {
    c.fill(kShallow);
    speckle(c, 21, 5, kShallowDark);
    speckle(c, 22, 3, {150, 178, 140}); // sandy bottom shows through
    const int ripples[][2] = {{3, 5}, {19, 3}, {11, 14}, {26, 18}, {5, 25}, {20, 28}};
    for (auto& r : ripples) {
        hdash(c, r[0], r[1], 4, kShallowLight);
        put(c, r[0] - 1, r[1] + 1, kShallowLight);
        put(c, r[0] + 4, r[1] + 1, kShallowLight);
    }
}

void sand(Canvas& c, uint32_t seed, bool shells) {
    c.fill(kSand);
    speckle(c, seed, 9, kSandDark);
    speckle(c, seed + 1, 7, kSandLight);
    // wind ripples
    const int ripples[][2] = {{4, 6}, {20, 10}, {10, 19}, {26, 25}, {2, 28}};
    for (auto& r : ripples)
        hdash(c, r[0], r[1], 5, kSandDark);
    if (shells) {
        put(c, 8, 12, kWhite);
        put(c, 9, 12, kBerryLight);
        put(c, 23, 4, kWhite);
        put(c, 22, 21, kBerryLight);
    }
}

void rock(Canvas& c, Rgba base, Rgba light, Rgba dark, uint32_t seed) {
    c.fill(base);
    speckle(c, seed, 10, dark);
    speckle(c, seed + 1, 8, light);
    // slabs: cracks along a staggered brick-like grid, lit on their upper edges
    for (int row = 0; row < 4; ++row) {
        int y = row * 8 + 2;
        int off = row % 2 ? 11 : 0;
        hdash(c, 0, y, N, dark);
        hdash(c, 0, y + 1, N, light);
        for (int k = 0; k < 2; ++k) {
            int x = off + k * 16 + static_cast<int>(hash2(row, k, seed) % 5);
            for (int yy = 1; yy < 8; ++yy)
                put(c, x, y + yy, dark);
            for (int yy = 2; yy < 8; ++yy)
                put(c, x + 1, y + yy, light);
        }
    }
}

void grass(Canvas& c, uint32_t seed, bool flowers) {
    c.fill(kGrass);
    speckle(c, seed, 8, kGrassDark);
    speckle(c, seed + 1, 5, kGrassLight);
    // tufts: a dark blade and a light one beside it
    for (int i = 0; i < 14; ++i) {
        int x = static_cast<int>(hash2(i, 1, seed) % N),
            y = static_cast<int>(hash2(i, 2, seed) % N);
        put(c, x, y, kGrassDark);
        put(c, x, y - 1, kGrassDark);
        put(c, x + 1, y, kGrassLight);
        put(c, x + 2, y - 1, kGrassDark);
    }
    if (flowers) {
        const int at[][2] = {{6, 8}, {22, 14}, {13, 26}, {28, 3}};
        for (auto& f : at) {
            put(c, f[0], f[1], kFlameHot);
            put(c, f[0] + 1, f[1], kFlame);
            put(c, f[0], f[1] + 1, kFlame);
        }
    }
}

} // namespace

Canvas tileSheet() {
    const std::function<void(Canvas&)> tiles[kTileCount] = {
        [](Canvas& c) { sea(c, kSea, kSeaLight, kDeepSea, 11); },
        shallow,
        [](Canvas& c) { sand(c, 31, false); },
        [](Canvas& c) { rock(c, kRock, kRockLight, kRockDark, 41); },
        [](Canvas& c) { grass(c, 51, false); },
        // Spare variants (the game draws only 0-4; map makers may like them later).
        [](Canvas& c) {
            sea(c, kDeepSea, kSea, {18, 44, 100}, 12);
        },
        [](Canvas& c) { grass(c, 52, true); },
        [](Canvas& c) { sand(c, 32, true); },
        [](Canvas& c) {
            rock(c, kRockDark, kRock, {70, 64, 60}, 42);
        },
        [](Canvas& c) {
            grass(c, 53, false);
            c.replace(kGrass, kGrassDark);
        },
    };
    Canvas sheet(N * kTileCount, N);
    for (int i = 0; i < kTileCount; ++i) {
        Canvas cell(N, N);
        tiles[i](cell);
        sheet.blit(cell, i * N, 0);
    }
    return sheet;
}

} // namespace assetgen
