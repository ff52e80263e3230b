// Gamepads in the page, read through the browser's Gamepad API.
#pragma once

#include "media/input/gamepad.h"

namespace media_internal {

// Called by the keyboard before it answers: compares each pad of the
// standard layout with its last state and tells `keys` every change, as the
// desktop's controller events do. A pad that went away releases what it held.
void PollGamepads(GamepadKeys& keys);

} // namespace media_internal
