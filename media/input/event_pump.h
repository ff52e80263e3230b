// The input module's interface to the rest of the media layer.
#pragma once

union SDL_Event;

namespace media_internal {

// Called by OpenGraphics: keyboard processing on, key state emptied.
void StartKeyboard();
// Called by Flip and by waits on desktop helpers: turns pending window events into
// key state, close requests and focus changes.
void PumpEvents();
// Called after a modal dialog the game waited on: drops keys typed into the dialog,
// keeps a close request.
void ResetKeyboardAfterModal();
// Called by the graphics module when it opens a window: what F11 and Alt+Enter
// do (switch between window and full screen) and what a resized or uncovered
// window needs (its picture shown again). Null while no window is open.
void SetWindowActions(void (*toggleFullScreen)(), void (*repaint)());
// Called by Flip after pumping: true once after the window's picture was lost
// (exposed, resized, shown again), so the next frame is drawn even if unchanged.
bool TakeWindowPictureLost();
// Called by the tests' media reset: no keys, no close request, no idle hook.
void ResetKeyboard();

// Called by the keyboard's event drain for every mouse event: position, buttons, wheel.
void OnMouseEvent(const SDL_Event& e);
// Called by the graphics module when it opens a window (null when it closes
// it): turns a position in window coordinates, as pointer events carry them,
// into a drawing pixel of the picture shown in the window. Asked at each query,
// so a resize between the event and the query is taken into account.
void SetPointerMapping(void (*toPicture)(int& x, int& y));
// Called on focus changes (a button released elsewhere would stay "down") and by
// ResetKeyboard: no button held, no presses or wheel notches counted.
void ClearMouseButtons();

} // namespace media_internal
