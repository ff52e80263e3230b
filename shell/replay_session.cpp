#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "core/assets.h"
#include "core/language.h"
#include "core/state.h"
#include "core/texts.h"
#include "media/clock.h"
#include "media/graphics.h"
#include "media/keyboard.h"
#include "media/program.h"
#include "shell/config.h"
#include "shell/replay.h"
#include "shell/screen_mode.h"
#include "shell/user_files.h"

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A window as start-up opens it, without intro, music or menu.
void OpenReplayWindow() {
    SetApplicationIdentity("Palmut", PALMUT_APP_ID);
    const GameConfig config = ReadGameConfig(SettingsFile("game.cfg", "data/game.cfg"));
    UseLanguage(ChooseLanguage(config.language, DesktopLocale()));
    SetWindowTitle(Tr(texts::WINDOW_TITLE));
    soundon = config.sound ? 1 : 0;
    OpenModeOrDie(config.fullscreen ? 32 : 0);
    LoadGameAssets();
    SetMouseVisible(0);
}

// Normal speed with keys 1, 2, 3 for x1, x4, x16; P pauses, Escape stops.
class TWindowPacing : public ReplayPacing {
  public:
    bool AfterPass() override {
        Flip(-1);
        Cls();
        for (;;) {
            if (KeyHitCount(KEY_1) > 0) speed = 1;
            if (KeyHitCount(KEY_2) > 0) speed = 4;
            if (KeyHitCount(KEY_3) > 0) speed = 16;
            if (KeyHitCount(KEY_P) > 0) paused = !paused;
            if (KeyHitCount(KEY_ESCAPE) > 0 || CloseRequested()) return false;
            // The main loop's pause, shortened by the speed.
            Pause(60 / speed);
            if (!paused) return true;
        }
    }

  private:
    int speed = 1;
    bool paused = false;
};

// Every pass drawn and shown at once, each frame timed.
class TTimedemoPacing : public ReplayPacing {
  public:
    TTimedemoPacing() : last(Clock::now()), start(last) {}
    bool AfterPass() override {
        Flip(-1);
        Cls();
        const Clock::time_point now = Clock::now();
        frames.push_back(std::chrono::duration<double, std::milli>(now - last).count());
        last = now;
        return !CloseRequested();
    }
    void Print() {
        const double seconds = SecondsSince(start);
        std::vector<double> sorted = frames;
        std::sort(sorted.begin(), sorted.end());
        const double p99 =
            sorted.empty() ? 0.0 : sorted[std::min(sorted.size() - 1, sorted.size() * 99 / 100)];
        std::printf("timedemo: %zu frames, %.2f seconds, %.1f fps, 99th percentile %.2f ms\n",
                    frames.size(), seconds,
                    seconds > 0 ? static_cast<double>(frames.size()) / seconds : 0.0, p99);
    }

  private:
    std::vector<double> frames;
    Clock::time_point last, start;
};

} // namespace

int RunReplayFile(const std::string& path, bool headless, bool timedemo) {
    TReplay replay;
    std::string why;
    if (!LoadReplay(path, replay, why)) {
        std::fprintf(stderr, "palmut: %s: %s\n", path.c_str(), why.c_str());
        return 2;
    }
    if (!EnterAssetTree("gfx/title_wip.png")) {
        std::fprintf(stderr, "palmut: cannot find the game files\n");
        return 2;
    }
    const std::string island = FindReplayIsland(replay, path, why);
    if (island.empty()) {
        std::fprintf(stderr, "palmut: %s: %s\n", path.c_str(), why.c_str());
        return 2;
    }
    if (!headless) OpenReplayWindow();
    TWindowPacing window;
    TTimedemoPacing timed;
    ReplayPacing* pacing = headless   ? nullptr
                           : timedemo ? static_cast<ReplayPacing*>(&timed)
                                      : &window;
    const Clock::time_point start = Clock::now();
    const ReplayOutcome out = PlayReplay(replay, island, pacing);
    const double seconds = SecondsSince(start);
    if (timedemo) timed.Print();
    if (!out.matched) {
        std::printf("replay %s: the state differs from the recording at pass %zu of %zu\n",
                    path.c_str(), out.firstBadPass, replay.Passes());
        return 1;
    }
    if (out.passes < replay.Passes()) {
        std::printf("replay %s: stopped at pass %zu of %zu; every state hash so far matched\n",
                    path.c_str(), out.passes, replay.Passes());
        return 0;
    }
    std::printf("replay %s: %zu passes, every state hash matched", path.c_str(), out.passes);
    if (headless && seconds > 0)
        std::printf(" (%.0f passes per second)", static_cast<double>(out.passes) / seconds);
    std::printf("\n");
    return 0;
}
