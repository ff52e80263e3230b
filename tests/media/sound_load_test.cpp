#include <chrono>
#include <cstdlib>
#include <thread>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "media/audio/audio_output.h"
#include "media/audio/ogg_decoder.h"
#include "media/sound.h"
#include "sound_test_files.h"
#include "support/temp_dir.h"

namespace {

using namespace soundtest;

// What the mixer plays of a sound: interleaved stereo at its rate.
std::vector<float> Mixed(const SoundPtr& sound) {
    const auto data = media_internal::FramesOf(sound);
    std::vector<float> out(data->frames * 2);
    for (size_t o = 0; o < data->frames; ++o)
        media_internal::MixerFrame(*data, o, out[2 * o], out[2 * o + 1]);
    return out;
}

TEST(SoundLoad, WavIsBroughtToStereoAtTheMixerRate) {
    TempDir dir;
    std::vector<int16_t> samples(22050, 8192); // half a second at 22050 Hz, mono
    dir.Write("Sfx/Hit.wav", Wav16(1, 22050, samples));
    ScopedWorkingDir cwd(dir.path());
    auto sound = LoadSound("sfx/hit.wav", 0); // found regardless of letter case
    ASSERT_TRUE(sound);
    const auto frames = Mixed(sound);
    ASSERT_EQ(frames.size(), size_t(2 * 44100));
    EXPECT_FLOAT_EQ(frames[0], 0.25f);
    EXPECT_FLOAT_EQ(frames[frames.size() - 1], 0.25f);
    EXPECT_EQ(media_internal::FramesOf(sound)->samples.size(), samples.size())
        << "kept at its own rate, 16-bit, mono";
}

TEST(SoundLoad, OggToneDecodes) {
    TempDir dir;
    std::string path = dir.Write("tone.ogg", EncodeOggTone(2, 44100, 44100, 440.0f));
    auto sound = LoadSound(path, 0);
    ASSERT_TRUE(sound);
    const auto frames = Mixed(sound);
    EXPECT_EQ(frames.size(), size_t(2 * 44100));
    float peak = 0;
    for (float v : frames)
        peak = std::max(peak, std::abs(v));
    EXPECT_NEAR(peak, 0.5f, 0.1f);

    // Mono at another rate is resampled: one second stays one second.
    path = dir.Write("mono.ogg", EncodeOggTone(1, 22050, 22050, 300.0f));
    sound = LoadSound(path, 0);
    ASSERT_TRUE(sound);
    EXPECT_NEAR(double(Mixed(sound).size()), 2 * 44100, 4);
}

TEST(SoundLoad, MissingBrokenAndTruncatedFilesGiveNull) {
    TempDir dir;
    EXPECT_FALSE(LoadSound(dir.path() + "/none.wav", 0));
    EXPECT_FALSE(LoadSound(dir.path(), 0));
    std::string fifo = dir.path() + "/pipe.wav";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(LoadSound(fifo, 0)); // must not wait for a writer
    EXPECT_FALSE(LoadSound(dir.Write("junk.wav", "not a sound at all"), 0));
    EXPECT_FALSE(LoadSound(dir.Write("junk.ogg", "OggS and then nothing useful"), 0));
    media_internal::PcmData none;
    std::string error;
    EXPECT_FALSE(media_internal::DecodeOgg({}, none, error)); // empty: an error, not UB
    EXPECT_FALSE(error.empty());
    std::string ogg = EncodeOggTone(1, 8000, 8000, 200.0f);
    EXPECT_FALSE(LoadSound(dir.Write("head.ogg", ogg.substr(0, 60)), 0));
    // A file cut in the middle keeps what decodes or is refused; either way no crash.
    auto half = LoadSound(dir.Write("half.ogg", ogg.substr(0, ogg.size() / 2)), 0);
    if (half) {
        EXPECT_LT(Mixed(half).size(), size_t(2 * 44100));
    }
    // A tiny file at a very low rate must not blow up to gigabytes.
    std::vector<int16_t> many(10'000'000, 1);
    EXPECT_FALSE(LoadSound(dir.Write("slow.wav", Wav16(1, 1000, many)), 0));
}

TEST(SoundPlay, ChannelsPlayToTheirEndOrStop) {
    // The dummy driver runs the callback in real time without a sound card; an
    // explicit choice in the environment is kept.
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (!StartAudio()) GTEST_SKIP() << "no audio output in this environment";
    TempDir dir;
    auto sound =
        LoadSound(dir.Write("click.wav", Wav16(1, 44100, std::vector<int16_t>(2205, 100))), 0);
    ASSERT_TRUE(sound);
    auto& mixer = media_internal::TheMixer();

    ChannelPtr a = Play(sound);
    ChannelPtr b = Play(sound);
    ASSERT_TRUE(a && b);
    EXPECT_NE(a, b); // each Play gets its own channel
    Stop(b);
    EXPECT_FALSE(mixer.IsPlaying(b.get()));
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (mixer.IsPlaying(a.get()) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(mixer.IsPlaying(a.get())); // 50 ms of sound has run out
}

TEST(SoundDeath, WithoutAudioDevicePlayIsSilentButWorks) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // The child starts afresh, so the audio output has not been tried yet there.
    EXPECT_EXIT(
        {
            setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
            int status = 1;
            { // exit() skips destructors: the folder goes before it
                TempDir dir;
                auto s = LoadSound(dir.Write("x.wav", Wav16(1, 8000, {1, 2, 3})), 0);
                bool started = StartAudio();
                ChannelPtr c = s ? Play(s) : nullptr;
                Stop(c);
                status = !started && c && media_internal::TheMixer().PlayingCount() == 0 ? 0 : 1;
            }
            std::exit(status);
        },
        testing::ExitedWithCode(0), "");
}

} // namespace
