// The keyboard state and the game's key queries, the same on every backend.
#include "media/input/key_state.h"

#include <array>
#include <cstdint>
#include <functional>

#include "media/input/event_pump.h"
#include "media/keyboard.h"
#include "media/test_seams.h"

namespace {

constexpr uint32_t kQueueSize = 256;

void PadKey(int vk, bool down);

struct InputState {
    std::array<bool, media_internal::kKeyCount> down{};
    std::array<int, media_internal::kKeyCount> hits{};
    std::array<int, media_internal::kKeyCount> mods{}; // modifiers held at the last press
    std::array<int, kQueueSize> chars{};
    uint32_t readCount = 0;
    uint32_t writeCount = 0;
    media_internal::GamepadKeys gamepad{&PadKey};
    std::function<void()> idleHook;
    bool inIdleHook = false;
    // Set by the graphics module while a window or canvas is open.
    void (*toggleFullScreen)() = nullptr;
    void (*repaint)() = nullptr;
    bool pictureLost = false;
    // Replays: answers from a file, and a record of every answer.
    int (*keySource)(int key) = nullptr;
    void (*keyWatcher)(int key, int count) = nullptr;
};
InputState input;

bool ValidKey(int vk) {
    return vk > 0 && vk < media_internal::kKeyCount;
}

// A gamepad press counts like a key press and types what that key types.
void PadKey(int vk, bool down) {
    if (!down) {
        media_internal::ReleaseKey(vk);
        return;
    }
    if (int c = media_internal::GamepadTypedChar(vk)) media_internal::PushChar(c);
    media_internal::PressKey(vk);
}

} // namespace

namespace media_internal {

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

void PressKey(int vk) {
    if (!ValidKey(vk) || input.down[vk]) return;
    input.down[vk] = true;
    ++input.hits[vk];
    // From the keyboard state in event order, so a quick chord whose keys are
    // all up again by the next query still counts as one.
    input.mods[vk] = (input.down[KEY_LSHIFT] || input.down[KEY_RSHIFT] ? MOD_SHIFT : 0) |
                     (input.down[KEY_LCONTROL] || input.down[KEY_RCONTROL] ? MOD_CTRL : 0);
}

void ReleaseKey(int vk) {
    if (ValidKey(vk)) input.down[vk] = false;
}

bool KeyHeld(int vk) {
    return ValidKey(vk) && input.down[vk];
}

GamepadKeys& Gamepad() {
    return input.gamepad;
}

// The guard also holds when a hook throws.
bool RunIdleHook() {
    if (!input.idleHook || input.inIdleHook) return false;
    struct Guard {
        Guard() { input.inIdleHook = true; }
        ~Guard() { input.inIdleHook = false; }
    } guard;
    input.idleHook();
    return true;
}

void ToggleFullScreenAction() {
    if (input.toggleFullScreen) input.toggleFullScreen();
}

void RepaintAction() {
    if (input.repaint) input.repaint();
}

void MarkPictureLost() {
    input.pictureLost = true;
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

void ResetKeyState() {
    input.gamepad.Reset();
    input.gamepad.SetStartEscapes(false);
    ClearKeyState();
    ClearMouseButtons();
    input.idleHook = nullptr;
    input.keySource = nullptr;
    input.keyWatcher = nullptr;
}

} // namespace media_internal

int KeyHitCount(int key) {
    if (input.keySource) return input.keySource(key);
    media_internal::PumpForQuery();
    int n = 0;
    if (ValidKey(key)) {
        n = input.hits[key];
        input.hits[key] = 0;
    }
    if (input.keyWatcher) input.keyWatcher(key, n);
    return n;
}

void SetKeySource(int (*source)(int key)) {
    input.keySource = source;
}

void SetKeyWatcher(void (*watcher)(int key, int count)) {
    input.keyWatcher = watcher;
}

int KeyDown(int key) {
    media_internal::PumpForQuery();
    return media_internal::KeyHeld(key) ? 1 : 0;
}

int KeyHitModifiers(int key) {
    media_internal::PumpForQuery();
    return ValidKey(key) ? input.mods[key] : 0;
}

int NextChar() {
    media_internal::PumpForQuery();
    if (input.readCount == input.writeCount) return 0;
    const int c = input.chars[input.readCount % kQueueSize];
    ++input.readCount;
    return c;
}

void SetGamepadStartEscapes(int on) {
    input.gamepad.SetStartEscapes(on != 0);
}

void SetIdleHook(std::function<void()> hook) {
    input.idleHook = std::move(hook);
}
