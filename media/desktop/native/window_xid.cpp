// The X11 id of the game window, for dialogs that attach to it. Kept apart:
// SDL_syswm.h drags in Xlib and its macros.
#include "media/desktop/native/window_xid.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>

#include "media/system/sdl_context.h"

namespace media_internal {
unsigned long CurrentWindowXid() {
    SDL_Window* window = CurrentWindow();
    if (!window) return 0;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info)) return 0;
#if defined(SDL_VIDEO_DRIVER_X11)
    if (info.subsystem == SDL_SYSWM_X11) return static_cast<unsigned long>(info.info.x11.window);
#endif
    return 0;
}
} // namespace media_internal
