// Background music from the address in stream.cfg (the player's own copy,
// else the game's Data/stream.cfg).
#pragma once

#include <string>

// Called once by start-up when the address line is not empty. Starts the
// stream and returns; every failure ends up as a debug-log line only.
void StartMusic(const std::string& address);
