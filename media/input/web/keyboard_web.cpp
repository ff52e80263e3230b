// The keyboard state (key_state.cpp) fed by the page's key events. The
// browser delivers them while the game waits in Pause or Flip; queries read
// the state as it stands.
#include <emscripten/html5.h>

#include "media/input/control_chars.h"
#include "media/input/event_pump.h"
#include "media/input/key_state.h"
#include "media/input/web/dom_keys.h"
#include "media/input/web/gamepad_web.h"
#include "media/keyboard.h"

namespace {

using media_internal::kKeyCount;

constexpr int kKeyF11 = 122;
constexpr int kKeyTab = 9;
// Keys go to the canvas only while it has the focus: on a portal's page the
// game never takes the reader's keys until it is clicked or tapped.
constexpr const char* kCanvas = "#canvas";

bool listening = false;

bool IsModeSwitch(int vk, const EmscriptenKeyboardEvent& e) {
    return vk == kKeyF11 || (vk == KEY_ENTER && e.altKey);
}

void Press(int vk, const EmscriptenKeyboardEvent& e) {
    if (int c = media_internal::ControlCharFromVirtualKey(vk)) media_internal::PushChar(c);
    if (!e.ctrlKey && !e.altKey && !e.metaKey)
        if (char32_t c = media_internal::TypedCharFromDom(e.key))
            media_internal::PushChar(static_cast<int>(c));
    if (!e.repeat) media_internal::PressKey(vk);
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
    // Tab is the keyboard user's way out of the game, to the rest of the page.
    if (vk == kKeyTab) return EM_FALSE;
    if (type == EMSCRIPTEN_EVENT_KEYUP) {
        media_internal::ReleaseKey(vk);
        return EM_TRUE;
    }
    if (IsModeSwitch(vk, *e)) {
        // Inside the key's own handler, as the Fullscreen API requires.
        if (!e->repeat) media_internal::ToggleFullScreenAction();
        return EM_TRUE;
    }
    Press(vk, *e);
    return KeepFromBrowser(vk, *e) ? EM_TRUE : EM_FALSE;
}

// A key released while the canvas had no focus would stay "down".
EM_BOOL OnFocus(int, const EmscriptenFocusEvent*, void*) {
    media_internal::ClearKeyState();
    media_internal::MarkPictureLost();
    return EM_FALSE;
}

void Listen() {
    if (listening) return;
    listening = true;
    const char* target = kCanvas;
    emscripten_set_keydown_callback(target, nullptr, EM_TRUE, OnKey);
    emscripten_set_keyup_callback(target, nullptr, EM_TRUE, OnKey);
    emscripten_set_blur_callback(target, nullptr, EM_TRUE, OnFocus);
    emscripten_set_focus_callback(target, nullptr, EM_TRUE, OnFocus);
}

// Keys arrive by themselves while the game yields; gamepads are asked.
void Poll() {
    if (listening) media_internal::PollGamepads(media_internal::Gamepad());
}

} // namespace

namespace media_internal {

// Nothing is ever waiting here (the page delivers keys between queries), so
// a test's idle hook has its turn at every query.
void PumpForQuery() {
    Poll();
    RunIdleHook();
}

void StartKeyboard() {
    // Only the first mode starts from nothing; a re-opened mode keeps the key state.
    if (!listening) ClearKeyState();
    Listen();
}

void PumpEvents() {
    Poll();
}

void ResetKeyboardAfterModal() {
    ClearKeyState();
}

void ResetKeyboard() {
    ResetKeyState();
}

} // namespace media_internal

void ClearKeys() {
    media_internal::ClearKeyState();
}

// A tab cannot be asked to close the game: the player closes the tab.
int CloseRequested() {
    return 0;
}
