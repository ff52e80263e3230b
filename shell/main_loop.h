// The main loop: the screen selected by gamestate, then one play frame.
#pragma once

// One pass of the main loop. Returns false when the loop should end.
bool RunOnePass();
// The rules of one play pass (input, movement, actions, messages, the victory
// check), drawn when `draw`; the main loop and replay playback call it.
void RunPlayPass(bool draw);
// Runs passes until the window is closed or gamestate is -1.
void RunMainLoop();
// Start-up, main loop, release and normal program end.
[[noreturn]] void RunGame();
