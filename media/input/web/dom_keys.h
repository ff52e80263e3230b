// Translation from the browser's keyboard events to the Windows virtual-key
// codes the game uses, with the desktop's rules: letters and digits follow
// the keyboard layout, every other key its physical position.
#pragma once

namespace media_internal {

// Virtual-key code (1-255) of a key event, from its `key` (what the key types
// on the player's layout, e.g. "z", "Enter") and its `code` (the physical key
// by its US name, e.g. "KeyY", "NumpadEnter"); 0 for keys the game cannot name.
int VirtualKeyFromDom(const char* key, const char* code);

// The character a key event types (a Unicode code point), or 0 when its
// `key` names no single character ("Enter", "Shift", dead keys).
char32_t TypedCharFromDom(const char* key);

} // namespace media_internal
