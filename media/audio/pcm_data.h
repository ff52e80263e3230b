// Decoded audio before it is brought to the mixer's format.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace media_internal {

struct PcmData {
    int rate = 0;
    int channels = 0;           // 1 or 2
    std::vector<float> samples; // interleaved, -1..1
};

// Sound files larger than this are refused before decoding.
constexpr std::size_t kMaxSoundFileBytes = 64u << 20;
// Ten minutes of stereo at the mixer rate: the most one sound may decode to.
constexpr std::size_t kMaxSoundFrames = std::size_t{44100} * 600;

// Interleaved stereo at `rate`, linearly resampled when the rates differ.
std::vector<float> ToStereoAt(const PcmData& pcm, int rate);

// A sound as the mixer keeps it: 16-bit samples at the file's own rate and
// channel count (a quarter to an eighth of stereo floats at the mixer rate);
// the mixer converts while it mixes, exactly as ToStereoAt would.
struct SoundData {
    int rate = 0;
    int channels = 0;
    std::vector<int16_t> samples; // interleaved
    std::size_t frames = 0;       // length at the mixer rate
    int mixerRate = 0;
};
SoundData ToSoundData(const PcmData& pcm, int mixerRate);
// Stereo frame `o` (below sound.frames) at the mixer rate.
void MixerFrame(const SoundData& sound, std::size_t o, float& left, float& right);

} // namespace media_internal
