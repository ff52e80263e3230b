// The one timer comparison of the game's rules. Millis() wraps, so elapsed time
// is taken from the wrapped difference; a stored time plus a delay is "past"
// when more than the delay has elapsed since it.
#pragma once

#include <cstdint>

// Unsigned, so that a clock reading past half its range (after weeks of uptime)
// still counts the time since a fresh map's zero stamps as elapsed. A negative
// delay has always passed.
inline bool DelayPassed(int stored, int now, int delay) {
    if (delay < 0) return true;
    const uint32_t elapsed = static_cast<uint32_t>(now) - static_cast<uint32_t>(stored);
    return elapsed > static_cast<uint32_t>(delay);
}
