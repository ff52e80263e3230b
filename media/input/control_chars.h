// The control characters keys type, for both backends' typed-text queues.
#pragma once

namespace media_internal {

// Control character a key-down produces (Enter 13, Escape 27, Backspace 8,
// Tab 9), or 0; printable characters arrive as text input instead.
int ControlCharFromVirtualKey(int vk);

} // namespace media_internal
