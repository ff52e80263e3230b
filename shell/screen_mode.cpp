#include "shell/screen_mode.h"

#include "media/graphics.h"
#include "media/program.h"

void OpenModeOrDie(int depth) {
    if (OpenGraphics(640, 480, depth, 60, 0)) return;
    // A desktop that refuses one mode may still give the other.
    if (OpenGraphics(640, 480, depth == 0 ? 32 : 0, 60, 0)) return;
    FatalError("Cannot open a 640 x 480 window with OpenGL 3.3 or OpenGL ES 3.0.\n");
}
