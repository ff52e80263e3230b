// The audio output of the page. This first browser build plays no sound:
// the mixer runs, but nothing reads it, as on a desktop without a sound card.
// Web Audio output (started by the first key press, as browsers require)
// takes this file's place next.
#include "media/audio/audio_output.h"
#include "media/program.h"

namespace media_internal {

Mixer& TheMixer() {
    static Mixer* mixer = new Mixer();
    return *mixer;
}

bool AudioRunning() {
    return false;
}

bool OpenAudioOutput() {
    static bool told = false;
    if (!told) DebugLog("audio: the page plays silently");
    told = true;
    return false;
}

void StopAudio() {}

} // namespace media_internal
