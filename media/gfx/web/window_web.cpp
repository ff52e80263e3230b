// The canvas and its WebGL 2 context, presentation with pacing, full screen
// through the browser's Fullscreen API, and the frame-level test hooks.
#include <cmath>
#include <string>

#include <emscripten.h>
#include <emscripten/html5.h>

#include "media/clock.h"
#include "media/gfx/draw_state.h"
#include "media/gfx/frame_pacing.h"
#include "media/gfx/gl_functions.h"
#include "media/gfx/renderer.h"
#include "media/gfx/web/frame_report.h"
#include "media/gfx/window_hooks.h"
#include "media/graphics.h"
#include "media/input/event_pump.h"
#include "media/program.h"
#include "media/system/sdl_context.h"
#include "media/test_seams.h"

namespace {

// The canvas of index.html; its size on the page is set by the page's style.
constexpr const char* kCanvas = "#canvas";
constexpr int kMaxStaleErrors = 16;

struct WindowState {
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = 0;
    media_internal::FramePacer pacer;
    bool lastDrawn = false;    // false: the last frame repeated the one shown
    int width = 0, height = 0; // the game's picture, for a renderer made anew
    bool contextLost = false;  // the browser took the GPU away; nothing is drawn
    bool contextBack = false;  // it gave a fresh one: the renderer is made anew
};
WindowState win;

// The page's stage (the canvas's parent) goes full screen or back, so the
// page's own black background and centring stay; the canvas follows its
// size. Browsers grant full screen only inside a key or click handler: asked
// for elsewhere (a mode opened full screen), it is asked for again at the
// next key press (other than Escape) or click.
// clang-format off
EM_JS(void, SetStageFullScreen, (int on), {
    const stage = document.getElementById('stage') || document.documentElement;
    if (!on) {
        if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
        return;
    }
    if (document.fullscreenElement) return;
    // A frame without allowfullscreen: the page says so instead of nothing.
    if (!document.fullscreenEnabled || !stage.requestFullscreen) {
        if (Module.palmutNoFullScreen) Module.palmutNoFullScreen();
        return;
    }
    stage.requestFullscreen().catch(() => {
        const retry = (event) => {
            // Escape grants nothing (it is the browser's way out of full screen).
            if (event.key === 'Escape') return;
            window.removeEventListener('keydown', retry, true);
            window.removeEventListener('pointerdown', retry, true);
            if (!document.fullscreenElement) stage.requestFullscreen().catch(() => {});
        };
        window.addEventListener('keydown', retry, true);
        window.addEventListener('pointerdown', retry, true);
    });
});

EM_JS(int, StageIsFullScreen, (), {
    return document.fullscreenElement ? 1 : 0;
});
// clang-format on

// clang-format off
EM_JS(void, ShowPointer, (int shown), {
    const canvas = document.getElementById('canvas');
    if (canvas) canvas.style.cursor = shown ? 'default' : 'none';
});
// clang-format on

// clang-format off
// The page's notice over the canvas goes once the picture is back; a context
// that came back unusable gets the page's message with a reload button.
EM_JS(void, TellPageContext, (int usable), {
    if (Module.palmutContextBack) Module.palmutContextBack(usable !== 0);
});
// clang-format on

// The default (a context gone for good) is prevented, so the browser gives
// the canvas a fresh context when it can; the page shows its notice meanwhile.
EM_BOOL OnContextLost(int, const void*, void*) {
    win.contextLost = true;
    return EM_TRUE;
}

EM_BOOL OnContextRestored(int, const void*, void*) {
    win.contextBack = true;
    return EM_TRUE;
}

// Shaders, buffers and textures are made again in the fresh context: a new
// renderer generation re-uploads every picture from the pixels its image
// keeps, and the game's next frame draws as before.
void RemakeRenderer() {
    win.contextBack = false;
    win.contextLost = false;
    render::Close(); // the old objects are gone with the old context
    // The lost context's calls left errors behind, which the new renderer
    // would take for its own.
    for (int i = 0; i < kMaxStaleErrors && media_internal::gl.GetError() != GL_NO_ERROR; ++i) {
    }
    const bool usable = render::Open(win.width, win.height);
    DebugLog(usable ? "graphics: context restored" : "graphics: restored context unusable");
    if (usable) {
        render::Clear();
        render::Invalidate();
    }
    TellPageContext(usable ? 1 : 0);
}

void ToggleFullScreen() {
    SetStageFullScreen(!StageIsFullScreen());
}

// The canvas's drawing buffer follows its size on the page in device pixels,
// so the picture is scaled by whole numbers like the desktop window's.
void FollowPageSize(int& w, int& h) {
    double cssW = 0, cssH = 0;
    emscripten_get_element_css_size(kCanvas, &cssW, &cssH);
    const double ratio = emscripten_get_device_pixel_ratio();
    w = static_cast<int>(std::lround(cssW * ratio));
    h = static_cast<int>(std::lround(cssH * ratio));
    int bufferW = 0, bufferH = 0;
    emscripten_get_canvas_element_size(kCanvas, &bufferW, &bufferH);
    if (w > 0 && h > 0 && (w != bufferW || h != bufferH)) {
        emscripten_set_canvas_element_size(kCanvas, w, h);
        render::Invalidate(); // a resized buffer starts empty
    }
}

// Draws the frame into the canvas; the browser shows it when the game next
// yields. An unchanged frame is not drawn again and stays on the page
// (false).
bool PresentNow() {
    int w = 0, h = 0;
    FollowPageSize(w, h);
    return render::PresentTo(w, h);
}

void RepaintWindow() {
    if (!win.context || !render::IsOpen() || render::ChangedSincePresent()) return;
    render::Invalidate();
    PresentNow();
}

bool CreateContext() {
    EmscriptenWebGLContextAttributes attrs;
    emscripten_webgl_init_context_attributes(&attrs);
    attrs.majorVersion = 2;
    attrs.minorVersion = 0;
    attrs.alpha = EM_FALSE;
    attrs.depth = EM_FALSE;
    attrs.stencil = EM_FALSE;
    attrs.antialias = EM_FALSE;
    win.context = emscripten_webgl_create_context(kCanvas, &attrs);
    if (win.context <= 0) {
        DebugLog("graphics: no WebGL 2 context (" + std::to_string(win.context) + ")");
        win.context = 0;
        return false;
    }
    emscripten_webgl_make_context_current(win.context);
    return true;
}

} // namespace

void SetWindowTitle(const std::string& title) {
    emscripten_set_window_title(title.c_str());
}

bool OpenGraphics(int width, int height, int depth, int hertz, int /*flags*/) {
    CloseGraphics();
    if (width <= 0 || height <= 0) return false;
    if (media_internal::ModeRefused(depth)) return false;
    if (!CreateContext()) return false;
    if (!media_internal::LoadGlFunctions(true) || !render::Open(width, height)) {
        DebugLog("graphics: renderer failed on " + media_internal::GlContextDescription());
        CloseGraphics();
        return false;
    }
    DebugLog("graphics: context: " + media_internal::GlContextDescription());
    media_internal::AtProgramEnd(CloseGraphics);
    media_internal::SetWindowActions(ToggleFullScreen, RepaintWindow);
    if (depth != 0) SetStageFullScreen(1);
    win.pacer.Start(hertz, Millis());
    render::Clear();
    PresentNow();
    render::TakeDrawCalls();
    media_internal::ResetDrawState();
    media_internal::StartKeyboard();
    win.width = width;
    win.height = height;
    emscripten_set_webglcontextlost_callback(kCanvas, nullptr, EM_TRUE, OnContextLost);
    emscripten_set_webglcontextrestored_callback(kCanvas, nullptr, EM_TRUE, OnContextRestored);
    return true;
}

void CloseGraphics() {
    if (!win.context) return;
    render::Close();
    emscripten_webgl_destroy_context(win.context);
    win.context = 0;
    media_internal::SetWindowActions(nullptr, nullptr);
}

// Full screen in the page is the browser's, over the same canvas and
// context: the game never needs to leave it for a dialog, so it is no mode.
int CurrentDepth() {
    return 0;
}

void Flip(int /*sync*/) {
    media_internal::RunFrameHook();
    media_internal::ReportFrame(win.lastDrawn ? LastFrameDrawCalls() : 0);
    if (win.contextBack) RemakeRenderer();
    if (win.contextLost) {
        // Nothing can be shown: the frame is dropped rather than piled up.
        render::Clear();
        Pause(win.pacer.Active() ? win.pacer.NextDelay(Millis()) : 0);
        return;
    }
    if (!win.context) {
        Pause(0);
        return;
    }
    win.lastDrawn = PresentNow();
    media_internal::CountFrameDrawCalls();
    // The browser shows the frame and delivers keys while the game sleeps
    // here, paced to the mode's rate; vertical sync is the browser's own.
    Pause(win.pacer.Active() ? win.pacer.NextDelay(Millis()) : 0);
    if (media_internal::TakeWindowPictureLost()) render::Invalidate();
}

void SetMouseVisible(int visible) {
    ShowPointer(visible);
}

void ForceGlesContext(bool) {}

bool GlesContextInUse() {
    return win.context != 0;
}

// The page has no PNG writer: the browser tests capture the canvas instead.
bool CaptureFrame(const std::string&) {
    return false;
}
