#include "island/island_shape.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace mapgen {
namespace {

struct Corner {
    int64_t x, y;
    bool operator<(const Corner& o) const { return x != o.x ? x < o.x : y < o.y; }
    bool operator==(const Corner& o) const { return x == o.x && y == o.y; }
};

int64_t Cross(const Corner& o, const Corner& a, const Corner& b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

// Twice the area of the convex hull (Andrew's monotone chain), in whole numbers.
int64_t DoubleHullArea(std::vector<Corner> points) {
    std::sort(points.begin(), points.end());
    points.erase(std::unique(points.begin(), points.end()), points.end());
    if (points.size() < 3) return 0;
    std::vector<Corner> hull(2 * points.size());
    size_t k = 0;
    for (const Corner& p : points) {
        while (k >= 2 && Cross(hull[k - 2], hull[k - 1], p) <= 0)
            --k;
        hull[k++] = p;
    }
    for (size_t i = points.size() - 1, lower = k + 1; i > 0; --i) {
        while (k >= lower && Cross(hull[k - 2], hull[k - 1], points[i - 1]) <= 0)
            --k;
        hull[k++] = points[i - 1];
    }
    hull.resize(k - 1);
    int64_t area = 0;
    for (size_t i = 0; i < hull.size(); ++i) {
        const Corner& p = hull[i];
        const Corner& q = hull[(i + 1) % hull.size()];
        area += p.x * q.y - q.x * p.y;
    }
    return area < 0 ? -area : area;
}

} // namespace

namespace {

bool LandAt(const mapcheck::MapData& map, int x, int y) {
    return x >= 0 && y >= 0 && x < map.width && y < map.height && map.GroundAt(x, y) != 0;
}

// The longest run of land cells along a row (a column when `columns`) whose
// neighbour on the same side, (dx, dy) away, is sea.
int LongestRun(const mapcheck::MapData& map, bool columns, int dx, int dy) {
    const int lines = columns ? map.width : map.height, cells = columns ? map.height : map.width;
    int longest = 0;
    for (int line = 0; line < lines; ++line)
        for (int i = 0, run = 0; i < cells; ++i) {
            const int x = columns ? line : i, y = columns ? i : line;
            run = LandAt(map, x, y) && !LandAt(map, x + dx, y + dy) ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    return longest;
}

} // namespace

ShapeFigures MeasureShape(const mapcheck::MapData& map) {
    std::vector<Corner> corners; // the hull only turns where a row's land begins or ends
    int64_t cells = 0;
    for (int y = 0; y < map.height; ++y)
        for (int x = 0; x < map.width; ++x) {
            if (!LandAt(map, x, y)) continue;
            ++cells;
            if (LandAt(map, x - 1, y) && LandAt(map, x + 1, y)) continue;
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx)
                    corners.push_back({x + dx, y + dy});
        }
    ShapeFigures f;
    const int64_t twice = DoubleHullArea(std::move(corners));
    f.landToHull = twice > 0 ? 2.0 * static_cast<double>(cells) / static_cast<double>(twice) : 0;
    f.straightCoast = std::max({LongestRun(map, false, 0, -1), LongestRun(map, false, 0, 1),
                                LongestRun(map, true, -1, 0), LongestRun(map, true, 1, 0)});
    return f;
}

bool NaturalEnough(const mapcheck::MapData& map) {
    const ShapeFigures f = MeasureShape(map);
    return f.landToHull >= kLeastLandToHull && f.landToHull <= kMostLandToHull &&
           f.straightCoast * 5 <= std::min(map.width, map.height);
}

} // namespace mapgen
