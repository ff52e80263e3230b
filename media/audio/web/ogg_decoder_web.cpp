// Ogg Vorbis in the page: the page has no Vorbis decoder of its own yet (the
// browser's decodeAudioData will take this over), so Ogg sounds load as
// missing and the game plays on without them.
#include "media/audio/ogg_decoder.h"

namespace media_internal {

bool DecodeOgg(const std::vector<uint8_t>&, PcmData&, std::string& error) {
    error = "Ogg Vorbis is not decoded in the browser";
    return false;
}

} // namespace media_internal
