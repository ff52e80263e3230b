// The main loop: the screen selected by gamestate, then one play frame.
#pragma once

#include <string>

// One pass of the main loop. Returns false when the loop should end.
bool RunOnePass();
// The rules of one play pass (input, movement, actions, messages, the victory
// check), drawn when `draw`; the main loop and replay playback call it.
void RunPlayPass(bool draw);
// Runs passes until the window is closed or gamestate is -1.
void RunMainLoop();
// Start-up, main loop, release and normal program end. `unreadableMap` names
// an island asked for at start that could not be read: the default one is
// played, and the title picture says so.
[[noreturn]] void RunGame(const std::string& unreadableMap = "");
