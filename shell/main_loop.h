// The main loop: the screen selected by gamestate, then one play frame.
#pragma once

// One pass of the main loop. Returns false when the loop should end.
bool RunOnePass();
// Runs passes until the window is closed or gamestate is -1.
void RunMainLoop();
// Start-up, main loop, release and normal program end.
[[noreturn]] void RunGame();
