// Winning: the rate-limited check on the raft and the closing screen.
#pragma once

// Runs at most once every 3 seconds; names what is missing or sets GS_VICTORY.
void CheckVictory();
// Plays the tune, shows the closing text until a key is typed, ends the program.
[[noreturn]] void ShowVictoryScreen();
