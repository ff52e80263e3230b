// The window and its OpenGL context, mode switches, presentation with pacing,
// and the frame-level test hooks.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include <SDL2/SDL.h>
#include <strings.h>

#include "media/clock.h"
#include "media/gfx/draw_state.h"
#include "media/gfx/frame_pacing.h"
#include "media/gfx/gl_functions.h"
#include "media/gfx/native/png_writer.h"
#include "media/gfx/native/window_icon.h"
#include "media/gfx/renderer.h"
#include "media/gfx/window_hooks.h"
#include "media/graphics.h"
#include "media/input/event_pump.h"
#include "media/program.h"
#include "media/system/sdl_context.h"
#include "media/test_seams.h"

using media_internal::FramePacer;
using media_internal::gl;
using media_internal::GlContextDescription;
using media_internal::LoadGlFunctions;
using media_internal::ResetDrawState;

namespace {
struct WindowState {
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    int depth = 0;
    std::string title;
    FramePacer pacer;
    bool hardwareSync = false;
    int swapInterval = -1; // what the context was last told; -1 unknown
    // Set when the mode opened full screen: the window has no window-mode size
    // of its own yet, which the first switch to a window then gives it.
    bool needsWindowSize = false;
    int pictureW = 0, pictureH = 0;
    SDL_Rect windowRect{}; // where the window was before full screen
};
WindowState win;
bool forceGles = false; // test switch

// The contexts asked for, in this order: the desktop one first, so nothing
// changes where it exists; then OpenGL ES 3.0, which small ARM boards and
// GLES-only drivers offer instead.
struct ContextKind {
    const char* name;
    int profile, major, minor;
    bool es;
};
constexpr ContextKind kContextOrder[] = {
    {"OpenGL 3.3 core", SDL_GL_CONTEXT_PROFILE_CORE, 3, 3, false},
    {"OpenGL ES 3.0", SDL_GL_CONTEXT_PROFILE_ES, 3, 0, true},
};

// Without a display SDL quietly falls back to an invisible offscreen window;
// a player would see nothing. Accept such drivers only when asked for by name.
bool VideoDriverUsable() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver) return false;
    if (strcasecmp(driver, "offscreen") != 0 && strcasecmp(driver, "dummy") != 0) return true;
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    return asked && strcasestr(asked, driver) != nullptr;
}

bool StartVideo() {
    if (!media_internal::InitSdl(SDL_INIT_VIDEO)) {
        DebugLog(std::string("video init failed: ") + SDL_GetError());
        return false;
    }
    if (!VideoDriverUsable()) {
        DebugLog("video driver refused: no display");
        return false;
    }
    return true;
}

void SetSwapInterval(int interval) {
    if (win.swapInterval == interval) return;
    SDL_GL_SetSwapInterval(interval); // may be unsupported (no vsync): then frames just run
    win.swapInterval = interval;
}

void PresentNow() {
    int w = 0, h = 0;
    SDL_GL_GetDrawableSize(win.window, &w, &h);
    // An unchanged frame stays on screen as it is: no drawing, no swap.
    if (render::PresentTo(w, h)) SDL_GL_SwapWindow(win.window);
}

// The largest whole multiple of the picture that fits the usable desktop
// (without panels) with its frame, at least 1x, centred there.
SDL_Rect WindowPlacement(int width, int height) {
    SDL_Rect usable{0, 0, width, height};
    if (width <= 0 || height <= 0 || SDL_GetDisplayUsableBounds(0, &usable) != 0 || usable.w <= 0 ||
        usable.h <= 0)
        return {SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height};
    // Room for the window manager's frame and title bar, which the usable
    // area does not subtract: a 3x window on a 1440-line screen would not fit.
    constexpr int kFrameWidth = 16, kFrameHeight = 64;
    const int scale =
        std::max(1, std::min((usable.w - kFrameWidth) / width, (usable.h - kFrameHeight) / height));
    const int w = width * scale, h = height * scale;
    return {usable.x + std::max(0, (usable.w - w) / 2), usable.y + std::max(0, (usable.h - h) / 2),
            w, h};
}

// The pointer's position in window coordinates turned into a drawing pixel:
// through the drawable's own pixels (more of them on a high-density screen),
// then out of the picture's place in the window, as presentation puts it.
void WindowToPicture(int& x, int& y) {
    if (!win.window) return;
    int windowW = 0, windowH = 0, drawableW = 0, drawableH = 0;
    SDL_GetWindowSize(win.window, &windowW, &windowH);
    SDL_GL_GetDrawableSize(win.window, &drawableW, &drawableH);
    const render::ScreenRect fit =
        render::FitPicture(win.pictureW, win.pictureH, drawableW, drawableH);
    if (windowW <= 0 || windowH <= 0 || fit.w <= 0 || fit.h <= 0) return;
    // The middle of the window pixel decides, so a whole scale never rounds
    // across a drawing pixel's edge.
    const double px = (x + 0.5) * drawableW / windowW, py = (y + 0.5) * drawableH / windowH;
    x = static_cast<int>(std::floor((px - fit.x) * win.pictureW / fit.w));
    y = static_cast<int>(std::floor((py - fit.y) * win.pictureH / fit.h));
}

void DestroyWindow() {
    if (win.context) {
        render::Close();
        SDL_GL_DeleteContext(win.context);
        win.context = nullptr;
    }
    if (win.window) {
        SDL_DestroyWindow(win.window);
        win.window = nullptr;
        media_internal::SetCurrentWindow(nullptr);
        media_internal::SetWindowActions(nullptr, nullptr);
        media_internal::SetPointerMapping(nullptr);
    }
    win.depth = 0;
    win.swapInterval = -1;
}

// One attempt: a fresh window for each kind, since the window's pixel format
// and (under X11) the choice between GLX and EGL follow the attributes it was
// made with. Leaves the window and a working renderer, or nothing.
bool OpenContext(const ContextKind& kind, int x, int y, int w, int h, Uint32 windowFlags, int width,
                 int height) {
    SDL_ClearError();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, kind.major);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, kind.minor);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, kind.profile);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    win.window = SDL_CreateWindow(win.title.c_str(), x, y, w, h, windowFlags);
    media_internal::SetCurrentWindow(win.window);
    if (win.window) {
        media_internal::ApplyWindowIcon(win.window);
        win.context = SDL_GL_CreateContext(win.window);
    }
    if (!win.context || SDL_GL_MakeCurrent(win.window, win.context) != 0 ||
        !LoadGlFunctions(kind.es)) {
        DebugLog(std::string("graphics: ") + kind.name + " not available: " + SDL_GetError());
        DestroyWindow();
        return false;
    }
    const std::string description = GlContextDescription();
    if (!render::Open(width, height)) {
        DebugLog(std::string("graphics: ") + kind.name + " renderer failed on " + description);
        DestroyWindow();
        return false;
    }
    DebugLog(std::string("graphics: ") + kind.name + " context: " + description);
    return true;
}

void RepaintWindow();

void ToggleFullScreen() {
    if (!win.window) return;
    const bool toFullScreen = win.depth == 0;
    // A window manager that frames the window also sizes and restores it for
    // full screen. Without one (no frame) the window does that itself.
    int top = 0, left = 0, bottom = 0, right = 0;
    SDL_GetWindowBordersSize(win.window, &top, &left, &bottom, &right);
    const bool managed = top + left + bottom + right > 0;
    SDL_Rect screen;
    if (toFullScreen && !managed) {
        SDL_GetWindowPosition(win.window, &win.windowRect.x, &win.windowRect.y);
        SDL_GetWindowSize(win.window, &win.windowRect.w, &win.windowRect.h);
        if (SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(win.window)), &screen) ==
            0) {
            SDL_SetWindowPosition(win.window, screen.x, screen.y);
            SDL_SetWindowSize(win.window, screen.w, screen.h);
        }
    }
    // The same window and context: textures and the drawing state stay.
    if (SDL_SetWindowFullscreen(win.window, toFullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) !=
        0) {
        DebugLog(std::string("full-screen switch failed: ") + SDL_GetError());
        if (toFullScreen && !managed) {
            SDL_SetWindowSize(win.window, win.windowRect.w, win.windowRect.h);
            SDL_SetWindowPosition(win.window, win.windowRect.x, win.windowRect.y);
        }
        return;
    }
    win.depth = toFullScreen ? 32 : 0;
    if (!toFullScreen) {
        // A window opened full screen never had a size of its own: it gets one.
        if (win.needsWindowSize) win.windowRect = WindowPlacement(win.pictureW, win.pictureH);
        if (win.needsWindowSize || !managed)
            SDL_SetWindowSize(win.window, win.windowRect.w, win.windowRect.h);
        win.needsWindowSize = false;
        if (!managed) SDL_SetWindowPosition(win.window, win.windowRect.x, win.windowRect.y);
    }
    RepaintWindow();
}

void RepaintWindow() {
    // Screens that wait without redrawing (death screens, a dialog) still
    // show their picture after a resize; a frame still being drawn is left to
    // its own Flip.
    if (!win.window || !render::IsOpen() || render::ChangedSincePresent()) return;
    render::Invalidate(); // same size after an expose: still drawn and swapped
    PresentNow();
}
} // namespace

void SetWindowTitle(const std::string& title) {
    win.title = title;
    if (win.window) SDL_SetWindowTitle(win.window, title.c_str());
}

bool OpenGraphics(int width, int height, int depth, int hertz, int /*flags*/) {
    CloseGraphics();
    if (width <= 0 || height <= 0 || !StartVideo()) return false;
    if (media_internal::ModeRefused(depth)) return false;

    const bool fullScreen = depth != 0;
    // Full screen is a desktop-sized window showing the picture scaled up:
    // no mode switch, and the letterboxing happens at presentation.
    const Uint32 windowFlags = SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI |
                               (fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : SDL_WINDOW_SHOWN);
    // A full-screen window starts at the desktop's size and corner too: an X
    // server without a window manager never resizes it, and SDL would then
    // present a desktop-sized picture into a 640 x 480 window.
    SDL_Rect place = WindowPlacement(width, height);
    SDL_DisplayMode desktop;
    if (fullScreen && SDL_GetDesktopDisplayMode(0, &desktop) == 0)
        place = {0, 0, desktop.w, desktop.h};
    win.needsWindowSize = fullScreen;
    media_internal::AtProgramEnd(CloseGraphics);
    bool opened = false;
    for (const ContextKind& kind : kContextOrder) {
        if (forceGles && !kind.es) {
            DebugLog(std::string("graphics: ") + kind.name + " skipped (test switch)");
            continue;
        }
        opened = OpenContext(kind, place.x, place.y, place.w, place.h, windowFlags, width, height);
        if (opened) break;
    }
    if (!opened) {
        DebugLog("graphics: no context, mode not opened");
        return false;
    }
    SDL_SetWindowMinimumSize(win.window, width / 2, height / 2);
    win.depth = depth;
    win.pictureW = width;
    win.pictureH = height;
    media_internal::SetWindowActions(ToggleFullScreen, RepaintWindow);
    media_internal::SetPointerMapping(WindowToPicture);

    win.hardwareSync = fullScreen && hertz != 0;
    win.pacer.Start(fullScreen ? 0 : hertz, Millis());
    if (fullScreen) {
        int shownW = 0, shownH = 0;
        SDL_GetWindowSize(win.window, &shownW, &shownH);
        SDL_WarpMouseInWindow(win.window, shownW / 2, shownH / 2);
    }

    // Both buffers start black. Cleared frames go straight into an unscaled
    // window: no offscreen target and no blit, whose shader the software
    // rasteriser would otherwise compile before the first picture.
    SetSwapInterval(0);
    for (int i = 0; i < 2; ++i) {
        render::Clear();
        PresentNow();
    }
    render::TakeDrawCalls();
    ResetDrawState();
    media_internal::StartKeyboard();
    return true;
}

void CloseGraphics() {
    DestroyWindow();
}

int CurrentDepth() {
    return win.window ? win.depth : 0;
}

void Flip(int sync) {
    media_internal::RunFrameHook();
    if (!win.window) return;
    if (sync == -1) {
        if (win.pacer.Active()) {
            SetSwapInterval(0);
            Pause(win.pacer.NextDelay(Millis()));
        } else {
            SetSwapInterval(win.hardwareSync ? 1 : 0);
        }
    } else {
        SetSwapInterval(sync != 0 ? 1 : 0);
    }
    PresentNow();
    media_internal::CountFrameDrawCalls();
    media_internal::PumpEvents();
    // The window's picture may be gone (exposed, resized): draw the next frame even if unchanged.
    if (media_internal::TakeWindowPictureLost()) render::Invalidate();
}

void WindowPixelSize(int& width, int& height) {
    width = height = 0;
    if (win.window) SDL_GL_GetDrawableSize(win.window, &width, &height);
}

void SetPictureSize(int width, int height) {
    if (!win.window || (width == win.pictureW && height == win.pictureH)) return;
    if (!render::Resize(width, height)) return;
    win.pictureW = width;
    win.pictureH = height;
}

void SetWindowMinimumSize(int width, int height) {
    if (win.window && width > 0 && height > 0) SDL_SetWindowMinimumSize(win.window, width, height);
}

void SetMouseVisible(int visible) {
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

void ForceGlesContext(bool on) {
    forceGles = on;
}

bool GlesContextInUse() {
    return win.window && gl.es;
}

void ResizeWindow(int width, int height) {
    if (win.window) SDL_SetWindowSize(win.window, width, height);
}

bool CaptureFrame(const std::string& pngPath) {
    std::vector<uint8_t> rgba;
    int width = 0, height = 0;
    if (!render::ReadTarget(rgba, width, height)) return false;
    return media_internal::WritePng(pngPath, width, height, 4, rgba.data());
}
