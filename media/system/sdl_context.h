// What every media module may ask of the system module: SDL start-up, the
// program's own folder, the one game window, and release at program end.
#pragma once

#include <string>

struct SDL_Window;

namespace media_internal {

// Called by each module before it first uses SDL: starts the SDL_INIT_* subsystems
// once; false when they cannot start.
bool InitSdl(unsigned flags);

// Called by the asset tree lookup: the folder of the running executable.
std::string ExecutableDir();

// Set by the graphics module when it opens or closes its window; read by input
// injection and the desktop dialogs. Null while no mode is open.
SDL_Window* CurrentWindow();
void SetCurrentWindow(SDL_Window* window);

// Called by a module when it first takes a device: EndProgram and FatalError call
// every registered release, in registration order, before SDL shuts down.
void AtProgramEnd(void (*release)());
void ReleaseAtProgramEnd();

} // namespace media_internal
