// RIFF/WAVE with uncompressed PCM (8 or 16 bit, mono or stereo).
#pragma once

#include <string>

#include "media/audio/pcm_data.h"

namespace media_internal {

// False (with a reason) for anything that is not a well-formed PCM WAV file:
// chunks whose sizes reach past the end, missing or odd "fmt " data, no samples.
bool DecodeWav(const std::vector<uint8_t>& bytes, PcmData& out, std::string& error);

} // namespace media_internal
