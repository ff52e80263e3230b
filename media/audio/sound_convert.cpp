// Brings decoded sounds to the mixer format: at load time as 16-bit samples at
// their own rate, and frame by frame while mixing.
#include <algorithm>
#include <cmath>

#include "media/audio/pcm_data.h"

namespace media_internal {
namespace {

size_t OutFrames(size_t inFrames, int inRate, int outRate) {
    if (inRate == outRate) return inFrames;
    return size_t(uint64_t(inFrames) * uint64_t(outRate) / uint64_t(inRate));
}

// Output frame `o`: the source frame itself at equal rates, else a linear
// blend of the two source frames around it (the last one holds at the end).
template <typename Sample>
void Frame(const Sample& sample, size_t inFrames, int inRate, int outRate, size_t o, float& left,
           float& right) {
    if (inRate == outRate) {
        sample(o, left, right);
        return;
    }
    const double step = double(inRate) / double(outRate);
    const double at = double(o) * step;
    size_t i0 = size_t(at);
    if (i0 >= inFrames) i0 = inFrames - 1;
    const size_t i1 = i0 + 1 < inFrames ? i0 + 1 : i0;
    const float frac = float(at - double(i0));
    float l0, r0, l1, r1;
    sample(i0, l0, r0);
    sample(i1, l1, r1);
    left = l0 + (l1 - l0) * frac;
    right = r0 + (r1 - r0) * frac;
}

} // namespace

std::vector<float> ToStereoAt(const PcmData& pcm, int rate) {
    const size_t inFrames = pcm.channels > 0 ? pcm.samples.size() / pcm.channels : 0;
    if (inFrames == 0 || pcm.rate <= 0 || rate <= 0) return {};
    const auto sample = [&](size_t i, float& l, float& r) {
        l = pcm.samples[i * pcm.channels];
        r = pcm.samples[i * pcm.channels + (pcm.channels > 1)];
    };
    const size_t outFrames = OutFrames(inFrames, pcm.rate, rate);
    std::vector<float> out(outFrames * 2);
    for (size_t o = 0; o < outFrames; ++o)
        Frame(sample, inFrames, pcm.rate, rate, o, out[2 * o], out[2 * o + 1]);
    return out;
}

SoundData ToSoundData(const PcmData& pcm, int mixerRate) {
    SoundData sound;
    const size_t inFrames = pcm.channels > 0 ? pcm.samples.size() / pcm.channels : 0;
    if (inFrames == 0 || pcm.rate <= 0 || mixerRate <= 0) return sound;
    sound.rate = pcm.rate;
    sound.channels = pcm.channels;
    sound.mixerRate = mixerRate;
    sound.frames = OutFrames(inFrames, pcm.rate, mixerRate);
    sound.samples.resize(inFrames * pcm.channels);
    for (size_t i = 0; i < sound.samples.size(); ++i)
        sound.samples[i] =
            int16_t(std::lround(std::clamp(pcm.samples[i], -1.0f, 32767.0f / 32768.0f) * 32768.0f));
    return sound;
}

void MixerFrame(const SoundData& sound, size_t o, float& left, float& right) {
    const size_t inFrames = sound.samples.size() / sound.channels;
    const auto sample = [&](size_t i, float& l, float& r) {
        l = float(sound.samples[i * sound.channels]) / 32768.0f;
        r = float(sound.samples[i * sound.channels + (sound.channels > 1)]) / 32768.0f;
    };
    Frame(sample, inFrames, sound.rate, sound.mixerRate, o, left, right);
}

} // namespace media_internal
