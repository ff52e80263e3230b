// Sound effects, mixed on the audio thread. Without an audio device everything
// still works and stays silent.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

struct Sound;
struct Channel;
using SoundPtr = std::shared_ptr<Sound>;
using ChannelPtr = std::shared_ptr<Channel>;

// Called by start-up, the intro and the victory screen: WAV (PCM 8/16 bit,
// mono/stereo) or Ogg Vorbis; null when missing or undecodable.
SoundPtr LoadSound(const std::string& path, int flags);
// Called for every sound effect: starts the sound on a new channel (channel null)
// and returns that channel; a null sound is a fatal error.
ChannelPtr Play(const SoundPtr& sound, const ChannelPtr& channel = nullptr);
// Called by the victory screen: silences the channel at once; null does nothing.
void Stop(const ChannelPtr& channel);

// A further input of the mixer, such as the music stream. Read runs on the
// audio thread and must never block: it fills up to `frames` interleaved stereo
// float frames at MixerSampleRate() and returns how many it wrote (the rest is silence).
class MixerSource {
  public:
    virtual ~MixerSource() = default;
    virtual std::size_t Read(float* stereo, std::size_t frames) = 0;
};
// Called by the music stream: starts the audio output if it is not running yet;
// false means silent output.
bool StartAudio();
// Called by the music stream: the mixer reads the source from its next block on.
void AttachMixerSource(const std::shared_ptr<MixerSource>& source);
// After this returns, the audio thread no longer calls the source.
void DetachMixerSource(const MixerSource* source);
// The rate, in frames per second, at which sources are read.
int MixerSampleRate();
