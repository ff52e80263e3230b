// The level load with its title picture, and the title menu.
#pragma once

// Reloads map, critters and castaway from `mapfile`, then shows the title
// picture until a key types a character. Leaves gamestate at GS_MENU.
void LoadLevelAndShowTitle();
// Runs the title menu until a game starts (GS_PLAY) or a map was chosen
// (GS_LOADLEVEL); quitting ends the program.
void RunTitleMenu();
