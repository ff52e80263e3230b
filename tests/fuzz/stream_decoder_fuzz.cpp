// The streaming MP3 and Vorbis decoders fed in random chunks, as the network
// delivers them. Input: one byte choosing the decoder, four bytes chunk seed,
// then the stream.
#include <cstring>

#include "fuzz_support.h"
#include "media/stream/native/music_decoder.h"

using namespace media_internal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5) return 0;
    const bool vorbis = data[0] & 1;
    fuzz::Chunks chunks(static_cast<std::uint32_t>(data[1] | data[2] << 8 | data[3] << 16 |
                                                   static_cast<std::uint32_t>(data[4]) << 24));
    data += 5;
    size -= 5;
    std::size_t at = 0;
    MusicByteSource source = [&](void* out, std::size_t want) {
        const std::size_t n = std::min({chunks.Next(9000), want, size - at});
        if (n > 0) std::memcpy(out, data + at, n);
        at += n;
        return n;
    };
    auto decoder = vorbis ? MakeVorbisDecoder(source) : MakeMp3Decoder(source);
    if (!decoder->Open()) return 0;
    std::vector<float> pcm;
    std::string title;
    for (int piece = 0; piece < 10000; ++piece) {
        pcm.clear();
        const bool more = decoder->Decode(pcm);
        if (!pcm.empty()) {
            fuzz::Check(decoder->Channels() > 0 && decoder->Rate() > 0, "format known");
            fuzz::Check(pcm.size() % static_cast<std::size_t>(decoder->Channels()) == 0,
                        "whole frames");
        }
        decoder->TakeTitle(title);
        if (!more) break;
    }
    return 0;
}
