// The island being grown: the checker's map data with the helpers every
// stage of the generator needs (cell access, distances, floods).
#pragma once

#include <cstdint>
#include <vector>

#include "island/map_analysis.h"

namespace mapgen {

enum Ground : uint8_t {
    Sea = TKarte::SEA,
    Shallow = TKarte::SHALLOW,
    Sand = TKarte::SAND,
    Rock = TKarte::ROCK,
    Grass = TKarte::GRASS
};

struct Grid {
    mapcheck::MapData map;
    int startX = -1, startY = -1;
    std::vector<int> coast; // steps (eight ways) to the nearest open-sea cell

    Grid(int width, int height);
    int W() const { return map.width; }
    int H() const { return map.height; }
    int Index(int x, int y) const { return y * map.width + x; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < W() && y < H(); }
    uint8_t& GroundAt(int x, int y) { return map.ground[static_cast<size_t>(Index(x, y))]; }
    uint8_t GroundAt(int x, int y) const { return map.ground[static_cast<size_t>(Index(x, y))]; }
    uint8_t& ItemAt(int x, int y) { return map.items[static_cast<size_t>(Index(x, y))]; }
    uint8_t ItemAt(int x, int y) const { return map.items[static_cast<size_t>(Index(x, y))]; }
    bool Land(int x, int y) const { return Inside(x, y) && GroundAt(x, y) != Sea; }
    int Coast(int x, int y) const { return coast[static_cast<size_t>(Index(x, y))]; }
    int LandCells() const;

    // Labels the cells `pass` accepts that are joined to `start` by edge
    // neighbours (the castaway's four ways) with `id`; returns how many.
    template <class Pass> int Flood(std::vector<int>& label, int start, int id, Pass pass) const;
    // Only the largest piece of land stays: anything cut off would strand
    // critters and items out of reach.
    void KeepLargestLand();
    // Sea enclosed by land is a lake: drinkable shallow water.
    void LakesToShallow();
    // Coast distances from the open sea; call after the shape changes.
    void MeasureCoast();
    // The game's start cell, the first land on the diagonal; false when none.
    bool FindStart();
};

// Chebyshev distance: the ring of cells around a cell is one step away.
inline int Chebyshev(int x0, int y0, int x1, int y1) {
    const int dx = x0 > x1 ? x0 - x1 : x1 - x0, dy = y0 > y1 ? y0 - y1 : y1 - y0;
    return dx > dy ? dx : dy;
}

template <class Pass> int Grid::Flood(std::vector<int>& label, int start, int id, Pass pass) const {
    std::vector<int> todo{start};
    label[static_cast<size_t>(start)] = id;
    int count = 0;
    while (!todo.empty()) {
        const int i = todo.back();
        todo.pop_back();
        ++count;
        const int x = i % W(), y = i / W();
        const int dx[] = {0, 0, -1, 1}, dy[] = {-1, 1, 0, 0};
        for (int k = 0; k < 4; ++k) {
            const int nx = x + dx[k], ny = y + dy[k];
            if (!Inside(nx, ny)) continue;
            const int j = Index(nx, ny);
            if (label[static_cast<size_t>(j)] >= 0 || !pass(j)) continue;
            label[static_cast<size_t>(j)] = id;
            todo.push_back(j);
        }
    }
    return count;
}

} // namespace mapgen
