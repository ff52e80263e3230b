#include "media/audio/wav_decoder.h"

#include <cstring>

namespace media_internal {
namespace {

uint32_t Le32(const uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24;
}
uint16_t Le16(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}

bool Fail(std::string& error, const char* why) {
    error = why;
    return false;
}

struct WavFormat {
    int channels = 0, bits = 0;
    uint32_t rate = 0;
};

bool ReadFormat(const uint8_t* f, uint32_t chunkSize, WavFormat& format, std::string& error) {
    if (chunkSize < 16) return Fail(error, "format chunk too short");
    if (Le16(f) != 1) return Fail(error, "not uncompressed PCM");
    format.channels = Le16(f + 2);
    format.rate = Le32(f + 4);
    const int blockAlign = Le16(f + 12);
    format.bits = Le16(f + 14);
    if (format.channels != 1 && format.channels != 2) return Fail(error, "not mono or stereo");
    if (format.bits != 8 && format.bits != 16) return Fail(error, "not 8 or 16 bit");
    if (format.rate < 1000 || format.rate > 384000) return Fail(error, "implausible sample rate");
    if (blockAlign != format.channels * format.bits / 8)
        return Fail(error, "block size does not match");
    return true;
}

bool ReadSamples(const uint8_t* d, uint32_t chunkSize, const WavFormat& format, PcmData& out,
                 std::string& error) {
    const size_t frameBytes = size_t(format.channels) * (format.bits / 8);
    const size_t frames = chunkSize / frameBytes; // a trailing partial frame is ignored
    if (frames == 0) return Fail(error, "no samples");
    if (frames > kMaxSoundFrames) return Fail(error, "too long");
    out.rate = int(format.rate);
    out.channels = format.channels;
    out.samples.resize(frames * format.channels);
    for (size_t i = 0; i < out.samples.size(); ++i) {
        if (format.bits == 8)
            out.samples[i] = (float(d[i]) - 128.0f) / 128.0f;
        else
            out.samples[i] = float(int16_t(Le16(d + 2 * i))) / 32768.0f;
    }
    return true;
}

} // namespace

bool DecodeWav(const std::vector<uint8_t>& bytes, PcmData& out, std::string& error) {
    const size_t size = bytes.size();
    const uint8_t* b = bytes.data();
    if (size < 12 || std::memcmp(b, "RIFF", 4) != 0 || std::memcmp(b + 8, "WAVE", 4) != 0)
        return Fail(error, "not a RIFF/WAVE file");
    // Some writers leave the RIFF size short or zero; the chunks themselves are checked.
    size_t pos = 12;
    bool haveFormat = false;
    WavFormat format;
    while (true) {
        if (size - pos < 8) return Fail(error, "no data chunk");
        const uint8_t* chunk = b + pos;
        const uint32_t chunkSize = Le32(chunk + 4);
        pos += 8;
        if (chunkSize > size - pos) return Fail(error, "chunk runs past the end of the file");
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (!ReadFormat(b + pos, chunkSize, format, error)) return false;
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat) return Fail(error, "data before format");
            return ReadSamples(b + pos, chunkSize, format, out, error);
        }
        // Chunks are padded to even sizes.
        const size_t advance = size_t(chunkSize) + (chunkSize & 1);
        if (advance > size - pos) return Fail(error, "no data chunk");
        pos += advance;
    }
}

} // namespace media_internal
