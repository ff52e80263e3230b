#include "shell/death_screen.h"

#include <string>

#include "core/centring.h"
#include "core/state.h"
#include "core/texts.h"
#include "media/clock.h"
#include "media/graphics.h"
#include "media/keyboard.h"

namespace {

bool Hit(int key) {
    return KeyHitCount(key) > 0;
}

const char* DeathHeadline(int state) {
    switch (state) {
    case GS_DEAD_HUNGER:
        return Tr(texts::DEAD_HUNGER);
    case GS_DEAD_THIRST:
        return Tr(texts::DEAD_THIRST);
    default:
        return Tr(texts::DEAD_WARAN);
    }
}

void DrawCentredLine(const std::string& text, int y) {
    DrawText(text, CentredX(text), static_cast<float>(y));
}

} // namespace

void ShowDeathScreen(int state) {
    Cls();
    DrawCentredLine(DeathHeadline(state), 220);
    DrawCentredLine(Tr(texts::DEAD_RETRY), 230);
    DrawCentredLine(Tr(texts::DEAD_QUIT), 240);
    DrawCentredLine(Tr(texts::DEAD_LUCK), 250);
    Flip(-1);
    // Presses made before the screen was shown must not answer it.
    ClearKeys();
    // Quitting here loses nothing: a gamepad's Start alone may do it.
    SetGamepadStartEscapes(1);
    for (;;) {
        if (Hit(KEY_ENTER)) {
            gamestate = GS_LOADLEVEL;
            break;
        }
        if (Hit(KEY_ESCAPE)) {
            gamestate = GS_QUIT;
            break;
        }
        EndOnCloseRequest();
        // Nothing is redrawn while waiting; sleeping keeps the wait off the CPU.
        Pause(10);
    }
    SetGamepadStartEscapes(0);
}
