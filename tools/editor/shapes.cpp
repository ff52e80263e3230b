#include "shapes.h"

#include <algorithm>
#include <cstdlib>

namespace editor {

Region Spanned(int x0, int y0, int x1, int y1) {
    return {std::min(x0, x1), std::min(y0, y1), std::abs(x1 - x0) + 1, std::abs(y1 - y0) + 1};
}

Region Overlap(Region a, Region b) {
    const int x0 = std::max(a.x, b.x), y0 = std::max(a.y, b.y);
    const int x1 = std::min(a.x + a.w, b.x + b.w), y1 = std::min(a.y + a.h, b.y + b.h);
    if (a.Empty() || b.Empty() || x1 <= x0 || y1 <= y0) return {};
    return {x0, y0, x1 - x0, y1 - y0};
}

std::vector<Cell> RectCells(Region r) {
    std::vector<Cell> cells;
    if (r.Empty()) return cells;
    cells.reserve(static_cast<size_t>(r.w) * static_cast<size_t>(r.h));
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x)
            cells.push_back({x, y});
    return cells;
}

std::vector<Cell> LineCells(int x0, int y0, int x1, int y1) {
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    std::vector<Cell> cells;
    cells.reserve(static_cast<size_t>(std::max(dx, -dy)) + 1);
    int err = dx + dy;
    for (;;) {
        cells.push_back({x0, y0});
        if (x0 == x1 && y0 == y1) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
    return cells;
}

} // namespace editor
