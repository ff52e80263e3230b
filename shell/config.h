// The two configuration files, read once at start-up.
#pragma once

#include <string>

struct GameConfig {
    bool fullscreen = false;
    bool sound = false;
    std::string language; // "" when the file names none
    bool replays = true;  // every game recorded; a line "replays=off" stops it
};

// The first two lines switch fullscreen and sound: a line switches its flag on
// when it contains "true" in any letter case; a missing file or line counts as
// off. A line "language=CODE" among the first lines names the language and is
// no flag line; neither is "replays=off" (or "false", "0"), which stops the
// recording of games.
GameConfig ReadGameConfig(const std::string& path);
// First line of the stream file; empty (no music) when the file is missing.
std::string ReadStreamAddress(const std::string& path);
