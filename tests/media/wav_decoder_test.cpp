#include <random>

#include <gtest/gtest.h>

#include "media/audio/wav_decoder.h"
#include "sound_test_files.h"

namespace {

using namespace soundtest;
using media_internal::DecodeWav;
using media_internal::PcmData;

bool Decode(const std::string& file, PcmData& pcm) {
    std::vector<uint8_t> bytes(file.begin(), file.end());
    std::string error;
    return DecodeWav(bytes, pcm, error);
}
bool Decodes(const std::string& file) {
    PcmData pcm;
    return Decode(file, pcm);
}

TEST(WavDecoder, SixteenBitStereoKeepsSampleValues) {
    PcmData pcm;
    ASSERT_TRUE(Decode(Wav16(2, 22050, {0, 16384, -32768, 32767}), pcm));
    EXPECT_EQ(pcm.rate, 22050);
    EXPECT_EQ(pcm.channels, 2);
    ASSERT_EQ(pcm.samples.size(), 4u);
    EXPECT_FLOAT_EQ(pcm.samples[1], 0.5f);
    EXPECT_FLOAT_EQ(pcm.samples[2], -1.0f);
    EXPECT_NEAR(pcm.samples[3], 1.0f, 1e-4);
}

TEST(WavDecoder, EightBitMonoAfterSkippedOddChunk) {
    // Other chunks (odd-sized, so padded) come before the data and are skipped.
    std::string file = Riff(Chunk("fmt ", FmtBody(1, 1, 8000, 8)) + Chunk("LIST", "abc") +
                            Chunk("data", std::string("\x80\x00\xFF", 3)));
    PcmData pcm;
    ASSERT_TRUE(Decode(file, pcm));
    ASSERT_EQ(pcm.samples.size(), 3u);
    EXPECT_FLOAT_EQ(pcm.samples[0], 0.0f);
    EXPECT_FLOAT_EQ(pcm.samples[1], -1.0f);
    EXPECT_NEAR(pcm.samples[2], 1.0f, 0.01);
}

TEST(WavDecoder, RejectsWhatIsNotPlainPcm) {
    std::string data = Chunk("data", std::string(8, '\0'));
    EXPECT_FALSE(Decodes(Riff(Chunk("fmt ", FmtBody(3, 2, 44100, 32)) + data))); // float
    EXPECT_FALSE(Decodes(Riff(Chunk("fmt ", FmtBody(1, 2, 44100, 24)) + data)));
    EXPECT_FALSE(Decodes(Riff(Chunk("fmt ", FmtBody(1, 6, 44100, 16)) + data)));
    EXPECT_FALSE(Decodes(Riff(Chunk("fmt ", FmtBody(1, 0, 44100, 16)) + data)));
    EXPECT_FALSE(Decodes(Riff(Chunk("fmt ", FmtBody(1, 1, 0, 16)) + data)));
    EXPECT_FALSE(Decodes(Riff(Chunk("fmt ", FmtBody(1, 1, 4000000, 16)) + data)));
    EXPECT_FALSE(Decodes(Riff(data + Chunk("fmt ", FmtBody(1, 1, 8000, 16))))); // data first
    EXPECT_FALSE(Decodes(Riff(Chunk("fmt ", FmtBody(1, 1, 8000, 16)))));        // no data
    EXPECT_FALSE(Decodes(Riff(Chunk("fmt ", FmtBody(1, 1, 8000, 16)) + Chunk("data", ""))));
    EXPECT_FALSE(Decodes(""));
    EXPECT_FALSE(Decodes("RIFF"));
    EXPECT_FALSE(Decodes(Wav16(1, 8000, {1, 2}).replace(8, 4, "AVI ")));
    // Block size that disagrees with channels and bits.
    std::string fmt = FmtBody(1, 2, 8000, 16);
    fmt[12] = 3;
    EXPECT_FALSE(Decodes(Riff(Chunk("fmt ", fmt) + data)));
}

TEST(WavDecoder, RejectsLyingSizesAndTruncation) {
    std::string good = Wav16(1, 8000, std::vector<int16_t>(100, 7));
    ASSERT_TRUE(Decodes(good));
    EXPECT_FALSE(Decodes(good.substr(0, good.size() - 10))); // data cut short
    std::string lying = good;
    lying[40] = '\xFF', lying[41] = '\xFF', lying[42] = '\xFF', lying[43] = '\xFF';
    EXPECT_FALSE(Decodes(lying)); // data size 4 GB
    std::string hugeFmt = good;
    hugeFmt[16] = '\xF0', hugeFmt[19] = '\x7F';
    EXPECT_FALSE(Decodes(hugeFmt));
}

TEST(WavDecoder, MutatedFilesNeverCrash) {
    std::string good = Riff(Chunk("fmt ", FmtBody(1, 2, 11025, 16)) + Chunk("junk", "xyz") +
                            Chunk("data", std::string(64, '\x11')));
    std::mt19937 rng(5);
    for (int round = 0; round < 5000; ++round) {
        std::string f = good;
        int edits = 1 + int(rng() % 4);
        for (int e = 0; e < edits; ++e)
            f[rng() % f.size()] = char(rng());
        if (rng() % 3 == 0) f.resize(rng() % f.size());
        PcmData pcm;
        if (Decode(f, pcm)) {
            ASSERT_GE(pcm.channels, 1);
            ASSERT_LE(pcm.channels, 2);
            ASSERT_EQ(pcm.samples.size() % pcm.channels, 0u);
            ASSERT_LE(pcm.samples.size(), f.size());
        }
    }
}

} // namespace
