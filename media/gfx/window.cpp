// The window and its OpenGL context, mode switches, presentation with pacing,
// and the frame-level test hooks.
#include <SDL2/SDL.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <strings.h>

#include "media/clock.h"
#include "media/gfx/draw_state.h"
#include "media/gfx/frame_pacing.h"
#include "media/gfx/gl_functions.h"
#include "media/gfx/png_writer.h"
#include "media/gfx/renderer.h"
#include "media/gfx/window_icon.h"
#include "media/graphics.h"
#include "media/input/event_pump.h"
#include "media/program.h"
#include "media/system/sdl_context.h"
#include "media/test_seams.h"

namespace {
struct WindowState {
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    int depth = 0;
    std::string title;
    FramePacer pacer;
    bool hardwareSync = false;
    int swapInterval = -1; // what the context was last told; -1 unknown
    int lastDrawCalls = 0;
    std::function<void()> frameHook;
};
WindowState win;

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
    render::PresentTo(w, h);
    SDL_GL_SwapWindow(win.window);
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
    }
    win.depth = 0;
    win.swapInterval = -1;
}
} // namespace

void SetWindowTitle(const std::string& title) {
    win.title = title;
    if (win.window) SDL_SetWindowTitle(win.window, title.c_str());
}

bool OpenGraphics(int width, int height, int depth, int hertz, int /*flags*/) {
    CloseGraphics();
    if (width <= 0 || height <= 0 || !StartVideo()) return false;

    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);

    const bool fullScreen = depth != 0;
    // Full screen is a desktop-sized window showing the picture scaled up:
    // no mode switch, and the letterboxing happens at presentation.
    const Uint32 windowFlags =
        SDL_WINDOW_OPENGL | (fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : SDL_WINDOW_SHOWN);
    // A full-screen window starts at the desktop's size and corner too: an X
    // server without a window manager never resizes it, and SDL would then
    // present a desktop-sized picture into a 640 x 480 window.
    int x = SDL_WINDOWPOS_CENTERED, y = SDL_WINDOWPOS_CENTERED, w = width, h = height;
    SDL_DisplayMode desktop;
    if (fullScreen && SDL_GetDesktopDisplayMode(0, &desktop) == 0) {
        x = y = 0;
        w = desktop.w;
        h = desktop.h;
    }
    win.window = SDL_CreateWindow(win.title.c_str(), x, y, w, h, windowFlags);
    media_internal::SetCurrentWindow(win.window);
    media_internal::AtProgramEnd(CloseGraphics);
    if (win.window) {
        media_internal::ApplyWindowIcon(win.window);
        win.context = SDL_GL_CreateContext(win.window);
    }
    if (!win.context || SDL_GL_MakeCurrent(win.window, win.context) != 0 || !LoadGlFunctions() ||
        !render::Open(width, height)) {
        DebugLog(std::string("graphics mode failed: ") + SDL_GetError());
        DestroyWindow();
        return false;
    }
    win.depth = depth;

    win.hardwareSync = fullScreen && hertz != 0;
    win.pacer.Start(fullScreen ? 0 : hertz, Millis());
    if (fullScreen) {
        int w = 0, h = 0;
        SDL_GetWindowSize(win.window, &w, &h);
        SDL_WarpMouseInWindow(win.window, w / 2, h / 2);
    }

    // Both buffers start black.
    SetSwapInterval(0);
    for (int i = 0; i < 2; ++i)
        PresentNow();
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
    render::Flush();
    if (win.frameHook) win.frameHook();
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
    render::Flush(); // the hook may have drawn
    win.lastDrawCalls = render::TakeDrawCalls();
    PresentNow();
    media_internal::PumpEvents();
}

void Cls() {
    render::Clear();
}

void SetMouseVisible(int visible) {
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

void SetFrameHook(std::function<void()> hook) {
    win.frameHook = std::move(hook);
}

bool CaptureFrame(const std::string& pngPath) {
    std::vector<uint8_t> rgba;
    int width = 0, height = 0;
    if (!render::ReadTarget(rgba, width, height)) return false;
    return WritePng(pngPath, width, height, 4, rgba.data());
}

unsigned ReadBackPixel(int x, int y) {
    uint8_t p[4] = {0, 0, 0, 255};
    render::ReadTargetPixel(x, y, p);
    return (0xFFu << 24) | (unsigned{p[0]} << 16) | (unsigned{p[1]} << 8) | p[2];
}

int LastFrameDrawCalls() {
    return win.lastDrawCalls;
}
