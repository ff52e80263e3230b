// Millisecond clock and sleep in the browser. A sleep hands control back to
// the page (through Asyncify), so the screens' own loops leave the browser
// free to draw, take keys and play sound while they wait.
#include <cstdint>

#include <emscripten.h>

#include "media/clock.h"
#include "media/system/web/yield_clock.h"
#include "media/test_seams.h"

namespace {

struct ClockState {
    bool virtualOn = false;
    uint32_t virtualNow = 0;
    double yieldedMs = 0; // wall time inside emscripten_sleep, for the frame figures
};
ClockState clockState;

} // namespace

int Millis() {
    if (clockState.virtualOn) return static_cast<int>(clockState.virtualNow);
    // The page's monotonic clock; truncating to 32 bits wraps it as the game expects.
    const double ms = emscripten_get_now();
    return static_cast<int>(static_cast<uint32_t>(static_cast<uint64_t>(ms)));
}

void Pause(int ms) {
    if (clockState.virtualOn) {
        if (ms > 0) clockState.virtualNow += static_cast<uint32_t>(ms);
        return;
    }
    // Even a zero pause yields: a loop that only pauses must not freeze the tab.
    const double start = emscripten_get_now();
    emscripten_sleep(static_cast<unsigned>(ms > 0 ? ms : 0));
    clockState.yieldedMs += emscripten_get_now() - start;
}

namespace media_internal {

double MillisYielded() {
    return clockState.yieldedMs;
}

} // namespace media_internal

void UseVirtualClock(bool on, int startMillis) {
    clockState.virtualOn = on;
    clockState.virtualNow = static_cast<uint32_t>(startMillis);
}

void AdvanceVirtualClock(int ms) {
    if (ms > 0) clockState.virtualNow += static_cast<uint32_t>(ms);
}
