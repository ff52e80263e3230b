// What the castaway carries for the voyage: checked when the raft is finished
// and by the victory check while standing on it.
#pragma once

#include <array>

#include "player/player.h"

struct Supplies {
    bool sail;
    bool water;
    bool food;
};

// Segel gives the sail, Lederbeutel the water; Braten and Kokosnuss count two
// food points, Fleisch and Beeren one, and six points are enough.
Supplies CheckSupplies(const std::array<int, TPlayer::SLOTS>& inventory);
