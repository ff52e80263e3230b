// The player's own settings and islands, kept apart from the installed game,
// which is read-only. The game reads these files but never writes them (its
// one write is a replay of each game, shell/replay.h).
#pragma once

#include <string>

// The settings file to read for `name` ("game.cfg", "stream.cfg"): the
// player's copy in ~/.config/palmut/ when it can be read, else `gameCopy`
// from the game's own data.
std::string SettingsFile(const std::string& name, const std::string& gameCopy);
// ~/.local/share/palmut/maps, or "" when the player has no home folder.
std::string UserMapsFolder();
// Where the map dialog starts: the player's maps folder (created on this
// first use) once it holds a .map file, else the game's "map/".
std::string MapDialogFolder();
