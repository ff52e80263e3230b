#include "media/audio/mixer.h"

#include <algorithm>

#include "media/audio/audio_output.h"

namespace media_internal {
namespace {
constexpr size_t kPieceFrames = 2048;
}

Mixer::Mixer() : scratch_(kPieceFrames * 2) {
    voices_.reserve(64);
    sources_.reserve(8);
}

void Mixer::Start(const std::shared_ptr<Channel>& channel, SoundFrames frames) {
    std::lock_guard lock(mutex_);
    for (auto it = voices_.begin(); it != voices_.end(); ++it) {
        if (it->channel == channel) {
            voices_.erase(it);
            break;
        }
    }
    if (frames && frames->frames > 0) voices_.push_back({channel, std::move(frames), 0});
}

void Mixer::Stop(const Channel* channel) {
    std::lock_guard lock(mutex_);
    voices_.erase(std::remove_if(voices_.begin(), voices_.end(),
                                 [&](const Voice& v) { return v.channel.get() == channel; }),
                  voices_.end());
}

bool Mixer::IsPlaying(const Channel* channel) {
    std::lock_guard lock(mutex_);
    return std::any_of(voices_.begin(), voices_.end(),
                       [&](const Voice& v) { return v.channel.get() == channel; });
}

size_t Mixer::PlayingCount() {
    std::lock_guard lock(mutex_);
    return voices_.size();
}

void Mixer::Attach(const std::shared_ptr<MixerSource>& source) {
    if (!source) return;
    std::lock_guard lock(mutex_);
    if (std::find(sources_.begin(), sources_.end(), source) == sources_.end())
        sources_.push_back(source);
}

void Mixer::Detach(const MixerSource* source) {
    // Taking the lock waits for a mix in progress, so the source is not called afterwards.
    std::lock_guard lock(mutex_);
    sources_.erase(std::remove_if(sources_.begin(), sources_.end(),
                                  [&](const auto& s) { return s.get() == source; }),
                   sources_.end());
}

void Mixer::Mix(float* out, size_t frames) {
    std::lock_guard lock(mutex_);
    while (frames > 0) {
        size_t piece = std::min(frames, kPieceFrames);
        MixPiece(out, piece);
        out += piece * 2;
        frames -= piece;
    }
}

void Mixer::MixPiece(float* out, size_t frames) {
    std::fill(out, out + frames * 2, 0.0f);
    for (Voice& v : voices_) {
        const SoundData& data = *v.frames;
        const size_t n = std::min(frames, data.frames - v.position);
        for (size_t i = 0; i < n; ++i) {
            float left, right;
            MixerFrame(data, v.position + i, left, right);
            out[2 * i] += left;
            out[2 * i + 1] += right;
        }
        v.position += n;
    }
    voices_.erase(std::remove_if(voices_.begin(), voices_.end(),
                                 [](const Voice& v) { return v.position >= v.frames->frames; }),
                  voices_.end());
    for (const auto& source : sources_) {
        size_t got = std::min(source->Read(scratch_.data(), frames), frames);
        for (size_t i = 0; i < got * 2; ++i)
            out[i] += scratch_[i];
    }
    for (size_t i = 0; i < frames * 2; ++i)
        out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

// The one mixer of every output backend (audio_output.h).
Mixer& TheMixer() {
    // Never destroyed: the audio thread may still run while statics are torn down.
    static Mixer* mixer = new Mixer();
    return *mixer;
}

} // namespace media_internal
