// The frame-level test hooks and read-backs, the same for every window backend.
#include "media/gfx/window_hooks.h"

#include <cstdint>
#include <functional>

#include "media/gfx/renderer.h"
#include "media/graphics.h"
#include "media/test_seams.h"

namespace {

struct Hooks {
    int lastDrawCalls = 0;
    std::function<void()> frameHook;
    std::function<bool(int)> refuseMode;
};
Hooks hooks;

} // namespace

namespace media_internal {

void RunFrameHook() {
    if (hooks.frameHook) hooks.frameHook();
}

bool ModeRefused(int depth) {
    return hooks.refuseMode && hooks.refuseMode(depth);
}

void CountFrameDrawCalls() {
    hooks.lastDrawCalls = render::TakeDrawCalls();
}

} // namespace media_internal

void Cls() {
    render::Clear();
}

void SetFrameHook(std::function<void()> hook) {
    hooks.frameHook = std::move(hook);
}

unsigned ReadBackPixel(int x, int y) {
    uint8_t p[4] = {0, 0, 0, 255};
    render::ReadTargetPixel(x, y, p);
    return (0xFFu << 24) | (unsigned{p[0]} << 16) | (unsigned{p[1]} << 8) | p[2];
}

int LastFrameDrawCalls() {
    return hooks.lastDrawCalls;
}

void RefuseGraphicsModes(std::function<bool(int depth)> refuse) {
    hooks.refuseMode = std::move(refuse);
}
