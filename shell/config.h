// The two configuration files, read once at start-up.
#pragma once

#include <string>

struct GameConfig {
    bool fullscreen = false;
    bool sound = false;
};

// A line switches its flag on when it contains "true" in any letter case;
// a missing file or line counts as off.
GameConfig ReadGameConfig(const std::string& path);
// First line of the stream file; empty (no music) when the file is missing.
std::string ReadStreamAddress(const std::string& path);
