// The page's real clock. A sleep hands control back to the page (through
// Asyncify), so the screens' own loops leave the browser free to draw, take
// keys and play sound while they wait.
#include <cstdint>

#include <emscripten.h>

#include "media/system/real_clock.h"
#include "media/system/web/yield_clock.h"

namespace media_internal {

namespace {
double yieldedMs = 0; // wall time inside emscripten_sleep, for the frame figures
constexpr unsigned kHiddenPollMs = 250;

// clang-format off
// Milliseconds the page has spent hidden (a background tab) so far, and
// whether it is hidden now; both kept by index.html.
EM_JS(double, PageHiddenMillis, (), {
    return Module.palmutHiddenMs ? Module.palmutHiddenMs() : 0;
});
EM_JS(int, PageHidden, (), {
    return document.hidden ? 1 : 0;
});
// clang-format on
} // namespace

int RealMillis() {
    // The page's monotonic clock without the time it was hidden: game time
    // stands still in a background tab, so nothing grows or moves meanwhile.
    // Truncating to 32 bits wraps it as the game expects.
    const double ms = emscripten_get_now() - PageHiddenMillis();
    return static_cast<int>(static_cast<uint32_t>(static_cast<uint64_t>(ms)));
}

void RealSleep(int ms) {
    // Even a zero pause yields: a loop that only pauses must not freeze the tab.
    const double start = emscripten_get_now();
    emscripten_sleep(static_cast<unsigned>(ms > 0 ? ms : 0));
    // No pass runs while the page is hidden.
    while (PageHidden())
        emscripten_sleep(kHiddenPollMs);
    yieldedMs += emscripten_get_now() - start;
}

double MillisYielded() {
    return yieldedMs;
}

} // namespace media_internal
