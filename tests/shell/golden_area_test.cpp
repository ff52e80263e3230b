// The golden comparison: a filtered area widens the allowance for its own
// pixels only.
#include <gtest/gtest.h>

#include "support/golden.h"

namespace {

// A 6 x 4 grey reference; the frame differs at one pixel by `by` in green.
int Differing(int px, int py, int by, const std::vector<FilteredArea>& filtered) {
    const unsigned grey = 0xFF808080u;
    return CountDifferingPixels(
        6, 4, [&](int, int) { return grey; },
        [&](int x, int y) { return x == px && y == py ? grey + (by << 8) : grey; }, 1, filtered,
        [](int, int, unsigned, unsigned) {});
}

TEST(GoldenArea, WidensTheAllowanceInsideItsRectangleOnly) {
    const std::vector<FilteredArea> area = {{1, 1, 3, 2}}; // x 1..3, y 1..2
    const struct {
        int x, y, by, differing;
    } rows[] = {
        {0, 0, 1, 0},                      // the tight allowance
        {0, 0, 2, 1},                      // beyond it, outside the area
        {1, 1, 2, 0},                      // top-left corner of the area
        {3, 2, kFilteredTolerance, 0},     // bottom-right corner of the area
        {3, 2, kFilteredTolerance + 1, 1}, // the area's allowance has a limit too
        {4, 1, 2, 1},                      // just right of the area
        {1, 3, 2, 1},                      // just below it
    };
    for (const auto& row : rows)
        EXPECT_EQ(Differing(row.x, row.y, row.by, area), row.differing)
            << row.x << "," << row.y << " off by " << row.by;
    EXPECT_EQ(Differing(1, 1, 2, {}), 1) << "no area, no wider allowance";
}

} // namespace
