// Ogg Vorbis sound effects, decoded whole from memory.
#include "fuzz_support.h"
#include "media/audio/ogg_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    media_internal::PcmData pcm;
    std::string error;
    if (!media_internal::DecodeOgg(bytes, pcm, error)) fuzz::Check(!error.empty(), "reason given");
    return 0;
}
