// Millisecond timers of the castaway's rules. The clock wraps, so elapsed time
// is taken from the wrapped difference; a stored time plus a delay is "past"
// when more than the delay has elapsed since it.
#pragma once

#include <cstdint>

// Unsigned, so that a clock reading past half its range (after weeks of uptime)
// still counts the time since a fresh map's zero stamps as elapsed.
inline bool DelayPassed(int stored, int now, int delay) {
    const uint32_t elapsed = static_cast<uint32_t>(now) - static_cast<uint32_t>(stored);
    return elapsed > static_cast<uint32_t>(delay);
}

// A palm or stone cell can be worked again once this long has passed since its stamp.
constexpr int REST_PERIOD_MS = 10000;
// Fruit regrows this often.
constexpr int REGROWTH_PERIOD_MS = 30000;
