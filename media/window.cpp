// The window and its OpenGL context, mode switches, presentation with pacing,
// and the frame-level test hooks.
#include <SDL2/SDL.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <strings.h>

#include "media/clock.h"
#include "media/draw_state.h"
#include "media/frame_pacing.h"
#include "media/gl_functions.h"
#include "media/graphics.h"
#include "media/internal.h"
#include "media/png_writer.h"
#include "media/program.h"
#include "media/renderer.h"
#include "media/test_seams.h"

namespace {
SDL_Window* g_window = nullptr;
SDL_GLContext g_context = nullptr;
int g_depth = 0;
std::string g_title;
FramePacer g_pacer;
bool g_hardwareSync = false;
int g_swapInterval = -1; // what the context was last told; -1 unknown
int g_lastDrawCalls = 0;
std::function<void()> g_frameHook;

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
    if (g_swapInterval == interval) return;
    SDL_GL_SetSwapInterval(interval); // may be unsupported (no vsync): then frames just run
    g_swapInterval = interval;
}

void PresentNow() {
    int w = 0, h = 0;
    SDL_GL_GetDrawableSize(g_window, &w, &h);
    render::PresentTo(w, h);
    SDL_GL_SwapWindow(g_window);
}

void DestroyWindow() {
    if (g_context) {
        render::Close();
        SDL_GL_DeleteContext(g_context);
        g_context = nullptr;
    }
    if (g_window) {
        SDL_DestroyWindow(g_window);
        g_window = nullptr;
    }
    g_depth = 0;
    g_swapInterval = -1;
}
} // namespace

void SetWindowTitle(const std::string& title) {
    g_title = title;
    if (g_window) SDL_SetWindowTitle(g_window, title.c_str());
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
    g_window = SDL_CreateWindow(g_title.c_str(), x, y, w, h, windowFlags);
    if (g_window) g_context = SDL_GL_CreateContext(g_window);
    if (!g_context || SDL_GL_MakeCurrent(g_window, g_context) != 0 || !LoadGlFunctions() ||
        !render::Open(width, height)) {
        DebugLog(std::string("graphics mode failed: ") + SDL_GetError());
        DestroyWindow();
        return false;
    }
    g_depth = depth;

    g_hardwareSync = fullScreen && hertz != 0;
    g_pacer.Start(fullScreen ? 0 : hertz, Millis());
    if (fullScreen) {
        int w = 0, h = 0;
        SDL_GetWindowSize(g_window, &w, &h);
        SDL_WarpMouseInWindow(g_window, w / 2, h / 2);
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
    return g_window ? g_depth : 0;
}

void Flip(int sync) {
    render::Flush();
    media_internal::RunFrameHook();
    if (!g_window) return;
    if (sync == -1) {
        if (g_pacer.Active()) {
            SetSwapInterval(0);
            Pause(g_pacer.NextDelay(Millis()));
        } else {
            SetSwapInterval(g_hardwareSync ? 1 : 0);
        }
    } else {
        SetSwapInterval(sync != 0 ? 1 : 0);
    }
    render::Flush(); // the hook may have drawn
    g_lastDrawCalls = render::TakeDrawCalls();
    PresentNow();
    media_internal::PumpEvents();
}

void Cls() {
    render::Clear();
}

void SetMouseVisible(int visible) {
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

namespace media_internal {
SDL_Window* CurrentWindow() {
    return g_window;
}

void RunFrameHook() {
    if (g_frameHook) g_frameHook();
}
} // namespace media_internal

void SetFrameHook(std::function<void()> hook) {
    g_frameHook = std::move(hook);
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
    return g_lastDrawCalls;
}
