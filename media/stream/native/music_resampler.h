// Brings decoded audio to the mixer's format: stereo at the output rate.
#pragma once

#include <cstddef>
#include <vector>

namespace media_internal {

// Appends `frames` frames of `channels` interleaved channels to `stereo` as
// stereo (mono doubled; from Vorbis multichannel the front left and right).
void AppendAsStereo(const float* in, int channels, std::size_t frames, std::vector<float>& stereo);

// Linear interpolation, continuous across calls. Equal rates copy exactly.
class MusicResampler {
  public:
    MusicResampler(int inRate, int outRate);
    // Appends the resampled frames of `stereo` (interleaved) to `out`.
    void Process(const float* stereo, std::size_t frames, std::vector<float>& out);

  private:
    double step_;    // input frames per output frame
    double pos_ = 1; // next output position; 0 is prev_, 1 the first new frame
    float prev_[2] = {0, 0};
    bool started_ = false;
};

} // namespace media_internal
