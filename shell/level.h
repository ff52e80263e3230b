// Loading an island for play: the map, the castaway's start and the critters,
// and the map the menu chose on its way to the next load.
#pragma once

#include <string>

#include "world/karte.h"

// Keeps a map the menu decoded from `path` for the next LoadLevel of that path,
// so the file is read once.
void KeepChosenMap(const std::string& path, TKarte map);
// The map to play from `path`: the one the menu kept for it, else read now.
// Drops any kept map either way.
TKarte MapToPlay(const std::string& path);
// Where the castaway starts on `map`: the first diagonal cell (i, i) that is not
// sea; without one, (x, y) pulled inside the map.
void StartCell(const TKarte& map, int& x, int& y);
// Puts the castaway on StartCell of the current map.
void PlacePlayer();
// Reloads map, critters and castaway from `mapfile`; gamestate stays.
void LoadLevel();
// The first island, read from `mapfile`: loaded for the title picture to show,
// or with startInPlay loaded whole and played at once (gamestate GS_PLAY).
void LoadFirstIsland();
