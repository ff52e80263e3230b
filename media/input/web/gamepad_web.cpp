#include "media/input/web/gamepad_web.h"

#include <array>
#include <cmath>
#include <cstring>

#include <emscripten/html5.h>

namespace media_internal {
namespace {

constexpr int kPads = 4;
constexpr int kButtons = 17;
constexpr int kAxes = 2;

// The standard layout's button numbers in the browser, as PadButton; -1 unused
// (the triggers).
constexpr std::array<int, kButtons> kStandardButtons = {
    PadA,  PadB,    PadX,    PadY,     PadLeftShoulder, PadRightShoulder,
    -1,    -1,      PadBack, PadStart, PadLeftStick,    PadRightStick,
    PadUp, PadDown, PadLeft, PadRight, PadGuide};

struct PadState {
    bool connected = false;
    std::array<bool, kButtons> down{};
    std::array<int, kAxes> axes{};
};

struct PadsState {
    std::array<PadState, kPads> pads{};
    double lastPoll = -1;
};
PadsState state;

// The standard layout's axes run from -1 to 1; the gamepad keys take SDL's range.
int AxisValue(double value) {
    return static_cast<int>(std::lround(std::fmax(-1.0, std::fmin(1.0, value)) * 32767));
}

void Compare(PadState& pad, const EmscriptenGamepadEvent& now, GamepadKeys& keys) {
    for (int b = 0; b < kButtons && b < now.numButtons; ++b) {
        const bool down = now.digitalButton[b] != 0;
        if (down == pad.down[b]) continue;
        pad.down[b] = down;
        if (kStandardButtons[b] >= 0) keys.Button(kStandardButtons[b], down);
    }
    for (int a = 0; a < kAxes && a < now.numAxes; ++a) {
        const int value = AxisValue(now.axis[a]);
        if (value == pad.axes[a]) continue;
        pad.axes[a] = value;
        keys.Axis(a == 0 ? PadLeftX : PadLeftY, value);
    }
}

} // namespace

void PollGamepads(GamepadKeys& keys) {
    // A pass asks about many keys: the browser is asked at most once a millisecond.
    const double now = std::floor(emscripten_get_now());
    if (now == state.lastPoll) return;
    state.lastPoll = now;
    if (emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS) return;
    const int count = emscripten_get_num_gamepads();
    for (int i = 0; i < kPads; ++i) {
        PadState& pad = state.pads[i];
        EmscriptenGamepadEvent status{};
        const bool usable =
            i < count && emscripten_get_gamepad_status(i, &status) == EMSCRIPTEN_RESULT_SUCCESS &&
            status.connected && std::strcmp(status.mapping, "standard") == 0;
        if (!usable) {
            if (pad.connected) keys.Reset(); // unplugged: nothing stays held
            pad = PadState{};
            continue;
        }
        pad.connected = true;
        Compare(pad, status, keys);
    }
}

} // namespace media_internal
