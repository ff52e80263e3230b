#include "island/island_grid.h"

#include <climits>

namespace mapgen {

Grid::Grid(int width, int height) {
    map.width = width;
    map.height = height;
    const size_t cells = static_cast<size_t>(width) * static_cast<size_t>(height);
    map.ground.assign(cells, Sea);
    map.items.assign(cells, 0);
    coast.assign(cells, 0);
}

int Grid::LandCells() const {
    int n = 0;
    for (uint8_t g : map.ground)
        n += g != Sea;
    return n;
}

void Grid::KeepLargestLand() {
    std::vector<int> label(map.ground.size(), -1);
    int best = -1, bestSize = 0;
    for (int i = 0; i < W() * H(); ++i) {
        if (map.ground[static_cast<size_t>(i)] == Sea || label[static_cast<size_t>(i)] >= 0)
            continue;
        const int size = Flood(label, i, i, [&](int j) { return map.ground[j] != Sea; });
        if (size > bestSize) {
            bestSize = size;
            best = i;
        }
    }
    for (size_t i = 0; i < map.ground.size(); ++i)
        if (label[i] != best) map.ground[i] = Sea;
}

void Grid::LakesToShallow() {
    // The border is always sea, so the open sea is what cell 0 joins.
    std::vector<int> label(map.ground.size(), -1);
    Flood(label, 0, 0, [&](int j) { return map.ground[j] == Sea; });
    for (size_t i = 0; i < map.ground.size(); ++i)
        if (map.ground[i] == Sea && label[i] != 0) map.ground[i] = Shallow;
}

void Grid::MeasureCoast() {
    coast.assign(map.ground.size(), INT_MAX);
    std::vector<int> todo, next;
    for (int i = 0; i < W() * H(); ++i)
        if (map.ground[static_cast<size_t>(i)] == Sea) {
            coast[static_cast<size_t>(i)] = 0;
            todo.push_back(i);
        }
    // Breadth first, one ring of eight neighbours at a time.
    for (int d = 1; !todo.empty(); ++d) {
        next.clear();
        for (int i : todo) {
            const int x = i % W(), y = i / W();
            for (int ny = y - 1; ny <= y + 1; ++ny)
                for (int nx = x - 1; nx <= x + 1; ++nx) {
                    if (!Inside(nx, ny) || coast[static_cast<size_t>(Index(nx, ny))] <= d) continue;
                    coast[static_cast<size_t>(Index(nx, ny))] = d;
                    next.push_back(Index(nx, ny));
                }
        }
        todo.swap(next);
    }
}

bool Grid::FindStart() {
    return mapcheck::FindStart(map, startX, startY);
}

} // namespace mapgen
