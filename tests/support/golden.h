// Compares the back buffer with a committed reference picture in tests/golden/.
// PALMUT_UPDATE_GOLDEN=1 rewrites the references instead (after a deliberate
// change of the look, check them by eye before committing).
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "media/graphics.h"
#include "media/test_seams.h"
#include "support/frames_dir.h"

inline void ExpectFrameMatchesGolden(const std::string& name, int tolerance = 1) {
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
    int bad = 0;
    for (int y = 0; y < PixmapHeight(got); ++y)
        for (int x = 0; x < PixmapWidth(got); ++x) {
            const unsigned a = ReadPixel(want, x, y), b = ReadPixel(got, x, y);
            for (int shift = 0; shift < 24; shift += 8) {
                const int d =
                    static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
                if (d > tolerance || d < -tolerance) {
                    if (++bad <= 3)
                        ADD_FAILURE() << name << ": pixel " << x << "," << y << " is " << std::hex
                                      << b << ", reference " << a << " (see " << actual << ")";
                    break;
                }
            }
        }
    EXPECT_EQ(bad, 0) << name << ": " << bad << " pixels differ";
}
