// Ogg Vorbis from memory.
#pragma once

#include <string>

#include "media/audio/pcm_data.h"

namespace media_internal {

// Decodes the first logical stream (later links with another rate or channel
// count end the sound). Streams with more than two channels keep the first two.
bool DecodeOgg(const std::vector<uint8_t>& bytes, PcmData& out, std::string& error);

} // namespace media_internal
