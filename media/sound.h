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

// WAV (PCM 8/16 bit, mono/stereo) or Ogg Vorbis; null when missing or undecodable.
SoundPtr LoadSound(const std::string& path, int flags);
// Starts the sound on a new channel (channel null) and returns that channel.
ChannelPtr Play(const SoundPtr& sound, const ChannelPtr& channel = nullptr);
void Stop(const ChannelPtr& channel);

// A further input of the mixer, such as the music stream. Read runs on the
// audio thread and must never block: it fills up to `frames` interleaved stereo
// float frames at MixerSampleRate() and returns how many it wrote (the rest is silence).
class MixerSource {
  public:
    virtual ~MixerSource() = default;
    virtual std::size_t Read(float* stereo, std::size_t frames) = 0;
};
// Starts the audio output if it is not running yet; false means silent output.
bool StartAudio();
void AttachMixerSource(const std::shared_ptr<MixerSource>& source);
// After this returns, the audio thread no longer calls the source.
void DetachMixerSource(const MixerSource* source);
int MixerSampleRate();
