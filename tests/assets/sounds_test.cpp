// Sound files are in formats the game's loader accepts and last as long as the
// phases they accompany.
#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include "support/asset_files.h"

namespace {

struct WavInfo {
    bool ok = false;
    int format = 0, channels = 0, rate = 0, bits = 0;
    double seconds = 0;
};

uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
int le16(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8;
}

WavInfo parseWav(const std::vector<uint8_t>& b) {
    WavInfo w;
    if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
        std::string(b.begin() + 8, b.begin() + 12) != "WAVE")
        return w;
    EXPECT_EQ(le32(b, 4), b.size() - 8);
    for (size_t at = 12; at + 8 <= b.size();) {
        const std::string id(reinterpret_cast<const char*>(b.data() + at), 4);
        uint32_t size = le32(b, at + 4);
        if (id == "fmt ") {
            w.format = le16(b, at + 8);
            w.channels = le16(b, at + 10);
            w.rate = static_cast<int>(le32(b, at + 12));
            w.bits = le16(b, at + 22);
        } else if (id == "data" && w.rate > 0) {
            const int frameBytes = w.channels * (w.bits / 8);
            w.seconds = static_cast<double>(size) / (w.rate * frameBytes);
            w.ok = at + 8 + size <= b.size();
            return w;
        }
        at += 8 + size + (size % 2);
    }
    return w;
}

} // namespace

TEST(Sounds, WavFilesArePlainPcm) {
    struct Expect {
        const char* path;
        double minSeconds, maxSeconds;
    };
    const Expect files[] = {
        {"sfx/chose.wav", 0.03, 0.3},   {"sfx/confirm.wav", 0.05, 0.5}, {"sfx/hit.wav", 0.05, 0.5},
        {"sfx/walk.wav", 0.02, 0.15},   // every step plays it: must stay short
        {"sfx/tasta.wav", 2.0, 3.0},    // 51 pictures of 55 ms
        {"sfx/c64load.wav", 8.0, 12.6}, // 250 pictures of 50 ms
    };
    for (const Expect& e : files) {
        WavInfo w = parseWav(assettest::readFile(assettest::assetPath(e.path)));
        ASSERT_TRUE(w.ok) << e.path;
        EXPECT_EQ(w.format, 1) << e.path;
        EXPECT_TRUE(w.channels == 1 || w.channels == 2) << e.path;
        EXPECT_TRUE(w.rate == 22050 || w.rate == 44100) << e.path;
        EXPECT_TRUE(w.bits == 8 || w.bits == 16) << e.path;
        EXPECT_GE(w.seconds, e.minSeconds) << e.path;
        EXPECT_LE(w.seconds, e.maxSeconds) << e.path;
    }
}

TEST(Sounds, VictoryTuneIsVorbisOfTheRightLength) {
    OggVorbis_File vf;
    ASSERT_EQ(ov_fopen(assettest::assetPath("sfx/winningtheme.ogg").c_str(), &vf), 0);
    double seconds = ov_time_total(&vf, -1);
    vorbis_info* info = ov_info(&vf, -1);
    EXPECT_GE(seconds, 15.0);
    EXPECT_LE(seconds, 40.0);
    EXPECT_TRUE(info->rate == 22050 || info->rate == 44100);
    // decode it all: a broken stream fails here
    char buf[4096];
    int section = 0;
    long total = 0, n = 0;
    while ((n = ov_read(&vf, buf, sizeof buf, 0, 2, 1, &section)) > 0)
        total += n;
    EXPECT_EQ(n, 0);
    EXPECT_GT(total, 0);
    ov_clear(&vf);
}
