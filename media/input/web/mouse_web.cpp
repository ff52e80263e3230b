// The mouse in the browser. The game never reads it (only the island editor,
// which is not built for the page), so the pointer reports nothing.
#include "media/input/event_pump.h"
#include "media/mouse.h"

namespace media_internal {

void ClearMouseButtons() {}

} // namespace media_internal

int MouseX() {
    return 0;
}
int MouseY() {
    return 0;
}
int MouseDown(int) {
    return 0;
}
int MouseHitCount(int) {
    return 0;
}
int MouseWheel() {
    return 0;
}
int TakeMouseSamples(MouseSample*, int) {
    return 0;
}
