// Compares the back buffer with a committed reference picture in tests/golden/.
// PALMUT_UPDATE_GOLDEN=1 rewrites the references instead (after a deliberate
// change of the look, check them by eye before committing).
//
// The tests draw with Mesa's software rasteriser on every machine (test_main),
// yet its rounding of linear filtering differs between CPUs (x86-64 and arm64
// llvmpipe differ by 2 inside sprites drawn at double size). Only rectangles
// the caller names as filtered and scaled get a wider allowance; every other
// pixel keeps the tight one.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "media/graphics.h"
#include "media/test_seams.h"
#include "support/frames_dir.h"

// Pixels of [x, x + width) x [y, y + height) drawn from a scaled sprite with
// linear filtering.
struct FilteredArea {
    int x, y, width, height;
    bool Holds(int px, int py) const {
        return px >= x && px < x + width && py >= y && py < y + height;
    }
};

// Two bilinear weights, the colour modulation and the blend each round once:
// one step apiece is what two correct rasterisers may differ by there.
constexpr int kFilteredTolerance = 4;

// Pixels whose colour channels differ by more than allowed; `report` hears the
// first three. Every pixel outside `filtered` is held to `tolerance`.
inline int CountDifferingPixels(int width, int height,
                                const std::function<unsigned(int, int)>& want,
                                const std::function<unsigned(int, int)>& got, int tolerance,
                                const std::vector<FilteredArea>& filtered,
                                const std::function<void(int, int, unsigned, unsigned)>& report) {
    int bad = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            int allowed = tolerance;
            for (const FilteredArea& area : filtered)
                if (area.Holds(x, y)) allowed = std::max(allowed, kFilteredTolerance);
            const unsigned a = want(x, y), b = got(x, y);
            for (int shift = 0; shift < 24; shift += 8) {
                const int d =
                    static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
                if (d > allowed || d < -allowed) {
                    if (++bad <= 3) report(x, y, b, a);
                    break;
                }
            }
        }
    return bad;
}

inline void ExpectFrameMatchesGolden(const std::string& name, int tolerance = 1,
                                     const std::vector<FilteredArea>& filtered = {}) {
    namespace fs = std::filesystem;
    const fs::path golden = fs::path(PALMUT_SOURCE_DIR) / "tests/golden" / (name + ".png");
    const fs::path actual = FramesDir("golden-actual") / (name + ".png");
    ASSERT_TRUE(CaptureFrame(actual.string())) << name;
    if (std::getenv("PALMUT_UPDATE_GOLDEN")) {
        fs::create_directories(golden.parent_path());
        fs::copy_file(actual, golden, fs::copy_options::overwrite_existing);
        return;
    }
    const PixmapPtr want = LoadPixmapFile(golden.string());
    const PixmapPtr got = LoadPixmapFile(actual.string());
    ASSERT_TRUE(want) << "missing reference " << golden;
    ASSERT_TRUE(got);
    ASSERT_EQ(PixmapWidth(want), PixmapWidth(got));
    ASSERT_EQ(PixmapHeight(want), PixmapHeight(got));
    const int bad = CountDifferingPixels(
        PixmapWidth(got), PixmapHeight(got), [&](int x, int y) { return ReadPixel(want, x, y); },
        [&](int x, int y) { return ReadPixel(got, x, y); }, tolerance, filtered,
        [&](int x, int y, unsigned is, unsigned reference) {
            ADD_FAILURE() << name << ": pixel " << x << "," << y << " is " << std::hex << is
                          << ", reference " << reference << " (see " << actual << ")";
        });
    EXPECT_EQ(bad, 0) << name << ": " << bad << " pixels differ";
}
