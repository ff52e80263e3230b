// The two rings and the resampler sit between every decoded sample and the
// speaker; a wrap-around slip or a seam at a chunk border would be audible.
#include <chrono>
#include <cmath>
#include <numeric>
#include <thread>

#include <gtest/gtest.h>

#include "media/stream/native/music_byte_ring.h"
#include "media/stream/native/music_pcm_ring.h"
#include "media/stream/native/music_resampler.h"

using namespace media_internal;

using namespace std::chrono_literals;

TEST(ByteRing, WrapsBoundsAndEnds) {
    MusicByteRing ring(10);
    std::uint8_t in[25];
    std::iota(std::begin(in), std::end(in), 1);
    EXPECT_EQ(ring.Write(in, 25), 10u); // never more than the capacity
    std::uint8_t out[25] = {};
    EXPECT_EQ(ring.Read(out, 7, 0ms), 7u);
    EXPECT_EQ(ring.Write(in + 10, 15), 7u); // wraps around the end
    EXPECT_EQ(ring.Read(out + 7, 25, 0ms), 10u);
    for (int i = 0; i < 17; ++i)
        EXPECT_EQ(out[i], i + 1);
    EXPECT_EQ(ring.TotalWritten(), 17u);
    EXPECT_EQ(ring.TotalRead(), 17u);

    EXPECT_EQ(ring.Read(out, 1, 5ms), 0u); // nothing yet, not finished
    EXPECT_FALSE(ring.Finished());
    ring.Write(in, 3);
    ring.Close();
    EXPECT_FALSE(ring.Finished()); // the rest is still readable
    EXPECT_EQ(ring.Read(out, 10, 0ms), 3u);
    EXPECT_TRUE(ring.Finished());
    EXPECT_EQ(ring.Write(in, 3), 0u);
}

TEST(ByteRing, AbortWakesAWaitingReader) {
    MusicByteRing ring(16);
    std::thread aborter([&] {
        std::this_thread::sleep_for(20ms);
        ring.Abort();
    });
    const auto start = std::chrono::steady_clock::now();
    std::uint8_t b;
    EXPECT_EQ(ring.Read(&b, 1, 5s), 0u);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    aborter.join();
    EXPECT_TRUE(ring.Finished());
}

TEST(PcmRing, ConcurrentWriterAndReaderKeepOrder) {
    MusicPcmRing ring(97); // odd size: the wrap point moves around
    constexpr int kFrames = 20000;
    std::thread writer([&] {
        float frame[2 * 13];
        int next = 0;
        while (next < kFrames) {
            const int n = std::min(13, kFrames - next);
            for (int i = 0; i < n; ++i)
                frame[2 * i] = frame[2 * i + 1] = static_cast<float>(next + i);
            const std::size_t done = ring.Write(frame, static_cast<std::size_t>(n));
            next += static_cast<int>(done);
            if (done == 0) std::this_thread::yield();
        }
    });
    int expected = 0;
    float out[2 * 31];
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (expected < kFrames && std::chrono::steady_clock::now() < deadline) {
        const std::size_t got = ring.Read(out, 31);
        for (std::size_t i = 0; i < got; ++i, ++expected) {
            ASSERT_EQ(out[2 * i], static_cast<float>(expected));
            ASSERT_EQ(out[2 * i + 1], static_cast<float>(expected));
        }
        if (got == 0) std::this_thread::yield();
    }
    writer.join();
    EXPECT_EQ(expected, kFrames);
    EXPECT_EQ(ring.FramesRead(), static_cast<std::uint64_t>(kFrames));
}

TEST(Resampler, ChannelsBecomeStereo) {
    std::vector<float> out;
    const float mono[] = {0.5f, -0.5f};
    AppendAsStereo(mono, 1, 2, out);
    const float surround[] = {1, 2, 3, 4, 5, 6}; // Vorbis order: left, centre, right, ...
    AppendAsStereo(surround, 6, 1, out);
    EXPECT_EQ(out, (std::vector<float>{0.5f, 0.5f, -0.5f, -0.5f, 1, 3}));
}

TEST(Resampler, EqualRatesCopyExactly) {
    MusicResampler resampler(44100, 44100);
    const std::vector<float> in = {0.1f, 0.2f, 0.3f, 0.4f};
    std::vector<float> out;
    resampler.Process(in.data(), 2, out);
    EXPECT_EQ(out, in);
}

TEST(Resampler, RateChangeKeepsLengthAndHasNoSeamsBetweenChunks) {
    // A 24 kHz sine, fed in uneven chunks, must come out as the same sine at
    // 44.1 kHz: right length, and no jump where one chunk meets the next.
    constexpr int kIn = 24000, kOut = 44100;
    constexpr double kFreq = 440.0;
    std::vector<float> in;
    for (int i = 0; i < kIn; ++i) {
        const auto v = static_cast<float>(std::sin(2 * M_PI * kFreq * i / kIn));
        in.push_back(v);
        in.push_back(-v);
    }
    MusicResampler resampler(kIn, kOut);
    std::vector<float> out;
    std::size_t at = 0;
    for (std::size_t chunk = 1; at < in.size() / 2; chunk = chunk * 3 % 1009 + 1) {
        const std::size_t n = std::min(chunk, in.size() / 2 - at);
        resampler.Process(in.data() + at * 2, n, out);
        at += n;
    }
    const std::size_t frames = out.size() / 2;
    EXPECT_NEAR(static_cast<double>(frames), kOut, 2.0);
    double worst = 0;
    for (std::size_t i = 0; i < frames; ++i) {
        const double expected = std::sin(2 * M_PI * kFreq * static_cast<double>(i) / kOut);
        worst = std::max(worst, std::abs(out[2 * i] - expected));
        ASSERT_EQ(out[2 * i + 1], -out[2 * i]);
    }
    EXPECT_LT(worst, 0.01); // linear interpolation of a 440 Hz tone at 24 kHz
}
