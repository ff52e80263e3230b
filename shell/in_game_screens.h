// The game's own stand-ins for the desktop's file dialog and text viewer, for
// desktops that have none: drawn in the game window, driven by keys.
#pragma once

#include <string>

// Lists the .map files of the player's maps folder and of the game's map/
// folder, then a new island; arrows move, Enter or Space pick, Escape cancels.
// Returns the picked file's absolute path, a generated island's name (see
// shell/generated_island.h), or "" when cancelled.
std::string RunMapChooser(const std::string& title);

// Shows a text file page by page with the built-in font: Right, Down or Space
// turn forward, Left or Up back, Escape returns.
void RunReader(const std::string& path);

// One line of the file as the built-in font draws it: its UTF-8 letters, a
// malformed byte as "?", a tab as four spaces, other control characters left out.
std::string PlainLine(const std::string& line);
