// How the desktop names and shows the program: the application name, the
// window class a desktop entry matches, and the window icon.
#include <cstdlib>

#include <SDL2/SDL.h>

#include "media/files.h"
#include "media/gfx/image_data.h"
#include "media/gfx/native/window_icon.h"
#include "media/gfx/png_decoder.h"
#include "media/graphics.h"

namespace {
PixmapPtr windowIcon;
} // namespace

void SetApplicationIdentity(const std::string& name, const std::string& appId) {
    SDL_SetHint(SDL_HINT_APP_NAME, name.c_str());
    // SDL 2.26 takes the window class (X11) and the app id (Wayland) only from
    // these variables, read when video starts. Set unconditionally: one meant
    // for another program must not break the match with the desktop entry.
    setenv("SDL_VIDEO_X11_WMCLASS", appId.c_str(), 1);
    setenv("SDL_VIDEO_WAYLAND_WMCLASS", appId.c_str(), 1);
}

void SetWindowIcon(const std::string& path) {
    const std::string real = ResolvePath(path);
    windowIcon = real.empty() ? nullptr : media_internal::DecodePngFile(real);
    if (windowIcon && windowIcon->format != PF_RGBA8888 && windowIcon->format != PF_RGB888)
        windowIcon = nullptr;
}

namespace media_internal {

void ApplyWindowIcon(SDL_Window* window) {
    if (!windowIcon || !window) return;
    const bool alpha = windowIcon->format == PF_RGBA8888;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        windowIcon->pixels.data(), windowIcon->width, windowIcon->height, alpha ? 32 : 24,
        windowIcon->pitch, alpha ? SDL_PIXELFORMAT_RGBA32 : SDL_PIXELFORMAT_RGB24);
    if (!surface) return;
    SDL_SetWindowIcon(window, surface);
    SDL_FreeSurface(surface);
}

} // namespace media_internal
