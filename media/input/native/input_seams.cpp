// Test input through the real SDL event queue, so injected keys take the same
// path as a player's.
#include <cstring>

#include <SDL2/SDL.h>

#include "media/input/native/key_mapping.h"
#include "media/system/sdl_context.h"
#include "media/system/utf8_codec.h"
#include "media/test_seams.h"

namespace {

void EnsureEvents() {
    media_internal::InitSdl(SDL_INIT_EVENTS);
}

Uint32 WindowId() {
    SDL_Window* w = media_internal::CurrentWindow();
    return w ? SDL_GetWindowID(w) : 0;
}

// An event of the type with every other byte zero, as SDL's own are.
SDL_Event BlankEvent(Uint32 type) {
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = type;
    return e;
}

// Modifiers held by injected presses, reported with later keys as SDL does.
Uint16 injectedMods = 0;

Uint16 ModifierOf(int vk) {
    switch (vk) {
    case 160:
        return KMOD_LSHIFT;
    case 161:
        return KMOD_RSHIFT;
    case 162:
        return KMOD_LCTRL;
    case 163:
        return KMOD_RCTRL;
    case 164:
        return KMOD_LALT;
    case 165:
        return KMOD_RALT;
    default:
        return 0;
    }
}

void PushKey(Uint32 type, int vk) {
    EnsureEvents();
    if (type == SDL_KEYDOWN)
        injectedMods |= ModifierOf(vk);
    else
        injectedMods &= static_cast<Uint16>(~ModifierOf(vk));
    SDL_Event e = BlankEvent(type);
    e.key.windowID = WindowId();
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.key.repeat = 0;
    e.key.keysym.scancode = media_internal::ScancodeFromVirtualKey(vk);
    e.key.keysym.sym = media_internal::KeycodeFromVirtualKey(vk);
    e.key.keysym.mod = injectedMods;
    SDL_PushEvent(&e);
}

void PushTextChunk(const std::string& chunk) {
    SDL_Event e = BlankEvent(SDL_TEXTINPUT);
    e.text.windowID = WindowId();
    std::memcpy(e.text.text, chunk.data(), chunk.size());
    SDL_PushEvent(&e);
}

} // namespace

void InjectKeyDown(int key) {
    PushKey(SDL_KEYDOWN, key);
}
void InjectKeyUp(int key) {
    PushKey(SDL_KEYUP, key);
}

void InjectKeyPress(int key) {
    InjectKeyDown(key);
    InjectKeyUp(key);
}

void InjectText(const std::string& utf8) {
    EnsureEvents();
    // One character per event, as a keyboard delivers them; also keeps every
    // event within SDL's fixed text buffer.
    for (char32_t c : media_internal::DecodeUtf8(utf8)) {
        std::string one;
        media_internal::AppendUtf8(one, c);
        PushTextChunk(one);
    }
}

void InjectCloseRequest() {
    EnsureEvents();
    SDL_Event e = BlankEvent(SDL_QUIT);
    SDL_PushEvent(&e);
}

namespace {
// Where the last injected move left the pointer: button events carry it.
struct InjectedPointer {
    int x = 0, y = 0;
};
InjectedPointer pointer;
} // namespace

void InjectMouseMove(int x, int y) {
    EnsureEvents();
    pointer.x = x;
    pointer.y = y;
    SDL_Event e = BlankEvent(SDL_MOUSEMOTION);
    e.motion.windowID = WindowId();
    e.motion.x = x;
    e.motion.y = y;
    SDL_PushEvent(&e);
}

void InjectMouseButton(int button, bool down) {
    EnsureEvents();
    SDL_Event e = BlankEvent(down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP);
    e.button.windowID = WindowId();
    e.button.button = static_cast<Uint8>(button);
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    e.button.x = pointer.x;
    e.button.y = pointer.y;
    SDL_PushEvent(&e);
}

void InjectMouseWheel(int notches) {
    EnsureEvents();
    SDL_Event e = BlankEvent(SDL_MOUSEWHEEL);
    e.wheel.windowID = WindowId();
    e.wheel.y = notches;
    e.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    SDL_PushEvent(&e);
}

void InjectFocusChange(bool gained) {
    EnsureEvents();
    SDL_Event e = BlankEvent(SDL_WINDOWEVENT);
    e.window.windowID = WindowId();
    e.window.event = gained ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST;
    SDL_PushEvent(&e);
}

static_assert(PAD_A == SDL_CONTROLLER_BUTTON_A && PAD_B == SDL_CONTROLLER_BUTTON_B &&
              PAD_X == SDL_CONTROLLER_BUTTON_X && PAD_Y == SDL_CONTROLLER_BUTTON_Y &&
              PAD_BACK == SDL_CONTROLLER_BUTTON_BACK && PAD_START == SDL_CONTROLLER_BUTTON_START &&
              PAD_UP == SDL_CONTROLLER_BUTTON_DPAD_UP &&
              PAD_DOWN == SDL_CONTROLLER_BUTTON_DPAD_DOWN &&
              PAD_LEFT == SDL_CONTROLLER_BUTTON_DPAD_LEFT &&
              PAD_RIGHT == SDL_CONTROLLER_BUTTON_DPAD_RIGHT &&
              PAD_STICK_X == SDL_CONTROLLER_AXIS_LEFTX && PAD_STICK_Y == SDL_CONTROLLER_AXIS_LEFTY);

void InjectPadButton(int button, bool down) {
    EnsureEvents();
    SDL_Event e = BlankEvent(down ? SDL_CONTROLLERBUTTONDOWN : SDL_CONTROLLERBUTTONUP);
    e.cbutton.button = static_cast<Uint8>(button);
    e.cbutton.state = down ? SDL_PRESSED : SDL_RELEASED;
    SDL_PushEvent(&e);
}

void InjectPadAxis(int axis, int value) {
    EnsureEvents();
    SDL_Event e = BlankEvent(SDL_CONTROLLERAXISMOTION);
    e.caxis.axis = static_cast<Uint8>(axis);
    e.caxis.value = static_cast<Sint16>(value);
    SDL_PushEvent(&e);
}
