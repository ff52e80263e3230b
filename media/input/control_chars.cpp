#include "media/input/control_chars.h"

#include "media/keyboard.h"

namespace media_internal {

int ControlCharFromVirtualKey(int vk) {
    switch (vk) {
    case KEY_BACKSPACE:
    case KEY_TAB:
    case KEY_ENTER:
    case KEY_ESCAPE:
        return vk;
    default:
        return 0;
    }
}

} // namespace media_internal
