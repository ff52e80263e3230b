// The music stream service, with the call shape, names and values of the
// audio library the game was written against.
#pragma once

#include <cstdint>

using DWORD = std::uint32_t;
using QWORD = std::uint64_t;
using BOOL = int;
using HSTREAM = DWORD;
using HSYNC = DWORD;
using HCHANNEL = DWORD;

constexpr DWORD BASS_CONFIG_NET_PREBUF = 15;
constexpr DWORD BASS_CONFIG_NET_PLAYLIST = 21;
constexpr DWORD BASS_SAMPLE_FLOAT = 0x100;
constexpr DWORD BASS_STREAM_AUTOFREE = 0x40000;
constexpr DWORD BASS_STREAM_STATUS = 0x800000;
constexpr DWORD BASS_SYNC_META = 4;
constexpr DWORD BASS_POS_BYTE = 0;

constexpr int BASS_OK = 0;
constexpr int BASS_ERROR_MEM = 1;
constexpr int BASS_ERROR_FILEOPEN = 2;
constexpr int BASS_ERROR_DRIVER = 3;
constexpr int BASS_ERROR_HANDLE = 5;
constexpr int BASS_ERROR_FORMAT = 6;
constexpr int BASS_ERROR_INIT = 8;
constexpr int BASS_ERROR_START = 9;
constexpr int BASS_ERROR_SSL = 10;
constexpr int BASS_ERROR_ALREADY = 14;
constexpr int BASS_ERROR_NOTAUDIO = 17;
constexpr int BASS_ERROR_ILLTYPE = 19;
constexpr int BASS_ERROR_ILLPARAM = 20;
constexpr int BASS_ERROR_DEVICE = 23;
constexpr int BASS_ERROR_NOPLAY = 24;
constexpr int BASS_ERROR_NONET = 32;
constexpr int BASS_ERROR_NOTAVAIL = 37;
constexpr int BASS_ERROR_DECODE = 38;
constexpr int BASS_ERROR_TIMEOUT = 40;
constexpr int BASS_ERROR_FILEFORM = 41;
constexpr int BASS_ERROR_CODEC = 44;
constexpr int BASS_ERROR_ENDED = 45;
constexpr int BASS_ERROR_BUSY = 46;
constexpr int BASS_ERROR_UNSTREAMABLE = 47;
constexpr int BASS_ERROR_PROTOCOL = 48;
constexpr int BASS_ERROR_DENIED = 49;
constexpr int BASS_ERROR_FREEING = 50;
constexpr int BASS_ERROR_UNKNOWN = -1;

using SYNCPROC = void(HSYNC handle, DWORD channel, DWORD data, void* user);
using DOWNLOADPROC = void(const void* buffer, DWORD length, void* user);

// Filled by the game's META sync callback; nothing reads it.
struct TBassSyncData {
    DWORD channel = 0;
    DWORD data = 0;
    int set = 0;
    void* user = nullptr;
};

// Called by start-up before the music starts: opens the output device (-1 default,
// 0 silent); FALSE with an error code when it is already open or unusable.
BOOL BASS_Init(int device, DWORD freq, DWORD flags, void* win, void* clsid);
// Called by start-up: one BASS_CONFIG_* setting for streams created afterwards.
BOOL BASS_SetConfig(DWORD option, DWORD value);
// Called by start-up with the address from stream.cfg: a stream handle, or 0 with
// an error code.
HSTREAM BASS_StreamCreateURL(const char* url, DWORD offset, DWORD flags, DOWNLOADPROC* proc,
                             void* user);
// Called by start-up: proc runs on the stream's own thread when a new title arrives.
HSYNC BASS_ChannelSetSync(DWORD handle, DWORD type, QWORD param, SYNCPROC* proc, void* user);
// Called by start-up, which ignores the answer: always (QWORD)-1 with
// BASS_ERROR_NOTAVAIL, since a stream is read front to back without a known length.
QWORD BASS_ChannelGetLength(DWORD handle, DWORD mode);
// Called by start-up: starts playback; silence until data arrives.
BOOL BASS_ChannelPlay(DWORD handle, BOOL restart);
// The error of this thread's most recent call, BASS_OK after success.
int BASS_ErrorGetCode();
// Called at the program's end: stops and frees every stream and the device.
BOOL BASS_Free();
