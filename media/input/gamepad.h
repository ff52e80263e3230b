// Turns gamepad buttons and stick tilts into the keyboard's virtual-key
// presses, so the game's rules cannot tell a gamepad from a keyboard.
#pragma once

#include <array>

namespace media_internal {

// Buttons and axes of the standard layout by SDL's game controller numbers
// (the test seams' PAD_* use them too); each backend maps its pads to these.
enum PadButton : int {
    PadA = 0,
    PadB = 1,
    PadX = 2,
    PadY = 3,
    PadBack = 4,
    PadGuide = 5,
    PadStart = 6,
    PadLeftStick = 7,
    PadRightStick = 8,
    PadLeftShoulder = 9,
    PadRightShoulder = 10,
    PadUp = 11,
    PadDown = 12,
    PadLeft = 13,
    PadRight = 14,
};
enum PadAxis : int { PadLeftX = 0, PadLeftY = 1 };

class GamepadKeys {
  public:
    // Receives each virtual-key press (down) and release the gamepad makes.
    using Emit = void (*)(int vk, bool down);
    explicit GamepadKeys(Emit emit) : emit_(emit) {}

    // PadButton and PadAxis numbers; values -32768 to 32767.
    void Button(int button, bool down);
    void Axis(int axis, int value);
    // Start alone is Escape where quitting is harmless (menus, death screens);
    // elsewhere only Back and Start together are.
    void SetStartEscapes(bool on) { startEscapes_ = on; }
    // Releases whatever the gamepad holds (it was unplugged).
    void Reset();

  private:
    void Hold(int vk, bool down);
    void UpdateEscape();

    Emit emit_;
    std::array<int, 256> holds_{}; // d-pad and stick can hold the same arrow
    int stick_[2] = {0, 0};        // per axis -1, 0 or +1
    bool back_ = false, start_ = false, escape_ = false;
    bool startEscapes_ = false;
};

// The character a key types when a gamepad presses it, or 0.
int GamepadTypedChar(int vk);

} // namespace media_internal
