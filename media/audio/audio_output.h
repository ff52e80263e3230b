// The one audio device and the one mixer behind it.
#pragma once

#include "media/audio/mixer.h"

namespace media_internal {

Mixer& TheMixer();
// Opens the device once; false (and silent from then on) when there is none.
bool OpenAudioOutput();
bool AudioRunning();
// Closes the device; registered to run when the program ends.
void StopAudio();

} // namespace media_internal

struct Sound;
namespace media_internal {
// The decoded frames of a loaded sound (null for a null sound).
SoundFrames FramesOf(const std::shared_ptr<Sound>& sound);
} // namespace media_internal
