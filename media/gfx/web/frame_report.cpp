#include "media/gfx/web/frame_report.h"

#include <emscripten.h>

#include "media/system/web/yield_clock.h"

namespace {

struct ReportState {
    bool started = false;
    double lastNow = 0;
    double lastYielded = 0;
};
ReportState report;

// clang-format off
EM_JS(void, PostFirstFrame, (), {
    Module.palmutFirstFlipMs = performance.now();
    // The frame reaches the screen once the program yields; the next
    // animation frame is the browser painting it.
    requestAnimationFrame(() => { Module.palmutFirstFrameMs = performance.now(); });
});

EM_JS(void, PostFrame, (double workMs, int drawCalls), {
    if (Array.isArray(Module.palmutFrames)) Module.palmutFrames.push([ workMs, drawCalls ]);
});
// clang-format on

} // namespace

namespace media_internal {

void ReportFrame(int drawCalls) {
    const double now = emscripten_get_now();
    const double yielded = MillisYielded();
    if (report.started)
        PostFrame(now - report.lastNow - (yielded - report.lastYielded), drawCalls);
    else
        PostFirstFrame();
    report.started = true;
    report.lastNow = now;
    report.lastYielded = yielded;
}

} // namespace media_internal
