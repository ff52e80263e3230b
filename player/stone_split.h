// What a hammer blow makes of a stone chunk; shared by the blow on a stone
// lying on the ground and by the hammer + stone combination.
#pragma once

#include "world/message.h"

struct StoneSplit {
    int result;          // what the stone becomes: 0 (gone), Feuerstein, Schiefer, Eisenerz
                         // or Steinbrocken (unchanged)
    const char* message; // shown for STONE_SPLIT_MESSAGE_MS
};

constexpr int STONE_SPLIT_MESSAGE_MS = Tmessage::REMARK_MS;

// The outcome for a draw r in 1..100.
StoneSplit StoneSplitFor(int r);
// Draws the number and looks up the outcome.
StoneSplit SplitStone();
