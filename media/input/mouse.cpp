// Mouse state fed by the same event drain as the keyboard.
#include "media/mouse.h"

#include <array>
#include <deque>

#include <SDL2/SDL.h>

#include "media/input/event_pump.h"

namespace {

struct MouseState {
    int x = 0, y = 0;
    std::array<bool, 4> down{};
    std::array<int, 4> hits{};
    int wheel = 0;
    void (*toPicture)(int& x, int& y) = nullptr;
    std::deque<MouseSample> samples; // in window pixels until taken
};
// Nobody takes samples in the game: the oldest go beyond this.
constexpr std::size_t kMaxSamples = 4096;
MouseState mouse;

bool ValidButton(int button) {
    return button >= MOUSE_LEFT && button <= MOUSE_RIGHT;
}

void KeepSample(const MouseSample& s) {
    if (mouse.samples.size() >= kMaxSamples) mouse.samples.pop_front();
    mouse.samples.push_back(s);
}

} // namespace

namespace media_internal {

void OnMouseEvent(const SDL_Event& e) {
    switch (e.type) {
    case SDL_MOUSEMOTION:
        mouse.x = e.motion.x;
        mouse.y = e.motion.y;
        KeepSample({mouse.x, mouse.y, 0, 0});
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        mouse.x = e.button.x;
        mouse.y = e.button.y;
        if (ValidButton(e.button.button)) {
            const bool pressed = e.type == SDL_MOUSEBUTTONDOWN;
            if (pressed && !mouse.down[e.button.button]) ++mouse.hits[e.button.button];
            mouse.down[e.button.button] = pressed;
            KeepSample({mouse.x, mouse.y, e.button.button, pressed ? 1 : 0});
        }
        break;
    case SDL_MOUSEWHEEL:
        mouse.wheel += e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
        break;
    default:
        break;
    }
}

void SetPointerMapping(void (*toPicture)(int& x, int& y)) {
    mouse.toPicture = toPicture;
}

void ClearMouseButtons() {
    mouse.down.fill(false);
    mouse.hits.fill(0);
    mouse.wheel = 0;
    mouse.samples.clear();
}

} // namespace media_internal

namespace {
// The pointer in drawing pixels, by the window's picture as it is now.
void PointerInPicture(int& x, int& y) {
    media_internal::PumpEvents();
    x = mouse.x;
    y = mouse.y;
    if (mouse.toPicture) mouse.toPicture(x, y);
}
} // namespace

int MouseX() {
    int x = 0, y = 0;
    PointerInPicture(x, y);
    return x;
}
int MouseY() {
    int x = 0, y = 0;
    PointerInPicture(x, y);
    return y;
}
int MouseDown(int button) {
    media_internal::PumpEvents();
    return ValidButton(button) && mouse.down[button] ? 1 : 0;
}
int MouseHitCount(int button) {
    media_internal::PumpEvents();
    if (!ValidButton(button)) return 0;
    const int n = mouse.hits[button];
    mouse.hits[button] = 0;
    return n;
}
int MouseWheel() {
    media_internal::PumpEvents();
    const int n = mouse.wheel;
    mouse.wheel = 0;
    return n;
}
int TakeMouseSamples(MouseSample* samples, int max) {
    media_internal::PumpEvents();
    int n = 0;
    for (; n < max && !mouse.samples.empty(); ++n) {
        samples[n] = mouse.samples.front();
        mouse.samples.pop_front();
        if (mouse.toPicture) mouse.toPicture(samples[n].x, samples[n].y);
    }
    return n;
}
