// Keyboard state fed by SDL events. Every query first drains the event queue,
// so the game needs no pump of its own; the state changes only inside queries.
#include "media/keyboard.h"

#include <array>
#include <cstdint>
#include <functional>

#include <SDL2/SDL.h>

#include "media/input/event_pump.h"
#include "media/input/gamepad.h"
#include "media/input/key_mapping.h"
#include "media/program.h"
#include "media/system/sdl_context.h"
#include "media/system/utf8_codec.h"
#include "media/test_seams.h"

namespace {

constexpr int kKeyCount = 256;
constexpr uint32_t kQueueSize = 256;

struct KeyboardState {
    std::array<bool, kKeyCount> down{};
    std::array<int, kKeyCount> hits{};
    std::array<int, kKeyCount> mods{}; // modifiers held at the last press
    std::array<int, kQueueSize> chars{};
    uint32_t readCount = 0;
    uint32_t writeCount = 0;
    bool closeRequested = false;
    bool started = false;
    Uint32 lastSystemPump = 0;
};

void PadKey(int vk, bool down);

struct InputState {
    KeyboardState keys;
    std::array<SDL_GameController*, 4> pads{};
    media_internal::GamepadKeys gamepad{&PadKey};
    std::function<void()> idleHook;
    bool inIdleHook = false;
    // Set by the graphics module while a window is open.
    void (*toggleFullScreen)() = nullptr;
    void (*repaint)() = nullptr;
    bool pictureLost = false;
};
InputState input;

void ClearKeyState() {
    input.keys.down.fill(false);
    input.keys.hits.fill(0);
    input.keys.mods.fill(0);
    input.keys.readCount = input.keys.writeCount = 0;
}

void PushChar(int c) {
    // Read and write counts are unsigned, so their difference survives wrapping.
    if (input.keys.writeCount - input.keys.readCount >= kQueueSize) return;
    input.keys.chars[input.keys.writeCount % kQueueSize] = c;
    ++input.keys.writeCount;
}

// A gamepad press counts like a key press and types what that key types.
void PadKey(int vk, bool down) {
    if (!down) {
        input.keys.down[vk] = false;
        return;
    }
    if (int c = media_internal::GamepadTypedChar(vk)) PushChar(c);
    if (input.keys.down[vk]) return;
    input.keys.down[vk] = true;
    ++input.keys.hits[vk];
}

// SDL's button and axis numbers go to the gamepad keys as they are.
constexpr bool SameNumber(int ours, int sdls) {
    return ours == sdls;
}
static_assert(SameNumber(media_internal::PadA, SDL_CONTROLLER_BUTTON_A) &&
              SameNumber(media_internal::PadStart, SDL_CONTROLLER_BUTTON_START) &&
              SameNumber(media_internal::PadRight, SDL_CONTROLLER_BUTTON_DPAD_RIGHT) &&
              SameNumber(media_internal::PadLeftY, SDL_CONTROLLER_AXIS_LEFTY));

void OpenPad(int deviceIndex) {
    for (SDL_GameController*& pad : input.pads)
        if (!pad) {
            pad = SDL_GameControllerOpen(deviceIndex);
            if (!pad) DebugLog(std::string("gamepad not opened: ") + SDL_GetError());
            return;
        }
}

void ClosePad(SDL_JoystickID id) {
    for (SDL_GameController*& pad : input.pads)
        if (pad && SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad)) == id) {
            SDL_GameControllerClose(pad);
            pad = nullptr;
        }
    input.gamepad.Reset();
}

void OnKeyDown(const SDL_KeyboardEvent& key) {
    // The window's own keys never reach the game, held or not.
    if (media_internal::IsModeSwitchKey(key.keysym.sym, key.keysym.mod)) {
        if (!key.repeat && input.toggleFullScreen) input.toggleFullScreen();
        return;
    }
    int vk = media_internal::VirtualKeyFromSdl(key.keysym.sym, key.keysym.scancode);
    if (vk <= 0 || vk >= kKeyCount) return;
    // Control characters repeat with the key, like typed text does.
    if (int c = media_internal::ControlCharFromVirtualKey(vk)) PushChar(c);
    if (key.repeat || input.keys.down[vk]) return;
    input.keys.down[vk] = true;
    ++input.keys.hits[vk];
    // From the keyboard state in event order, so a quick chord whose keys are
    // all up again by the next query still counts as one.
    input.keys.mods[vk] =
        (input.keys.down[KEY_LSHIFT] || input.keys.down[KEY_RSHIFT] ? MOD_SHIFT : 0) |
        (input.keys.down[KEY_LCONTROL] || input.keys.down[KEY_RCONTROL] ? MOD_CTRL : 0);
}

void OnKeyUp(const SDL_KeyboardEvent& key) {
    int vk = media_internal::VirtualKeyFromSdl(key.keysym.sym, key.keysym.scancode);
    if (vk > 0 && vk < kKeyCount) input.keys.down[vk] = false;
}

void OnText(const char* text) {
    for (char32_t c : media_internal::DecodeUtf8(text)) {
        // Control characters come from key-downs; text input never carries them.
        if (c >= 32 && c != 127) PushChar(static_cast<int>(c));
    }
}

void HandleEvent(const SDL_Event& e) {
    switch (e.type) {
    case SDL_QUIT:
        input.keys.closeRequested = true;
        break;
    case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_CLOSE) input.keys.closeRequested = true;
        // The window's picture may be gone: the next frame is drawn even if unchanged.
        if (e.window.event == SDL_WINDOWEVENT_EXPOSED ||
            e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
            e.window.event == SDL_WINDOWEVENT_SHOWN || e.window.event == SDL_WINDOWEVENT_RESTORED)
            input.pictureLost = true;
        // A key released while another window had focus would stay "down".
        if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST ||
            e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
            ClearKeyState();
            media_internal::ClearMouseButtons();
        }
        if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
            e.window.event == SDL_WINDOWEVENT_EXPOSED)
            if (input.repaint) input.repaint();
        break;
    case SDL_CONTROLLERDEVICEADDED:
        OpenPad(e.cdevice.which);
        break;
    case SDL_CONTROLLERDEVICEREMOVED:
        ClosePad(e.cdevice.which);
        break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        input.gamepad.Button(e.cbutton.button, e.type == SDL_CONTROLLERBUTTONDOWN);
        break;
    case SDL_CONTROLLERAXISMOTION:
        input.gamepad.Axis(e.caxis.axis, e.caxis.value);
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
    if (!input.keys.started) return false;
    const Uint32 now = SDL_GetTicks();
    if (askSystem || now != input.keys.lastSystemPump) {
        input.keys.lastSystemPump = now;
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

// Runs the test's idle hook, never re-entered (the hook may query keys itself);
// the guard also holds when a hook throws.
void RunIdleHook() {
    if (!input.idleHook || input.inIdleHook) return;
    struct Guard {
        Guard() { input.inIdleHook = true; }
        ~Guard() { input.inIdleHook = false; }
    } guard;
    input.idleHook();
}

// Pump for a query: when nothing was waiting, a test's idle hook may feed input,
// which the same query then sees.
void PumpForQuery() {
    if (Drain(false) || !input.idleHook || input.inIdleHook) return;
    RunIdleHook();
    Drain(false);
}

} // namespace

namespace media_internal {

void StartKeyboard() {
    InitSdl(SDL_INIT_EVENTS);
    // Gamepads are optional: without the subsystem the keyboard still works.
    if (!InitSdl(SDL_INIT_GAMECONTROLLER)) DebugLog("no gamepad support");
    // Only the first mode starts from nothing; a re-opened mode keeps the key state.
    if (!input.keys.started) {
        SDL_FlushEvents(SDL_KEYDOWN, SDL_TEXTINPUT);
        ClearKeyState();
        input.keys.started = true;
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

void SetWindowActions(void (*toggleFullScreen)(), void (*repaint)()) {
    input.toggleFullScreen = toggleFullScreen;
    input.repaint = repaint;
}

bool TakeWindowPictureLost() {
    const bool lost = input.pictureLost;
    input.pictureLost = false;
    return lost;
}

void ResetKeyboard() {
    input.gamepad.Reset();
    input.gamepad.SetStartEscapes(false);
    ClearKeyState();
    ClearMouseButtons();
    input.keys.closeRequested = false;
    input.idleHook = nullptr;
}

} // namespace media_internal

int KeyHitCount(int key) {
    PumpForQuery();
    if (key <= 0 || key >= kKeyCount) return 0;
    int n = input.keys.hits[key];
    input.keys.hits[key] = 0;
    return n;
}

int KeyDown(int key) {
    PumpForQuery();
    return key > 0 && key < kKeyCount && input.keys.down[key] ? 1 : 0;
}

int KeyHitModifiers(int key) {
    PumpForQuery();
    return key > 0 && key < kKeyCount ? input.keys.mods[key] : 0;
}

int NextChar() {
    PumpForQuery();
    if (input.keys.readCount == input.keys.writeCount) return 0;
    int c = input.keys.chars[input.keys.readCount % kQueueSize];
    ++input.keys.readCount;
    return c;
}

void ClearKeys() {
    bool any = Drain(true);
    ClearKeyState();
    // Whatever an idle hook feeds here stays queued for the next query instead
    // of being wiped at once.
    if (!any) RunIdleHook();
}

int CloseRequested() {
    PumpForQuery();
    bool was = input.keys.closeRequested;
    input.keys.closeRequested = false;
    return was ? 1 : 0;
}

void SetGamepadStartEscapes(int on) {
    input.gamepad.SetStartEscapes(on != 0);
}

void SetIdleHook(std::function<void()> hook) {
    input.idleHook = std::move(hook);
}
