#include "media/system/sdl_context.h"

#include <SDL2/SDL.h>

namespace media_internal {
namespace {
struct SystemState {
    SDL_Window* window = nullptr;
};

SystemState& State() {
    static SystemState state;
    return state;
}
} // namespace

bool InitSdl(unsigned flags) {
    // Without this SDL turns SIGINT and SIGTERM into a close request, which the
    // game only reads during play: Ctrl+C or a session logout would be ignored
    // through the intro and the title screens.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_WasInit(flags) == flags) return true;
    return SDL_InitSubSystem(flags) == 0;
}

SDL_Window* CurrentWindow() {
    return State().window;
}

void SetCurrentWindow(SDL_Window* window) {
    State().window = window;
}

} // namespace media_internal
