// Translation between SDL keys and the Windows virtual-key codes the game uses.
#pragma once

#include <SDL2/SDL.h>

#include "media/input/control_chars.h"

namespace media_internal {

// Virtual-key code (1-255) of an SDL key, or 0 for keys the game cannot name.
// Letters and digits follow the keyboard layout (the key labelled Z is 90 on
// any layout); other keys follow their physical position.
int VirtualKeyFromSdl(SDL_Keycode sym, SDL_Scancode scancode);

// Physical key that produces a virtual-key code; SDL_SCANCODE_UNKNOWN if none.
SDL_Scancode ScancodeFromVirtualKey(int vk);
// Key symbol reported with that key on a US layout.
SDL_Keycode KeycodeFromVirtualKey(int vk);

// F11 and Alt+Enter switch between window and full screen; the game never
// sees them.
bool IsModeSwitchKey(SDL_Keycode sym, Uint16 mod);

} // namespace media_internal
