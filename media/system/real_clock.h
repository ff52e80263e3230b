// The clock's backend: what the shared clock (clock.cpp) asks of the desktop
// or the page when the virtual clock is off.
#pragma once

namespace media_internal {

// Milliseconds of a monotonic clock, truncated to 32 bits (the game expects
// the clock to wrap).
int RealMillis();
// Waits about `ms` milliseconds; a zero or negative wait is the backend's to
// judge (the page still yields to the browser).
void RealSleep(int ms);

} // namespace media_internal
