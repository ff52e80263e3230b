#include "media/input/gamepad.h"

#include "media/input/control_chars.h"
#include "media/keyboard.h"

namespace media_internal {

namespace {

// A tilt past half the range is a press; it ends only once the stick is back
// near the middle, so a stick resting at the edge does not flicker.
constexpr int kPressTilt = 16384;
constexpr int kReleaseTilt = 8000;

int ButtonKey(int button) {
    switch (button) {
    case PadUp:
        return KEY_UP;
    case PadDown:
        return KEY_DOWN;
    case PadLeft:
        return KEY_LEFT;
    case PadRight:
        return KEY_RIGHT;
    case PadA:
        return KEY_SPACE;
    case PadX:
        return KEY_ENTER;
    case PadY:
        return KEY_C;
    case PadB:
        return KEY_F;
    default:
        return 0;
    }
}

int StickDirection(int current, int value) {
    const int magnitude = value < 0 ? -value : value;
    const int sign = value < 0 ? -1 : 1;
    if (magnitude >= kPressTilt) return sign;
    if (magnitude < kReleaseTilt || sign != current) return 0;
    return current;
}

} // namespace

void GamepadKeys::Hold(int vk, bool down) {
    int& n = holds_[vk];
    if (down && n++ == 0) emit_(vk, true);
    if (!down && n > 0 && --n == 0) emit_(vk, false);
}

void GamepadKeys::UpdateEscape() {
    const bool want = start_ && (startEscapes_ || back_);
    if (want == escape_) return;
    escape_ = want;
    emit_(KEY_ESCAPE, want);
}

void GamepadKeys::Button(int button, bool down) {
    if (button == PadStart || button == PadBack) {
        (button == PadStart ? start_ : back_) = down;
        UpdateEscape();
        return;
    }
    if (int vk = ButtonKey(button)) Hold(vk, down);
}

void GamepadKeys::Axis(int axis, int value) {
    if (axis != PadLeftX && axis != PadLeftY) return;
    const int index = axis == PadLeftX ? 0 : 1;
    const int before = stick_[index];
    const int after = StickDirection(before, value);
    if (after == before) return;
    const int negative = index == 0 ? KEY_LEFT : KEY_UP;
    const int positive = index == 0 ? KEY_RIGHT : KEY_DOWN;
    if (before != 0) Hold(before < 0 ? negative : positive, false);
    if (after != 0) Hold(after < 0 ? negative : positive, true);
    stick_[index] = after;
}

void GamepadKeys::Reset() {
    for (int vk = 0; vk < static_cast<int>(holds_.size()); ++vk)
        if (holds_[vk] > 0) {
            holds_[vk] = 0;
            emit_(vk, false);
        }
    stick_[0] = stick_[1] = 0;
    back_ = start_ = false;
    UpdateEscape();
}

int GamepadTypedChar(int vk) {
    if (int c = ControlCharFromVirtualKey(vk)) return c;
    if (vk == KEY_SPACE) return ' ';
    if (vk >= KEY_A && vk <= KEY_A + 25) return 'a' + (vk - KEY_A);
    return 0;
}

} // namespace media_internal
