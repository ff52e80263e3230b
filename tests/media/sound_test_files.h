// Builds sound files at test time: WAV byte images and Vorbis-encoded tones.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/common/vorbis_encoder.h"

namespace soundtest {

inline void Put16(std::string& s, unsigned v) {
    s += char(v & 0xFF);
    s += char((v >> 8) & 0xFF);
}
inline void Put32(std::string& s, uint32_t v) {
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}

inline std::string Chunk(const std::string& id, const std::string& body, bool pad = true) {
    std::string s = id;
    Put32(s, uint32_t(body.size()));
    s += body;
    if (pad && body.size() % 2) s += '\0';
    return s;
}

inline std::string FmtBody(int format, int channels, uint32_t rate, int bits) {
    std::string f;
    Put16(f, format);
    Put16(f, channels);
    Put32(f, rate);
    Put32(f, rate * channels * bits / 8);
    Put16(f, channels * bits / 8);
    Put16(f, bits);
    return f;
}

inline std::string Riff(const std::string& chunks) {
    std::string s = "RIFF";
    Put32(s, uint32_t(chunks.size() + 4));
    return s + "WAVE" + chunks;
}

inline std::string Wav16(int channels, uint32_t rate, const std::vector<int16_t>& samples) {
    std::string data;
    for (int16_t v : samples)
        Put16(data, uint16_t(v));
    return Riff(Chunk("fmt ", FmtBody(1, channels, rate, 16)) + Chunk("data", data));
}

// A sine tone encoded with the tools' Vorbis encoder; returns the whole Ogg file.
inline std::string EncodeOggTone(int channels, long rate, int frames, float freq) {
    std::vector<float> samples;
    samples.reserve(static_cast<size_t>(frames) * static_cast<size_t>(channels));
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            samples.push_back(0.5f * std::sin(2.0f * float(M_PI) * freq * float(i) / float(rate)));
    common::VorbisSettings settings;
    settings.rate = static_cast<int>(rate);
    settings.channels = channels;
    settings.quality = 0.4f;
    settings.serial = 1234;
    const std::vector<uint8_t> ogg = common::EncodeVorbis(samples, settings);
    if (ogg.empty()) std::abort();
    return {ogg.begin(), ogg.end()};
}

} // namespace soundtest
