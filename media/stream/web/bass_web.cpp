// The music stream in the page: off for now. Every call answers as a
// system without the stream would, so start-up logs it and plays on.
// (An HTML audio element playing the address is the planned replacement.)
#include "media/bass.h"

namespace {
int lastError = BASS_OK;

BOOL Fail(int code) {
    lastError = code;
    return 0;
}
} // namespace

BOOL BASS_Init(int, DWORD, DWORD, void*, void*) {
    return Fail(BASS_ERROR_DEVICE);
}

BOOL BASS_SetConfig(DWORD, DWORD) {
    lastError = BASS_OK;
    return 1;
}

HSTREAM BASS_StreamCreateURL(const char*, DWORD, DWORD, DOWNLOADPROC*, void*) {
    return static_cast<HSTREAM>(Fail(BASS_ERROR_NOTAVAIL));
}

HSYNC BASS_ChannelSetSync(DWORD, DWORD, QWORD, SYNCPROC*, void*) {
    return static_cast<HSYNC>(Fail(BASS_ERROR_HANDLE));
}

QWORD BASS_ChannelGetLength(DWORD, DWORD) {
    Fail(BASS_ERROR_NOTAVAIL);
    return static_cast<QWORD>(-1);
}

BOOL BASS_ChannelPlay(DWORD, BOOL) {
    return Fail(BASS_ERROR_HANDLE);
}

int BASS_ErrorGetCode() {
    return lastError;
}

BOOL BASS_Free() {
    lastError = BASS_OK;
    return 1;
}
