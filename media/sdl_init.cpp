#include <SDL.h>

#include "media/internal.h"

namespace media_internal {

bool InitSdl(unsigned flags) {
    // Without this SDL turns SIGINT and SIGTERM into a close request, which the
    // game only reads during play: Ctrl+C or a session logout would be ignored
    // through the intro and the title screens.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_WasInit(flags) == flags) return true;
    return SDL_InitSubSystem(flags) == 0;
}

} // namespace media_internal
