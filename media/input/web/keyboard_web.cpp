// Keyboard state fed by the page's key events. The browser delivers them
// while the game waits in Pause or Flip; queries read the state as it stands.
#include <array>
#include <cstdint>
#include <functional>

#include <emscripten/html5.h>

#include "media/input/control_chars.h"
#include "media/input/event_pump.h"
#include "media/input/gamepad.h"
#include "media/input/web/dom_keys.h"
#include "media/input/web/gamepad_web.h"
#include "media/keyboard.h"
#include "media/test_seams.h"

namespace {

constexpr int kKeyCount = 256;
constexpr uint32_t kQueueSize = 256;
constexpr int kKeyF11 = 122;

void PadKey(int vk, bool down);

struct InputState {
    std::array<bool, kKeyCount> down{};
    std::array<int, kKeyCount> hits{};
    std::array<int, kKeyCount> mods{}; // modifiers held at the last press
    std::array<int, kQueueSize> chars{};
    uint32_t readCount = 0;
    uint32_t writeCount = 0;
    bool listening = false;
    media_internal::GamepadKeys gamepad{&PadKey};
    std::function<void()> idleHook;
    bool inIdleHook = false;
    // Set by the graphics module while a canvas context is open.
    void (*toggleFullScreen)() = nullptr;
    void (*repaint)() = nullptr;
    bool pictureLost = false;
};
InputState input;

void ClearKeyState() {
    input.down.fill(false);
    input.hits.fill(0);
    input.mods.fill(0);
    input.readCount = input.writeCount = 0;
}

void PushChar(int c) {
    // Read and write counts are unsigned, so their difference survives wrapping.
    if (input.writeCount - input.readCount >= kQueueSize) return;
    input.chars[input.writeCount % kQueueSize] = c;
    ++input.writeCount;
}

// A gamepad press counts like a key press and types what that key types.
void PadKey(int vk, bool down) {
    if (!down) {
        input.down[vk] = false;
        return;
    }
    if (int c = media_internal::GamepadTypedChar(vk)) PushChar(c);
    if (input.down[vk]) return;
    input.down[vk] = true;
    ++input.hits[vk];
}

// Keys arrive by themselves while the game yields; gamepads are asked.
void Poll() {
    if (input.listening) media_internal::PollGamepads(input.gamepad);
}

bool IsModeSwitch(int vk, const EmscriptenKeyboardEvent& e) {
    return vk == kKeyF11 || (vk == KEY_ENTER && e.altKey);
}

void Press(int vk, const EmscriptenKeyboardEvent& e) {
    if (int c = media_internal::ControlCharFromVirtualKey(vk)) PushChar(c);
    if (!e.ctrlKey && !e.altKey && !e.metaKey)
        if (char32_t c = media_internal::TypedCharFromDom(e.key)) PushChar(static_cast<int>(c));
    if (e.repeat || input.down[vk]) return;
    input.down[vk] = true;
    ++input.hits[vk];
    input.mods[vk] = (input.down[KEY_LSHIFT] || input.down[KEY_RSHIFT] ? MOD_SHIFT : 0) |
                     (input.down[KEY_LCONTROL] || input.down[KEY_RCONTROL] ? MOD_CTRL : 0);
}

// The page keeps the keys the game uses (arrows would scroll it, Backspace
// go back); browser shortcuts with Ctrl or Meta and the other function keys
// (reload, developer tools) stay the browser's.
bool KeepFromBrowser(int vk, const EmscriptenKeyboardEvent& e) {
    if (e.ctrlKey || e.metaKey) return false;
    return vk < KEY_F1 || vk > KEY_F1 + 11 || vk == kKeyF11;
}

EM_BOOL OnKey(int type, const EmscriptenKeyboardEvent* e, void*) {
    const int vk = media_internal::VirtualKeyFromDom(e->key, e->code);
    if (vk <= 0 || vk >= kKeyCount) return EM_FALSE;
    if (type == EMSCRIPTEN_EVENT_KEYUP) {
        input.down[vk] = false;
        return EM_TRUE;
    }
    if (IsModeSwitch(vk, *e)) {
        // Inside the key's own handler, as the Fullscreen API requires.
        if (!e->repeat && input.toggleFullScreen) input.toggleFullScreen();
        return EM_TRUE;
    }
    Press(vk, *e);
    return KeepFromBrowser(vk, *e) ? EM_TRUE : EM_FALSE;
}

// A key released while the page had no focus would stay "down".
EM_BOOL OnFocus(int, const EmscriptenFocusEvent*, void*) {
    ClearKeyState();
    input.pictureLost = true;
    return EM_FALSE;
}

void Listen() {
    if (input.listening) return;
    input.listening = true;
    const char* target = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_keydown_callback(target, nullptr, EM_TRUE, OnKey);
    emscripten_set_keyup_callback(target, nullptr, EM_TRUE, OnKey);
    emscripten_set_blur_callback(target, nullptr, EM_TRUE, OnFocus);
    emscripten_set_focus_callback(target, nullptr, EM_TRUE, OnFocus);
}

// Runs the test's idle hook, never re-entered (the hook may query keys itself).
void RunIdleHook() {
    if (!input.idleHook || input.inIdleHook) return;
    struct Guard {
        Guard() { input.inIdleHook = true; }
        ~Guard() { input.inIdleHook = false; }
    } guard;
    input.idleHook();
}

} // namespace

namespace media_internal {

void StartKeyboard() {
    // Only the first mode starts from nothing; a re-opened mode keeps the key state.
    if (!input.listening) ClearKeyState();
    Listen();
}

void PumpEvents() {
    Poll();
}

void ResetKeyboardAfterModal() {
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
    input.idleHook = nullptr;
}

} // namespace media_internal

int KeyHitCount(int key) {
    Poll();
    if (key <= 0 || key >= kKeyCount) return 0;
    const int n = input.hits[key];
    input.hits[key] = 0;
    return n;
}

int KeyDown(int key) {
    Poll();
    return key > 0 && key < kKeyCount && input.down[key] ? 1 : 0;
}

int KeyHitModifiers(int key) {
    Poll();
    return key > 0 && key < kKeyCount ? input.mods[key] : 0;
}

int NextChar() {
    Poll();
    if (input.readCount == input.writeCount) {
        RunIdleHook();
        if (input.readCount == input.writeCount) return 0;
    }
    const int c = input.chars[input.readCount % kQueueSize];
    ++input.readCount;
    return c;
}

void ClearKeys() {
    ClearKeyState();
}

// A tab cannot be asked to close the game: the player closes the tab.
int CloseRequested() {
    return 0;
}

void SetGamepadStartEscapes(int on) {
    input.gamepad.SetStartEscapes(on != 0);
}

void SetIdleHook(std::function<void()> hook) {
    input.idleHook = std::move(hook);
}
