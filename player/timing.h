// Millisecond timers of the castaway's rules. The clock wraps, so elapsed time
// is taken from the wrapped difference; a stored time plus a delay is "past"
// when more than the delay has elapsed since it.
#pragma once

#include <cstdint>

inline bool DelayPassed(int stored, int now, int delay) {
    int elapsed = static_cast<int>(static_cast<uint32_t>(now) - static_cast<uint32_t>(stored));
    return elapsed > delay;
}

// A palm or stone cell can be worked again once this long has passed since its stamp.
constexpr int REST_PERIOD_MS = 10000;
// Fruit regrows this often.
constexpr int REGROWTH_PERIOD_MS = 30000;
