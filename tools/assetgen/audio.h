// Sound effects and the victory tune, synthesised from square, triangle and
// noise voices like an 8-bit sound chip.
#pragma once

#include <cstdint>
#include <vector>

namespace assetgen {

struct Wave {
    int rate = 22050;
    int bits = 16;              // 8 or 16
    std::vector<float> samples; // mono, -1..1
};

// RIFF/WAVE, PCM, mono.
std::vector<uint8_t> EncodeWav(const Wave& wave);
// Ogg Vorbis with a fixed stream serial so repeated runs agree.
std::vector<uint8_t> EncodeOgg(const Wave& wave);

Wave SoundChose();
Wave SoundConfirm();
Wave SoundHit();
Wave SoundWalk();
Wave SoundTyping();   // keyboard clicks timed to the intro's typing pictures
Wave SoundTapeLoad(); // tape search, pilot tone and data warble
Wave VictoryTune();

} // namespace assetgen
