// One-time start-up of the game, and the reset tests use between cases.
#pragma once

// Runs every start-up step up to (not including) the main loop.
void StartUp();
// Back to the values before start-up: empty class-wide lists, fresh player and
// map, no assets. Tests call it between cases.
void ResetGlobals();
