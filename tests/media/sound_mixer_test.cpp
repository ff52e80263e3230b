#include <atomic>
#include <thread>

#include <gtest/gtest.h>

#include "media/audio/mixer.h"
#include "media/audio/pcm_data.h"

namespace {

using media_internal::Mixer;
using media_internal::SoundFrames;

// Stereo at the mixer rate, kept as the mixer keeps every sound (16-bit).
SoundFrames Frames(std::vector<float> v) {
    media_internal::PcmData pcm{44100, 2, std::move(v)};
    return std::make_shared<const media_internal::SoundData>(
        media_internal::ToSoundData(pcm, 44100));
}

std::shared_ptr<Channel> NewChannel() {
    return std::make_shared<Channel>();
}

std::vector<float> MixFrames(Mixer& m, size_t frames) {
    std::vector<float> out(frames * 2, 123.0f);
    m.Mix(out.data(), frames);
    return out;
}

TEST(SoundMixer, ChannelsSumClampAndFinish) {
    Mixer m;
    auto a = NewChannel(), b = NewChannel();
    m.Start(a, Frames({0.25f, -0.25f, 0.5f, 0.5f, 0.75f, 0.75f}));
    m.Start(b, Frames({0.5f, 0.5f}));
    EXPECT_EQ(MixFrames(m, 4), (std::vector<float>{0.75f, 0.25f, 0.5f, 0.5f, 0.75f, 0.75f, 0, 0}));
    EXPECT_FALSE(m.IsPlaying(a.get()));
    EXPECT_EQ(m.PlayingCount(), 0u);

    m.Start(a, Frames({0.8f, -0.8f}));
    m.Start(b, Frames({0.8f, -0.8f}));
    EXPECT_EQ(MixFrames(m, 1), (std::vector<float>{1.0f, -1.0f}));
}

TEST(SoundMixer, StopAndRestartOnTheSameChannel) {
    Mixer m;
    auto a = NewChannel();
    std::vector<float> ramp;
    for (int i = 0; i < 10000; ++i)
        ramp.insert(ramp.end(), {i / 10000.0f, 0.0f});
    m.Start(a, Frames(ramp));
    auto first = MixFrames(m, 3000); // larger than one internal piece
    EXPECT_NEAR(first[2 * 2999], 2999 / 10000.0f, 1 / 32768.0);
    EXPECT_TRUE(m.IsPlaying(a.get()));
    // Restarting replaces the old sound instead of stacking a second voice.
    m.Start(a, Frames(ramp));
    EXPECT_EQ(m.PlayingCount(), 1u);
    EXPECT_NEAR(MixFrames(m, 2)[2], 1 / 10000.0f, 1 / 32768.0);
    m.Stop(a.get());
    EXPECT_FALSE(m.IsPlaying(a.get()));
    EXPECT_EQ(MixFrames(m, 2), std::vector<float>(4, 0.0f));
}

struct CountingSource : MixerSource {
    std::atomic<int> calls{0};
    size_t give = 0;
    size_t Read(float* stereo, size_t frames) override {
        ++calls;
        size_t n = std::min(frames, give);
        for (size_t i = 0; i < n * 2; ++i)
            stereo[i] = 0.25f;
        return n;
    }
};

TEST(SoundMixer, SourcesAddTheirFramesAndStopAfterDetach) {
    Mixer m;
    auto src = std::make_shared<CountingSource>();
    src->give = 2;
    m.Attach(src);
    m.Attach(src); // attaching twice keeps one entry
    EXPECT_EQ(MixFrames(m, 3), (std::vector<float>{0.25f, 0.25f, 0.25f, 0.25f, 0, 0}));
    EXPECT_EQ(src->calls, 1);
    m.Detach(src.get());
    MixFrames(m, 3);
    EXPECT_EQ(src->calls, 1);
}

TEST(SoundMixer, PlayAndStopFromAnotherThreadWhileMixing) {
    Mixer m;
    std::atomic<bool> done{false};
    std::thread audio([&] {
        std::vector<float> out(1024 * 2);
        while (!done)
            m.Mix(out.data(), 1024);
    });
    auto sound = Frames(std::vector<float>(2000, 0.1f));
    for (int i = 0; i < 2000; ++i) {
        auto ch = NewChannel();
        m.Start(ch, sound);
        if (i % 2) m.Stop(ch.get());
    }
    done = true;
    audio.join();
    EXPECT_LE(m.PlayingCount(), 2000u);
}

TEST(SoundConvert, MonoToStereoAndLinearResampling) {
    media_internal::PcmData mono{44100, 1, {0.5f, -0.5f}};
    EXPECT_EQ(media_internal::ToStereoAt(mono, 44100),
              (std::vector<float>{0.5f, 0.5f, -0.5f, -0.5f}));

    // Doubling the rate puts the midpoints between the source samples.
    media_internal::PcmData stereo{22050, 2, {0.0f, 1.0f, 1.0f, 0.0f, 0.5f, 0.5f}};
    auto up = media_internal::ToStereoAt(stereo, 44100);
    ASSERT_EQ(up.size(), 12u);
    EXPECT_FLOAT_EQ(up[2], 0.5f);
    EXPECT_FLOAT_EQ(up[3], 0.5f);
    EXPECT_FLOAT_EQ(up[4], 1.0f);
    EXPECT_FLOAT_EQ(up[6], 0.75f);
    EXPECT_FLOAT_EQ(up[10], 0.5f); // the last frame holds, nothing is read past the end

    media_internal::PcmData down{88200, 1, {0.f, 1.f, 2.f, 3.f, 4.f}};
    EXPECT_EQ(media_internal::ToStereoAt(down, 44100), (std::vector<float>{0.f, 0.f, 2.f, 2.f}));
}

} // namespace
