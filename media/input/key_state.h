// The keyboard state both backends feed: keys held and pressed, the typed
// characters' queue, the gamepad turned into keys, the test's idle hook and
// the window's actions. key_state.cpp answers the game's key queries from it;
// each backend only turns its events (SDL's or the page's) into these calls.
#pragma once

#include "media/input/gamepad.h"

namespace media_internal {

// Virtual keys are 1 to kKeyCount - 1; others are ignored.
constexpr int kKeyCount = 256;

// The backend's, called by every key query first: takes in what is pending
// and, when nothing was, gives a test's idle hook its turn.
void PumpForQuery();

// No key held or counted, no character queued.
void ClearKeyState();
// Queues a typed character; one too many for the queue is dropped.
void PushChar(int c);
// A key went down: counted once, with the modifiers held at that moment,
// unless it was down already (an auto-repeat).
void PressKey(int vk);
void ReleaseKey(int vk);
bool KeyHeld(int vk);
// The gamepads' presses and releases, as keys.
GamepadKeys& Gamepad();
// Runs the test's idle hook, never re-entered (the hook may query keys
// itself); false when there is none to run.
bool RunIdleHook();
// The window's actions the graphics module set (see event_pump.h), or nothing.
void ToggleFullScreenAction();
void RepaintAction();
// The window's picture was lost (exposed, resized, refocused).
void MarkPictureLost();
// What ResetKeyboard empties on every backend.
void ResetKeyState();

} // namespace media_internal
