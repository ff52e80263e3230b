#include "media/stream/native/music_resampler.h"

namespace media_internal {

void AppendAsStereo(const float* in, int channels, std::size_t frames, std::vector<float>& stereo) {
    if (channels <= 0) return;
    const int right = channels == 1 ? 0 : (channels == 2 ? 1 : 2);
    for (std::size_t i = 0; i < frames; ++i) {
        const float* frame = in + i * static_cast<std::size_t>(channels);
        stereo.push_back(frame[0]);
        stereo.push_back(frame[right]);
    }
}

MusicResampler::MusicResampler(int inRate, int outRate)
    : step_(inRate > 0 && outRate > 0 ? static_cast<double>(inRate) / outRate : 1.0) {}

void MusicResampler::Process(const float* stereo, std::size_t frames, std::vector<float>& out) {
    if (frames == 0) return;
    if (step_ == 1.0) {
        out.insert(out.end(), stereo, stereo + frames * 2);
        return;
    }
    if (!started_) {
        prev_[0] = stereo[0];
        prev_[1] = stereo[1];
        started_ = true;
    }
    // Index 0 is the last frame of the previous call, 1..frames the new ones.
    auto at = [&](std::size_t i, int c) { return i == 0 ? prev_[c] : stereo[(i - 1) * 2 + c]; };
    const double end = static_cast<double>(frames);
    while (pos_ < end) {
        const auto i = static_cast<std::size_t>(pos_);
        const auto t = static_cast<float>(pos_ - static_cast<double>(i));
        for (int c = 0; c < 2; ++c)
            out.push_back(at(i, c) + (at(i + 1, c) - at(i, c)) * t);
        pos_ += step_;
    }
    pos_ -= end;
    prev_[0] = stereo[(frames - 1) * 2];
    prev_[1] = stereo[(frames - 1) * 2 + 1];
}

} // namespace media_internal
