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

} // namespace

bool DecodeWav(const std::vector<uint8_t>& bytes, PcmData& out, std::string& error) {
    const size_t size = bytes.size();
    const uint8_t* b = bytes.data();
    if (size < 12 || std::memcmp(b, "RIFF", 4) != 0 || std::memcmp(b + 8, "WAVE", 4) != 0)
        return Fail(error, "not a RIFF/WAVE file");
    // Some writers leave the RIFF size short or zero; the chunks themselves are checked.
    size_t pos = 12;
    bool haveFormat = false;
    int channels = 0, bits = 0;
    uint32_t rate = 0;
    while (true) {
        if (size - pos < 8) return Fail(error, "no data chunk");
        const uint8_t* chunk = b + pos;
        uint32_t chunkSize = Le32(chunk + 4);
        pos += 8;
        if (chunkSize > size - pos) return Fail(error, "chunk runs past the end of the file");
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (chunkSize < 16) return Fail(error, "format chunk too short");
            const uint8_t* f = b + pos;
            if (Le16(f) != 1) return Fail(error, "not uncompressed PCM");
            channels = Le16(f + 2);
            rate = Le32(f + 4);
            int blockAlign = Le16(f + 12);
            bits = Le16(f + 14);
            if (channels != 1 && channels != 2) return Fail(error, "not mono or stereo");
            if (bits != 8 && bits != 16) return Fail(error, "not 8 or 16 bit");
            if (rate < 1000 || rate > 384000) return Fail(error, "implausible sample rate");
            if (blockAlign != channels * bits / 8) return Fail(error, "block size does not match");
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat) return Fail(error, "data before format");
            const size_t frameBytes = size_t(channels) * (bits / 8);
            size_t frames = chunkSize / frameBytes; // a trailing partial frame is ignored
            if (frames == 0) return Fail(error, "no samples");
            if (frames > kMaxSoundFrames) return Fail(error, "too long");
            out.rate = int(rate);
            out.channels = channels;
            out.samples.resize(frames * channels);
            const uint8_t* d = b + pos;
            for (size_t i = 0; i < out.samples.size(); ++i) {
                if (bits == 8)
                    out.samples[i] = (float(d[i]) - 128.0f) / 128.0f;
                else
                    out.samples[i] = float(int16_t(Le16(d + 2 * i))) / 32768.0f;
            }
            return true;
        }
        // Chunks are padded to even sizes.
        size_t advance = size_t(chunkSize) + (chunkSize & 1);
        if (advance > size - pos) return Fail(error, "no data chunk");
        pos += advance;
    }
}

} // namespace media_internal
