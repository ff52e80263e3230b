// The real game's play frames, standing and walking: the CPU time the main
// thread spends between two presents (sleeps cost none), and the whole
// process's, per frame. The browser build's figures (tests/web/measure.mjs)
// are taken over the same span, so the two can be set side by side.
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include <unistd.h>

#include "bench.h"
#include "media/graphics.h"
#include "media/keyboard.h"
#include "media/test_seams.h"
#if __has_include("core/state.h")
#include "core/state.h"
#else
#include "shell/globals.h"
#endif
#include "shell/main_loop.h"
#include "shell/startup.h"

namespace bench {
namespace {

double Median(std::vector<double> v) {
    if (v.empty()) return -1;
    std::sort(v.begin(), v.end());
    const size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}

double Mean(const std::vector<double>& v) {
    double sum = 0;
    for (double x : v)
        sum += x;
    return v.empty() ? -1 : sum / static_cast<double>(v.size());
}

struct FrameScript {
    enum Phase { START, SETTLE, STANDING, WALKING, DONE } phase = START;
    int frames = 300;
    int counted = 0;
    int lives = 1;
    int deadFrames = 0;  // the second is the death screen's own
    bool resume = false; // the next frame starts a span again (after a death)
    double settleUntil = 0, phaseWall = 0;
    double lastThread = 0, lastProcess = 0;
    std::vector<double> thread[2], process[2];
    double seconds[2] = {0, 0};

    static bool Dead() {
        return gamestate == GS_DEAD_HUNGER || gamestate == GS_DEAD_THIRST ||
               gamestate == GS_DEAD_WARAN;
    }

    // Gets through the title picture and the menu as a player would.
    static void ToPlay(int frame) {
        if (frame % 3 != 0 || Dead()) return;
        if (gamestate == GS_MENU)
            InjectKeyPress(KEY_ENTER); // "Spiel starten"
        else if (gamestate == GS_USE || gamestate == GS_DROP || gamestate == GS_COMBINE)
            InjectKeyPress(KEY_ESCAPE); // back from an inventory selection
        else if (gamestate != GS_PLAY)
            InjectText("x"); // any typed key leaves the title picture
    }

    void Start(int frame) {
        if (frame == 2) InjectKeyPress(KEY_ESCAPE); // the intro
        if (frame > 2) ToPlay(frame);
        if (gamestate == GS_PLAY) {
            phase = SETTLE;
            settleUntil = NowMs() + 1000;
        }
    }

    void Count(int side) {
        const double t = ThreadCpuMs(), p = ProcessCpuMs();
        if (counted > 0 && !resume) {
            thread[side].push_back(t - lastThread);
            process[side].push_back(p - lastProcess);
        }
        lastThread = t;
        lastProcess = p;
        if (resume) {
            resume = false;
            return;
        }
        if (counted++ < frames) return;
        seconds[side] = (NowMs() - phaseWall) / 1000;
        counted = 0;
        phaseWall = NowMs();
        phase = side == 0 ? WALKING : DONE;
        if (phase == DONE) InjectCloseRequest();
    }

    void Frame() {
        static int frame = 0;
        ++frame;
        deadFrames = Dead() ? deadFrames + 1 : 0;
        if (phase == START) return Start(frame);
        if (phase == SETTLE && NowMs() >= settleUntil) {
            phase = STANDING;
            phaseWall = NowMs();
        }
        // Every step makes the castaway hungrier, and a lizard may bite: play
        // goes on in a new life, spans outside play are not counted.
        if ((phase == STANDING || phase == WALKING) && gamestate != GS_PLAY) {
            if (!resume && Dead()) ++lives;
            resume = true;
            return ToPlay(frame);
        }
        if (phase == STANDING) Count(0);
        if (phase == WALKING) {
            // One step a pass, six east, six west, as a held key's repeat gives.
            InjectKeyPress(counted % 12 < 6 ? KEY_RIGHT : KEY_LEFT);
            Count(1);
        }
    }
};
FrameScript frameScript;

} // namespace

int PlayFramesMain(const Options& options) {
    const std::string assets = options.Get("assets", "");
    if (assets.empty()) {
        std::fprintf(stderr, "play-frames: --assets DIR needed\n");
        return 2;
    }
    FrameScript& s = frameScript;
    s.frames = std::max(10, static_cast<int>(options.Number("frames", 300)));
    const bool gles = options.Has("gles");
    if (gles) ForceGlesContext(true);
    if (chdir(assets.c_str()) != 0) return 1;
    SetFrameHook([] { frameScript.Frame(); });
    // A death screen waits for Enter without presenting. Not before it is
    // shown: in the pass that kills him, Enter would ask to use an item.
    SetIdleHook([] {
        static double last = 0;
        if (frameScript.deadFrames >= 2 && NowMs() - last > 200) {
            InjectKeyPress(KEY_ENTER);
            last = NowMs();
        }
    });
    StartUp();
    RunMainLoop();
    SetFrameHook(nullptr);
    SetIdleHook(nullptr);
    const std::string prefix = gles ? "play_gles_" : "play_";
    const char* sides[] = {"standing", "walking"};
    for (int side = 0; side < 2; ++side) {
        const std::string p = prefix + sides[side];
        Emit(p + "_frames", static_cast<double>(s.thread[side].size()));
        Emit(p + "_lives", side == 1 ? s.lives : 1);
        Emit(p + "_fps", s.seconds[side] > 0 ? s.frames / s.seconds[side] : -1);
        Emit(p + "_main_cpu_ms_median", Median(s.thread[side]));
        Emit(p + "_main_cpu_ms_mean", Mean(s.thread[side]));
        Emit(p + "_process_cpu_ms_median", Median(s.process[side]));
        Emit(p + "_process_cpu_ms_mean", Mean(s.process[side]));
    }
    std::fflush(stdout);
    _exit(s.phase == FrameScript::DONE ? 0 : 1); // skips the game's own teardown
}

} // namespace bench
