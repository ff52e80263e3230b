// One-time start-up of the game and the helpers the level load shares with it.
#pragma once

// Runs every start-up step up to (not including) the main loop.
void StartUp();
// The first island, read from `mapfile`: loaded for the title picture to show,
// or with startInPlay loaded whole and played at once (gamestate GS_PLAY).
void LoadFirstIsland();
// Puts the castaway on the first diagonal cell (i, i) that is not sea; if there
// is none, keeps the position but pulls it inside the current map.
void PlacePlayer();
// Opens the 640 x 480 mode of `depth` (0 window, 32 full screen), else the
// other one; ends the program with a clear message when neither opens.
void OpenModeOrDie(int depth);
// Back to the values before start-up: empty class-wide lists, fresh player and
// map, no assets. Tests call it between cases.
void ResetGlobals();
