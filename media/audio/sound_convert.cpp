// Brings decoded sounds to the mixer format once, at load time, so mixing is a
// plain sum.
#include "media/audio/pcm_data.h"

namespace media_internal {

std::vector<float> ToStereoAt(const PcmData& pcm, int rate) {
    const size_t inFrames = pcm.channels > 0 ? pcm.samples.size() / pcm.channels : 0;
    if (inFrames == 0 || pcm.rate <= 0 || rate <= 0) return {};
    auto left = [&](size_t i) { return pcm.samples[i * pcm.channels]; };
    auto right = [&](size_t i) { return pcm.samples[i * pcm.channels + (pcm.channels > 1)]; };

    if (pcm.rate == rate) {
        std::vector<float> out(inFrames * 2);
        for (size_t i = 0; i < inFrames; ++i) {
            out[2 * i] = left(i);
            out[2 * i + 1] = right(i);
        }
        return out;
    }
    const size_t outFrames = size_t(uint64_t(inFrames) * uint64_t(rate) / uint64_t(pcm.rate));
    std::vector<float> out(outFrames * 2);
    const double step = double(pcm.rate) / double(rate);
    for (size_t o = 0; o < outFrames; ++o) {
        double at = double(o) * step;
        size_t i0 = size_t(at);
        if (i0 >= inFrames) i0 = inFrames - 1;
        size_t i1 = i0 + 1 < inFrames ? i0 + 1 : i0;
        float frac = float(at - double(i0));
        out[2 * o] = left(i0) + (left(i1) - left(i0)) * frac;
        out[2 * o + 1] = right(i0) + (right(i1) - right(i0)) * frac;
    }
    return out;
}

} // namespace media_internal
