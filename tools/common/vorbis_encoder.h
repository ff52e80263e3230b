// The one Ogg Vorbis encoder: the asset generator's sounds and the tests'
// sound and music files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace common {

struct VorbisSettings {
    int rate = 22050;
    int channels = 1;
    float quality = 0.4f; // libvorbisenc's VBR quality, -0.1 to 1
    int serial = 0;       // the Ogg stream's serial: fixed, so runs agree byte for byte
    std::vector<std::string> comments; // "TAG=value"
};

// `samples`: interleaved frames of -1..1. Empty when the encoder refuses the
// settings.
std::vector<uint8_t> EncodeVorbis(const std::vector<float>& samples,
                                  const VorbisSettings& settings);

} // namespace common
