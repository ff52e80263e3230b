// The SDL audio device. Without one (no sound card, as on build machines) the
// game carries on silently.
#include "media/audio/audio_output.h"

#include <mutex>

#include <SDL2/SDL.h>

#include "media/program.h"
#include "media/system/sdl_context.h"

namespace media_internal {
namespace {

struct OutputState {
    SDL_AudioDeviceID device = 0;
    bool tried = false; // opened once already: a failure stays silent
};
OutputState output;

void Callback(void* userdata, Uint8* stream, int len) {
    auto* mixer = static_cast<Mixer*>(userdata);
    mixer->Mix(reinterpret_cast<float*>(stream), size_t(len) / (2 * sizeof(float)));
}

} // namespace

bool AudioRunning() {
    return output.device != 0;
}

bool OpenAudioOutput() {
    if (output.device) return true;
    if (output.tried) return false;
    output.tried = true;
    if (!media_internal::InitSdl(SDL_INIT_AUDIO)) {
        DebugLog(std::string("audio: no driver, silent: ") + SDL_GetError());
        return false;
    }
    SDL_AudioSpec want{};
    want.freq = kMixerRate;
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = Callback;
    want.userdata = &TheMixer();
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts to whatever the device needs.
    output.device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (!output.device) {
        DebugLog(std::string("audio: no device, silent: ") + SDL_GetError());
        return false;
    }
    SDL_PauseAudioDevice(output.device, 0);
    AtProgramEnd(StopAudio);
    return true;
}

void StopAudio() {
    if (!output.device) return;
    SDL_CloseAudioDevice(output.device);
    output.device = 0;
}

} // namespace media_internal
