// The music stream in the page: the address plays through an HTML audio
// element, which fetches and decodes it itself. Nothing here waits: the game
// runs on the browser's one thread, so a slow or dead server only shows up
// later as a line in the console, and the game plays on without music.
// Browsers start sound only after a key press or click; until then the
// element waits, as the sound effects do.
#include <emscripten.h>

#include "media/bass.h"
#include "media/system/sdl_context.h"

namespace {

// What the page's side answers when it opens an address.
constexpr int kOpened = 0;
constexpr int kNoAddress = 1;
constexpr int kNotHttp = 2;
constexpr int kMixedContent = 3;
constexpr int kNoAudioElement = 4;

constexpr HSTREAM kFirstHandle = 0x80000001u;
constexpr HSYNC kFirstSync = 1;

struct MusicState {
    int lastError = BASS_OK;
    bool initialised = false;
    bool audible = true;      // device 0 is the silent one: the element stays muted
    bool releaseKept = false; // registered to stop at the program's end
    HSTREAM stream = 0;       // the one stream, 0 when none
    HSTREAM nextHandle = kFirstHandle;
    HSYNC nextSync = kFirstSync;
};
MusicState music;

BOOL Fail(int code) {
    music.lastError = code;
    return 0;
}

BOOL Succeed() {
    music.lastError = BASS_OK;
    return 1;
}

// clang-format off
EM_JS(int, PageHasAudioElements, (), {
    return typeof HTMLAudioElement === 'function' ? 1 : 0;
});

// Points the page's audio element (id "music", or one of our own) at the
// address, relative to the page. Nothing is fetched before it plays.
EM_JS(int, OpenMusicElement, (const char* address, int audible), {
    const text = UTF8ToString(address).trim();
    if (!text) return 1;
    let target;
    try {
        target = new URL(text, document.baseURI);
    } catch (e) {
        return 2;
    }
    if (target.protocol !== 'http:' && target.protocol !== 'https:') return 2;
    // An https page may not load http sound (mixed content); the browser's own
    // machine is the exception. (No backslashes: this text passes through C.)
    const host = target.hostname;
    const local = host === 'localhost' || host === '[::1]' || /^127([.][0-9]+){3}$/.test(host);
    if (location.protocol === 'https:' && target.protocol === 'http:' && !local) {
        console.log('music: ' + target.href + ' is http:// and the page is https://, ' +
                    'which browsers refuse; the game plays on without music');
        if (Module.palmutMusicBlocked) Module.palmutMusicBlocked(target.href);
        return 3;
    }
    let el = document.getElementById('music');
    if (!el) {
        if (typeof Audio !== 'function') return 4;
        el = new Audio();
    }
    const state = {el: el, href: target.href, wanted: false, failed: false, starting: false};
    state.say = (what) => console.log('music: ' + state.href + ' ' + what);
    state.onError = () => {
        state.failed = true;
        state.wanted = false;
        if (state.stopWaiting) state.stopWaiting();
        const why = el.error ? (el.error.message || 'error ' + el.error.code) : 'unknown error';
        state.say('cannot be played (' + why + '); the game plays on without music');
    };
    state.onPlaying = () => state.say('plays');
    state.onEnded = () => state.say('ended');
    el.addEventListener('error', state.onError);
    el.addEventListener('playing', state.onPlaying);
    el.addEventListener('ended', state.onEnded);
    el.preload = 'none';
    el.muted = !audible;
    el.src = target.href;
    Module.palmutMusic = state;
    return 0;
});

// Plays now when the player has already pressed a key or clicked, otherwise
// at the first key press or click, the gesture that starts the page's sound.
EM_JS(void, PlayMusicElement, (), {
    const state = Module.palmutMusic;
    if (!state || state.failed) return;
    state.wanted = true;
    state.start = () => {
        if (!state.wanted || state.starting || !state.el.paused) return;
        state.starting = true;
        state.el.play().then(() => {
            state.starting = false;
            state.stopWaiting();
        }, (e) => {
            state.starting = false;
            // Refused before a gesture: the next key press tries again.
            if (e.name === 'NotAllowedError' || e.name === 'AbortError' || state.failed) return;
            state.say('does not start (' + e.name + ': ' + e.message + ')');
        });
    };
    state.stopWaiting = () => {
        window.removeEventListener('keydown', state.start, true);
        window.removeEventListener('pointerdown', state.start, true);
    };
    window.addEventListener('keydown', state.start, true);
    window.addEventListener('pointerdown', state.start, true);
    const active = navigator.userActivation ? navigator.userActivation.hasBeenActive : true;
    if (active) state.start();
});

// Stops the sound and the download; the element is left empty.
EM_JS(void, CloseMusicElement, (), {
    const state = Module.palmutMusic;
    if (!state) return;
    Module.palmutMusic = null;
    state.wanted = false;
    if (state.stopWaiting) state.stopWaiting();
    const el = state.el;
    el.removeEventListener('error', state.onError);
    el.removeEventListener('playing', state.onPlaying);
    el.removeEventListener('ended', state.onEnded);
    el.pause();
    el.removeAttribute('src');
    el.load();
});
// clang-format on

int OpenFailure(int answer) {
    switch (answer) {
    case kNoAddress:
        return BASS_ERROR_ILLPARAM;
    case kNotHttp:
        return BASS_ERROR_PROTOCOL;
    case kMixedContent:
        return BASS_ERROR_DENIED;
    case kNoAudioElement:
        return BASS_ERROR_DRIVER;
    default:
        return BASS_ERROR_UNKNOWN;
    }
}

bool IsStream(DWORD handle) {
    return music.stream != 0 && handle == music.stream;
}

// A game that ends with a message (a fatal error) never calls BASS_Free:
// its page must fall silent all the same.
void StopAtProgramEnd() {
    if (music.initialised) BASS_Free();
}

} // namespace

BOOL BASS_Init(int device, DWORD freq, DWORD, void*, void*) {
    if (music.initialised) return Fail(BASS_ERROR_ALREADY);
    if (device < -1 || device > 1) return Fail(BASS_ERROR_DEVICE);
    if (freq != 0 && (freq < 8000 || freq > 192000)) return Fail(BASS_ERROR_FORMAT);
    if (!PageHasAudioElements()) return Fail(BASS_ERROR_DRIVER);
    music.initialised = true;
    music.audible = device != 0;
    if (!music.releaseKept) media_internal::AtProgramEnd(StopAtProgramEnd);
    music.releaseKept = true;
    return Succeed();
}

BOOL BASS_SetConfig(DWORD option, DWORD value) {
    // Both are the browser's business (it follows no playlists, buffers as it
    // likes), but they are checked as on the desktop.
    if (option == BASS_CONFIG_NET_PLAYLIST) {
        if (value > 2) return Fail(BASS_ERROR_ILLPARAM);
    } else if (option != BASS_CONFIG_NET_PREBUF) {
        return Fail(BASS_ERROR_ILLTYPE);
    }
    return Succeed();
}

HSTREAM BASS_StreamCreateURL(const char* url, DWORD, DWORD, DOWNLOADPROC*, void*) {
    if (!music.initialised) return Fail(BASS_ERROR_INIT);
    if (!url) return Fail(BASS_ERROR_ILLPARAM);
    // One stream at a time, as the game uses it: a new one replaces the old.
    if (music.stream != 0) CloseMusicElement();
    music.stream = 0;
    const int answer = OpenMusicElement(url, music.audible ? 1 : 0);
    if (answer != kOpened) return Fail(OpenFailure(answer));
    music.stream = music.nextHandle++;
    if (music.nextHandle == 0) music.nextHandle = kFirstHandle;
    Succeed();
    return music.stream;
}

HSYNC BASS_ChannelSetSync(DWORD handle, DWORD type, QWORD, SYNCPROC* proc, void*) {
    if (!music.initialised) return Fail(BASS_ERROR_INIT);
    if (!IsStream(handle)) return Fail(BASS_ERROR_HANDLE);
    if ((type & 0x00FFFFFFu) != BASS_SYNC_META) return Fail(BASS_ERROR_ILLTYPE);
    if (!proc) return Fail(BASS_ERROR_ILLPARAM);
    // Accepted, but titles never arrive: the audio element does not report them.
    Succeed();
    return music.nextSync++;
}

QWORD BASS_ChannelGetLength(DWORD handle, DWORD mode) {
    const QWORD unknown = ~QWORD{0};
    if (!music.initialised) return Fail(BASS_ERROR_INIT), unknown;
    if (!IsStream(handle)) return Fail(BASS_ERROR_HANDLE), unknown;
    if (mode != BASS_POS_BYTE) return Fail(BASS_ERROR_ILLTYPE), unknown;
    return Fail(BASS_ERROR_NOTAVAIL), unknown;
}

BOOL BASS_ChannelPlay(DWORD handle, BOOL) {
    if (!music.initialised) return Fail(BASS_ERROR_INIT);
    if (!IsStream(handle)) return Fail(BASS_ERROR_HANDLE);
    PlayMusicElement();
    return Succeed();
}

int BASS_ErrorGetCode() {
    return music.lastError;
}

BOOL BASS_Free() {
    if (!music.initialised) return Fail(BASS_ERROR_INIT);
    CloseMusicElement();
    music.initialised = false;
    music.stream = 0;
    return Succeed();
}
