// Sums the playing sound channels and the attached sources into the output.
// The audio thread calls Mix; the game thread plays and stops. One mutex,
// held by the game thread only for a list update.
#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

#include "media/audio/pcm_data.h"
#include "media/sound.h"

// A channel is only an identity: the mixer's voice for it holds the state.
struct Channel {};

namespace media_internal {

constexpr int kMixerRate = 44100;

// A sound's samples, shared by every channel playing it.
using SoundFrames = std::shared_ptr<const SoundData>;

class Mixer {
  public:
    Mixer();

    // Starts `frames` on `channel` (replacing what it played) at once.
    void Start(const std::shared_ptr<Channel>& channel, SoundFrames frames);
    void Stop(const Channel* channel);
    bool IsPlaying(const Channel* channel);
    size_t PlayingCount();

    void Attach(const std::shared_ptr<MixerSource>& source);
    void Detach(const MixerSource* source);

    // Writes `frames` interleaved stereo frames (summed, clamped to -1..1).
    void Mix(float* out, size_t frames);

  private:
    struct Voice {
        std::shared_ptr<Channel> channel;
        SoundFrames frames;
        size_t position = 0; // in frames
    };
    void MixPiece(float* out, size_t frames);

    std::mutex mutex_;
    std::vector<Voice> voices_;
    std::vector<std::shared_ptr<MixerSource>> sources_;
    std::vector<float> scratch_; // for sources, sized once
};

} // namespace media_internal
