// The 8-bit home-computer loading sequence that opens the game.
#pragma once

// Plays the three phases; Escape shortens it. Missing pictures or sounds are
// left out rather than stopping the game.
void PlayIntro();
