// Millisecond clock and sleep, with a virtual clock for tests that must not
// wait; the real clock is the backend's (real_clock.h).
#include "media/clock.h"

#include <cstdint>

#include "media/system/real_clock.h"
#include "media/test_seams.h"

namespace {

struct ClockState {
    bool virtualOn = false;
    uint32_t virtualNow = 0;
    bool held = false;
    int heldMillis = 0;
};
ClockState clockState;

} // namespace

int Millis() {
    if (clockState.held) return clockState.heldMillis;
    if (clockState.virtualOn) return static_cast<int>(clockState.virtualNow);
    return media_internal::RealMillis();
}

void Pause(int ms) {
    if (clockState.virtualOn) {
        if (ms > 0) clockState.virtualNow += static_cast<uint32_t>(ms);
        return;
    }
    media_internal::RealSleep(ms);
}

void HoldMillis(int ms) {
    clockState.held = true;
    clockState.heldMillis = ms;
}

void ReleaseMillis() {
    clockState.held = false;
}

void UseVirtualClock(bool on, int startMillis) {
    clockState.virtualOn = on;
    clockState.held = false;
    clockState.virtualNow = static_cast<uint32_t>(startMillis);
}

void AdvanceVirtualClock(int ms) {
    if (ms > 0) clockState.virtualNow += static_cast<uint32_t>(ms);
}
