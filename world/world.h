// The island's shared state as a whole.
#pragma once

// Back to an empty island: no catalogue entries, messages or critters, and an
// empty map. Called by the game's full reset and by tests between cases.
void ResetWorld();
