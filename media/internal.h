// Seams between the parts of the media layer itself; the game never includes this.
#pragma once

#include <string>

struct SDL_Window;

namespace media_internal {

// Owned by the window code.
SDL_Window* CurrentWindow();      // null when no mode is open
unsigned long CurrentWindowXid(); // X11 window id for dialogs, 0 when not on X11
void RunFrameHook();              // called by Flip before presenting

// Owned by the keyboard code.
void StartKeyboard();           // OpenGraphics: keyboard processing on, state emptied
void PumpEvents();              // processes pending window events into the keyboard state
void ResetKeyboardAfterModal(); // drops keys typed into a dialog the game waited on

// Owned by the sound code.
void StopAudio(); // closes the audio device before the process exits

// Owned by the program-control code: turns a relative path into the asset tree's.
std::string ExecutableDir();
// Starts SDL subsystems (SDL_INIT_* flags) once; false when they cannot start.
bool InitSdl(unsigned flags);

} // namespace media_internal
