// The level load with its title picture, and the title menu.
#pragma once

#include <string>

// Reloads map, critters and castaway from `mapfile`, then shows the title
// picture until a key types a character. Leaves gamestate at 9.
void LoadLevelAndShowTitle();
// Runs the title menu until a game starts (3) or a map was chosen (1); quitting
// ends the program.
void RunTitleMenu();
// The map image path for a chosen layer file: lower case, a trailing ".map"
// becomes ".png".
std::string MapImageForChosenFile(const std::string& chosen);
