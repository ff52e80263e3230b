// The keyboard state (key_state.cpp) fed by SDL events. Every query first
// drains the event queue, so the game needs no pump of its own; the state
// changes only inside queries.
#include "media/keyboard.h"

#include <array>
#include <cstdint>

#include <SDL2/SDL.h>

#include "media/input/event_pump.h"
#include "media/input/gamepad.h"
#include "media/input/key_state.h"
#include "media/input/native/key_mapping.h"
#include "media/program.h"
#include "media/system/sdl_context.h"
#include "media/system/utf8_codec.h"
#include "media/test_seams.h"

namespace {

using media_internal::kKeyCount;

struct KeyboardState {
    std::array<SDL_GameController*, 4> pads{};
    bool closeRequested = false;
    bool started = false;
    Uint32 lastSystemPump = 0;
};
KeyboardState sdlInput;

// SDL's button and axis numbers go to the gamepad keys as they are.
constexpr bool SameNumber(int ours, int sdls) {
    return ours == sdls;
}
static_assert(SameNumber(media_internal::PadA, SDL_CONTROLLER_BUTTON_A) &&
              SameNumber(media_internal::PadStart, SDL_CONTROLLER_BUTTON_START) &&
              SameNumber(media_internal::PadRight, SDL_CONTROLLER_BUTTON_DPAD_RIGHT) &&
              SameNumber(media_internal::PadLeftY, SDL_CONTROLLER_AXIS_LEFTY));

void OpenPad(int deviceIndex) {
    for (SDL_GameController*& pad : sdlInput.pads)
        if (!pad) {
            pad = SDL_GameControllerOpen(deviceIndex);
            if (!pad) DebugLog(std::string("gamepad not opened: ") + SDL_GetError());
            return;
        }
}

void ClosePad(SDL_JoystickID id) {
    for (SDL_GameController*& pad : sdlInput.pads)
        if (pad && SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad)) == id) {
            SDL_GameControllerClose(pad);
            pad = nullptr;
        }
    media_internal::Gamepad().Reset();
}

void OnKeyDown(const SDL_KeyboardEvent& key) {
    // The window's own keys never reach the game, held or not.
    if (media_internal::IsModeSwitchKey(key.keysym.sym, key.keysym.mod)) {
        if (!key.repeat) media_internal::ToggleFullScreenAction();
        return;
    }
    int vk = media_internal::VirtualKeyFromSdl(key.keysym.sym, key.keysym.scancode);
    if (vk <= 0 || vk >= kKeyCount) return;
    // Control characters repeat with the key, like typed text does.
    if (int c = media_internal::ControlCharFromVirtualKey(vk)) media_internal::PushChar(c);
    if (!key.repeat) media_internal::PressKey(vk);
}

void OnKeyUp(const SDL_KeyboardEvent& key) {
    media_internal::ReleaseKey(
        media_internal::VirtualKeyFromSdl(key.keysym.sym, key.keysym.scancode));
}

void OnText(const char* text) {
    for (char32_t c : media_internal::DecodeUtf8(text)) {
        // Control characters come from key-downs; text input never carries them.
        if (c >= 32 && c != 127) media_internal::PushChar(static_cast<int>(c));
    }
}

void HandleEvent(const SDL_Event& e) {
    switch (e.type) {
    case SDL_QUIT:
        sdlInput.closeRequested = true;
        break;
    case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_CLOSE) sdlInput.closeRequested = true;
        // The window's picture may be gone: the next frame is drawn even if unchanged.
        if (e.window.event == SDL_WINDOWEVENT_EXPOSED ||
            e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
            e.window.event == SDL_WINDOWEVENT_SHOWN || e.window.event == SDL_WINDOWEVENT_RESTORED)
            media_internal::MarkPictureLost();
        // A key released while another window had focus would stay "down".
        if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST ||
            e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
            media_internal::ClearKeyState();
            media_internal::ClearMouseButtons();
        }
        if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
            e.window.event == SDL_WINDOWEVENT_EXPOSED)
            media_internal::RepaintAction();
        break;
    case SDL_CONTROLLERDEVICEADDED:
        OpenPad(e.cdevice.which);
        break;
    case SDL_CONTROLLERDEVICEREMOVED:
        ClosePad(e.cdevice.which);
        break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        media_internal::Gamepad().Button(e.cbutton.button, e.type == SDL_CONTROLLERBUTTONDOWN);
        break;
    case SDL_CONTROLLERAXISMOTION:
        media_internal::Gamepad().Axis(e.caxis.axis, e.caxis.value);
        break;
    case SDL_KEYDOWN:
        OnKeyDown(e.key);
        break;
    case SDL_KEYUP:
        OnKeyUp(e.key);
        break;
    case SDL_TEXTINPUT:
        OnText(e.text.text);
        break;
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEWHEEL:
        media_internal::OnMouseEvent(e);
        break;
    default:
        break;
    }
}

// Drains the event queue; true when at least one event was waiting. Asking
// the window system for new events costs a round trip: a pass asks about many
// keys, so queries ask it at most once per millisecond and otherwise read
// what is queued already (events pushed by tests land there directly).
bool Drain(bool askSystem) {
    if (!sdlInput.started) return false;
    const Uint32 now = SDL_GetTicks();
    if (askSystem || now != sdlInput.lastSystemPump) {
        sdlInput.lastSystemPump = now;
        SDL_PumpEvents();
    }
    bool any = false;
    SDL_Event e;
    while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
        any = true;
        HandleEvent(e);
    }
    return any;
}

} // namespace

namespace media_internal {

// When nothing was waiting, a test's idle hook may feed input, which the same
// query then sees.
void PumpForQuery() {
    if (Drain(false) || !RunIdleHook()) return;
    Drain(false);
}

void StartKeyboard() {
    InitSdl(SDL_INIT_EVENTS);
    // Gamepads are optional: without the subsystem the keyboard still works.
    if (!InitSdl(SDL_INIT_GAMECONTROLLER)) DebugLog("no gamepad support");
    // Only the first mode starts from nothing; a re-opened mode keeps the key state.
    if (!sdlInput.started) {
        SDL_FlushEvents(SDL_KEYDOWN, SDL_TEXTINPUT);
        ClearKeyState();
        sdlInput.started = true;
    }
    SDL_StartTextInput();
}

void PumpEvents() {
    Drain(true);
}

void ResetKeyboardAfterModal() {
    Drain(true);
    ClearKeyState();
}

void ResetKeyboard() {
    ResetKeyState();
    sdlInput.closeRequested = false;
}

} // namespace media_internal

void ClearKeys() {
    bool any = Drain(true);
    media_internal::ClearKeyState();
    // Whatever an idle hook feeds here stays queued for the next query instead
    // of being wiped at once.
    if (!any) media_internal::RunIdleHook();
}

int CloseRequested() {
    media_internal::PumpForQuery();
    bool was = sdlInput.closeRequested;
    sdlInput.closeRequested = false;
    return was ? 1 : 0;
}
