// Ogg Vorbis in the page, decoded by the browser's own decoder (Web Audio's
// decodeAudioData), resampled by it to the mixer's rate. The game waits for
// it through Asyncify, as it would wait for libvorbis on the desktop.
#include <cstdlib>

#include <emscripten.h>

#include "media/audio/mixer.h"
#include "media/audio/ogg_decoder.h"

namespace media_internal {
namespace {

// clang-format off
// Decodes `size` bytes into a malloc'ed interleaved float buffer of at most
// two channels; returns the channel count (0: refused) and sets *out and
// *frames. More than `maxFrames` frames is refused before the copy.
EM_ASYNC_JS(int, DecodeWithBrowser, (const uint8_t* bytes, int size, int rate, int maxFrames,
                                     float** out, int* frames), {
    try {
        const ctx = new OfflineAudioContext(2, 1, rate);
        const audio = await ctx.decodeAudioData(HEAPU8.slice(bytes, bytes + size).buffer);
        const channels = Math.min(2, audio.numberOfChannels);
        if (audio.length > maxFrames || channels < 1) return 0;
        const data = _malloc(audio.length * channels * 4);
        if (!data) return 0;
        for (let c = 0; c < channels; ++c) {
            const samples = audio.getChannelData(c);
            for (let i = 0; i < audio.length; ++i) HEAPF32[(data >> 2) + i * channels + c] = samples[i];
        }
        HEAP32[out >> 2] = data;
        HEAP32[frames >> 2] = audio.length;
        return channels;
    } catch (e) {
        console.warn('Ogg refused: ' + e);
        return 0;
    }
});
// clang-format on

} // namespace

bool DecodeOgg(const std::vector<uint8_t>& bytes, PcmData& out, std::string& error) {
    float* data = nullptr;
    int frames = 0;
    const int channels = DecodeWithBrowser(bytes.data(), static_cast<int>(bytes.size()), kMixerRate,
                                           static_cast<int>(kMaxSoundFrames), &data, &frames);
    if (channels <= 0 || !data) {
        error = "the browser could not decode it";
        return false;
    }
    out.rate = kMixerRate;
    out.channels = channels;
    out.samples.assign(data, data + static_cast<size_t>(frames) * channels);
    std::free(data);
    return true;
}

} // namespace media_internal
