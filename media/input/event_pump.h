// The input module's interface to the rest of the media layer.
#pragma once

namespace media_internal {

// Called by OpenGraphics: keyboard processing on, key state emptied.
void StartKeyboard();
// Called by Flip and by waits on desktop helpers: turns pending window events into
// key state, close requests and focus changes.
void PumpEvents();
// Called after a modal dialog the game waited on: drops keys typed into the dialog,
// keeps a close request.
void ResetKeyboardAfterModal();
// Called by the tests' media reset: no keys, no close request, no idle hook.
void ResetKeyboard();

} // namespace media_internal
