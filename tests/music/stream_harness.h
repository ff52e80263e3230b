// Shared set-up for the tests that run whole streams against the loopback
// server: short time limits, the "no sound" device, and a way to pull audio.
#pragma once

#include <chrono>
#include <mutex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "audio_fixtures.h"
#include "loopback_server.h"
#include "media/bass.h"
#include "media/stream/native/music_test_access.h"

// The audio every stream test serves, encoded once per test program.
struct TestMedia {
    Bytes chainedOgg;              // two links, two titles, 44.1 kHz stereo
    std::vector<float> chainedPcm; // its reference decode
    Bytes mp3;                     // 2 s, 44.1 kHz stereo, 128 kbit/s
    std::vector<float> mp3Pcm;
    Bytes longStation; // `mp3` 1000 times over, ICY framed: far more than any buffer
    std::vector<float> longStationStartPcm; // reference decode of its first 20 copies
    Bytes mp3At24k;                         // 1 s, resampled by lame to 24 kHz
    std::vector<float> mp3At24kPcm;
    static const TestMedia& Get();
};

// Titles in the order the META sync announced them.
struct TitleLog {
    std::mutex mutex;
    std::vector<std::string> titles;
    static void Sync(HSYNC, DWORD channel, DWORD data, void* user);
    std::vector<std::string> Snapshot();
    // Waits (bounded) until at least `count` titles arrived.
    std::vector<std::string> WaitFor(std::size_t count, std::chrono::milliseconds limit);
};

class StreamTest : public testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Pulls up to `frames` stereo frames, as the mixer would, within `limit`;
    // stops early once nothing came for `idle` (the stream has ended).
    static std::vector<float>
    Pull(HSTREAM stream, std::size_t frames,
         std::chrono::milliseconds limit = std::chrono::seconds(10),
         std::chrono::milliseconds idle = std::chrono::milliseconds(1000));
    static LoopbackReply Route(const std::string& path, LoopbackServer* server);
    HSTREAM Open(const std::string& address, DWORD flags = 0x840100);

    std::unique_ptr<LoopbackServer> server_;
};

// Elapsed wall time of `f` in milliseconds.
template <typename F> double TimeMs(F&& f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}
