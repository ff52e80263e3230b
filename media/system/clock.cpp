// Millisecond clock and sleep, with a virtual clock for tests that must not wait.
#include "media/clock.h"

#include <chrono>
#include <cstdint>

#include <SDL2/SDL.h>

#include "media/test_seams.h"

namespace {

struct ClockState {
    bool virtualOn = false;
    uint32_t virtualNow = 0;
};
ClockState clockState;

} // namespace

int Millis() {
    if (clockState.virtualOn) return static_cast<int>(clockState.virtualNow);
    using namespace std::chrono;
    auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    // Truncating to 32 bits wraps the clock as the game expects.
    return static_cast<int>(static_cast<uint32_t>(ms));
}

void Pause(int ms) {
    if (ms <= 0) return;
    if (clockState.virtualOn) {
        clockState.virtualNow += static_cast<uint32_t>(ms);
        return;
    }
    SDL_Delay(static_cast<Uint32>(ms));
}

void UseVirtualClock(bool on, int startMillis) {
    clockState.virtualOn = on;
    clockState.virtualNow = static_cast<uint32_t>(startMillis);
}

void AdvanceVirtualClock(int ms) {
    if (ms > 0) clockState.virtualNow += static_cast<uint32_t>(ms);
}
