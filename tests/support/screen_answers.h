// Answers the screens that wait in loops of their own, the way a player does:
// a typed key on the title picture and the victory screen, Enter in the menu
// (start) and on a death screen (try again). For long unattended runs.
#pragma once

#include "core/state.h"
#include "media/keyboard.h"
#include "media/test_seams.h"

inline void AnswerScreens() {
    // A death state is set during a play pass whose keys are still read; only
    // once its screen has been presented may Enter answer it, or the answer
    // would act as a play key instead.
    static bool deathShown = false;
    deathShown = false;
    SetFrameHook([] {
        deathShown = IsDeathState(gamestate);
        if (gamestate == GS_LOADLEVEL || gamestate == GS_VICTORY)
            InjectText("p");
        else if (gamestate == GS_MENU)
            InjectKeyPress(KEY_ENTER);
    });
    SetIdleHook([] {
        if (deathShown && IsDeathState(gamestate)) InjectKeyPress(KEY_ENTER);
    });
}

inline void StopAnsweringScreens() {
    SetFrameHook(nullptr);
    SetIdleHook(nullptr);
}
