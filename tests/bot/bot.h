// A planning player for tests: it reads what the game shows (map, critters,
// the castaway) and answers with key presses only, one pass at a time, so it
// plays through the same input, movement and action code as a person.
#pragma once

#include <string>
#include <vector>

namespace bot {

struct Outcome {
    bool won = false;
    int passes = 0; // main-loop passes from the title picture to the end
    int steps = 0;  // cells walked in all lives
    int deaths = 0;
    std::string end; // "victory", "hunger", "thirst", "lizard", "no apes", "passes"
};

// Plays the island whose map image is `mapImage` (a path the game can open)
// from the title picture to the victory screen, on random seed `seed`, within
// `maxPasses` passes of the main loop. Needs the window open and the play
// assets loaded. With `retry` a death restarts the island, as a player would;
// without, the first death ends the game.
Outcome PlayIsland(const std::string& mapImage, int seed, int maxPasses, bool retry);

} // namespace bot
