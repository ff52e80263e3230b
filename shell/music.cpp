#include "shell/music.h"

#include "media/bass.h"
#include "media/program.h"

namespace {

// Filled on every title change; nothing in the game reads it.
TBassSyncData syncData;

void OnMeta(HSYNC, DWORD channel, DWORD data, void* user) {
    auto* record = static_cast<TBassSyncData*>(user);
    record->channel = channel;
    record->data = data;
    record->set = 1;
    record->user = user;
}

} // namespace

void StartMusic(const std::string& address) {
    if (!BASS_Init(-1, 44100, 0, nullptr, nullptr)) {
        DebugLog("Can't initialize device : " + std::to_string(BASS_ErrorGetCode()));
        return;
    }
    BASS_SetConfig(BASS_CONFIG_NET_PLAYLIST, 1);
    BASS_SetConfig(BASS_CONFIG_NET_PREBUF, 0);
    // The handle is deliberately not checked: with 0 the calls below fail quietly.
    const HSTREAM stream = BASS_StreamCreateURL(
        address.c_str(), 0, BASS_STREAM_STATUS | BASS_STREAM_AUTOFREE | BASS_SAMPLE_FLOAT, nullptr,
        &syncData);
    BASS_ChannelSetSync(stream, BASS_SYNC_META, 0, OnMeta, &syncData);
    BASS_ChannelGetLength(stream, BASS_POS_BYTE);
    if (!BASS_ChannelPlay(stream, 0)) {
        DebugLog("can't play... : " + std::to_string(BASS_ErrorGetCode()));
    }
}
