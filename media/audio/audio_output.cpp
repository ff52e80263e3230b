// The SDL audio device. Without one (no sound card, as on build machines) the
// game carries on silently.
#include "media/audio/audio_output.h"
#include "media/program.h"
#include "media/system/sdl_context.h"

#include <SDL.h>

#include <mutex>

namespace media_internal {
namespace {

SDL_AudioDeviceID device = 0;
bool tried = false;

void Callback(void* userdata, Uint8* stream, int len) {
    auto* mixer = static_cast<Mixer*>(userdata);
    mixer->Mix(reinterpret_cast<float*>(stream), size_t(len) / (2 * sizeof(float)));
}

} // namespace

Mixer& TheMixer() {
    // Never destroyed: the audio thread may still run while statics are torn down.
    static Mixer* mixer = new Mixer();
    return *mixer;
}

bool AudioRunning() {
    return device != 0;
}

bool OpenAudioOutput() {
    if (device) return true;
    if (tried) return false;
    tried = true;
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
    device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (!device) {
        DebugLog(std::string("audio: no device, silent: ") + SDL_GetError());
        return false;
    }
    SDL_PauseAudioDevice(device, 0);
    AtProgramEnd(StopAudio);
    return true;
}

void StopAudio() {
    if (!device) return;
    SDL_CloseAudioDevice(device);
    device = 0;
}

} // namespace media_internal
