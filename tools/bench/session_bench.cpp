// The real game in this process, driven by injected keys: start-up to the
// first intro frame, the intro, the title, idle seconds in the menu and in
// play; memory and CPU read from /proc and the process clock. And the
// reference: an empty SDL window with a GL 3.3 core context.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include <SDL2/SDL.h>
#include <unistd.h>

#include "bench.h"
#include "media/clock.h"
#include "media/graphics.h"
#include "media/keyboard.h"
#include "media/program.h"
#include "media/test_seams.h"
#if __has_include("core/state.h")
#include "core/state.h"
#else
#include "shell/globals.h"
#endif
#include "player/player.h"
#include "shell/main_loop.h"
#include "shell/startup.h"

namespace bench {
namespace {

struct Script {
    enum Phase { INTRO, TITLE, MENU, PLAY, DONE } phase = INTRO;
    double t0Realtime = 0; // when the process was started
    double firstFrameMs = -1;
    bool skipIntro = false;
    bool firstFrameOnly = false;
    double menuSeconds = 20, playSeconds = 20, settleSeconds = 1;
    double phaseStart = 0, cpuStart = 0, wallStart = 0;
    bool measuring = false;
    int frames = 0, measuredFrames = 0;
    long introPeakKb = -1, playRssKb = -1;
    double menuCpu = -1, playCpu = -1, menuFps = 0, playFps = 0;

    void Frame() {
        ++frames;
        const double now = NowMs();
        if (firstFrameMs < 0) {
            firstFrameMs = RealtimeMs() - t0Realtime;
            if (firstFrameOnly) {
                Emit("first_frame_ms", firstFrameMs);
                Emit("first_frame_cpu_ms", ProcessCpuMs()); // all threads, from exec
                _exit(0);
            }
        }
        if (phase == INTRO && skipIntro && frames == 2) InjectKeyPress(KEY_ESCAPE);
        if (phase == TITLE) {
            if (gamestate == GS_MENU)
                Enter(MENU, now);
            else if (frames % 3 == 0)
                InjectText("x"); // any typed key leaves the title
        }
        if (phase == MENU && Idle(now, menuSeconds, menuCpu, menuFps)) {
            InjectKeyPress(KEY_ENTER); // "SPIEL STARTEN"
            Enter(PLAY, now);
        } else if (phase == PLAY && gamestate == GS_PLAY &&
                   Idle(now, playSeconds, playCpu, playFps)) {
            playRssKb = StatusKb("VmRSS");
            phase = DONE;
            InjectCloseRequest();
        }
    }

    void Enter(Phase next, double now) {
        phase = next;
        phaseStart = now;
        measuring = false;
    }

    // Waits a settling second, then measures `seconds`; true when done.
    bool Idle(double now, double seconds, double& cpuShare, double& fps) {
        if (!measuring) {
            if (now - phaseStart < settleSeconds * 1000) return false;
            measuring = true;
            wallStart = now;
            cpuStart = ProcessCpuMs();
            measuredFrames = frames;
            return false;
        }
        if (now - wallStart < seconds * 1000) return false;
        cpuShare = 100.0 * (ProcessCpuMs() - cpuStart) / (now - wallStart);
        fps = (frames - measuredFrames) * 1000.0 / (now - wallStart);
        return true;
    }
};
Script script;

} // namespace

int EmptyWindowMain(const Options& options) {
    const int frames = static_cast<int>(options.Number("frames", 60));
    // With --t0 (the caller's clock at exec) only the time to the first frame
    // is measured: the floor any SDL GL program has on this machine.
    const bool firstFrameOnly = options.Has("t0");
    const double t0 = options.Number("t0", 0);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_Window* window = SDL_CreateWindow("empty", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                          640, 480, SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
    if (!context) {
        std::fprintf(stderr, "empty window: %s\n", SDL_GetError());
        return 1;
    }
    using ClearFn = void (*)(unsigned);
    const auto clear = reinterpret_cast<ClearFn>(SDL_GL_GetProcAddress("glClear"));
    for (int i = 0; i < frames; ++i) {
        clear(0x4000); // GL_COLOR_BUFFER_BIT
        SDL_GL_SwapWindow(window);
        if (firstFrameOnly) {
            Emit("empty_window_first_frame_ms", RealtimeMs() - t0);
            std::fflush(stdout);
            _exit(0);
        }
        SDL_Event e;
        while (SDL_PollEvent(&e)) {
        }
        SDL_Delay(5);
    }
    Emit("empty_window_rss_kb", static_cast<double>(StatusKb("VmRSS")));
    Emit("empty_window_peak_kb", static_cast<double>(StatusKb("VmHWM")));
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}

int SessionMain(const Options& options) {
    const std::string assets = options.Get("assets", "");
    if (assets.empty()) {
        std::fprintf(stderr, "session: --assets DIR needed\n");
        return 2;
    }
    Script& s = script;
    s.t0Realtime = options.Number("t0", RealtimeMs()); // ms since the epoch, from the caller
    s.skipIntro = options.Has("skip-intro");
    s.firstFrameOnly = options.Has("first-frame-only");
    s.menuSeconds = options.Number("menu-seconds", 20);
    s.playSeconds = options.Number("play-seconds", 20);
    s.settleSeconds = options.Number("settle-seconds", 1);
    const std::string prefix = options.Get("name", "session");
    // The caller's copy of the asset tree holds the configuration to test.
    if (chdir(assets.c_str()) != 0) return 1;

    SetFrameHook([] { script.Frame(); });
    StartUp(); // opens the window and plays the intro
    s.introPeakKb = StatusKb("VmHWM");
    s.phase = Script::TITLE;
    RunMainLoop();
    SetFrameHook(nullptr);

    Emit(prefix + "_first_frame_ms", s.firstFrameMs);
    Emit(prefix + "_intro_peak_kb", static_cast<double>(s.introPeakKb));
    Emit(prefix + "_peak_kb", static_cast<double>(StatusKb("VmHWM")));
    Emit(prefix + "_play_rss_kb", static_cast<double>(s.playRssKb));
    Emit(prefix + "_menu_cpu_pct", s.menuCpu);
    Emit(prefix + "_menu_fps", s.menuFps);
    Emit(prefix + "_play_cpu_pct", s.playCpu);
    Emit(prefix + "_play_fps", s.playFps);
    std::fflush(stdout);
    _exit(s.phase == Script::DONE ? 0 : 1); // skips the game's own teardown
}

} // namespace bench
