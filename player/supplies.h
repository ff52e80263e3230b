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

// Food points the voyage needs.
constexpr int VOYAGE_FOOD_NEEDED = 6;

// What an item counts for the voyage's food: Braten and Kokosnuss two points,
// Fleisch and Beeren one, anything else none.
int VoyageFoodPoints(int id);

// Segel gives the sail, Lederbeutel the water, and VOYAGE_FOOD_NEEDED food
// points are enough.
Supplies CheckSupplies(const std::array<int, TPlayer::SLOTS>& inventory);
