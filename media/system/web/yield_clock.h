// What the page's clock tells the other modules beyond the seam: how long the
// program has handed control back to the browser, for the frame figures.
#pragma once

namespace media_internal {

// Called by the window's frame report: milliseconds spent inside Pause (the
// browser's own work and idle time while the game waits) since the program
// started, on the page's monotonic clock.
double MillisYielded();

} // namespace media_internal
