// The game's screen mode, opened at start-up and again around the desktop's
// file dialog.
#pragma once

// Opens the 640 x 480 mode of `depth` (0 window, 32 full screen), else the
// other one; ends the program with a clear message when neither opens.
void OpenModeOrDie(int depth);
