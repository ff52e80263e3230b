// Safe access to layers of one map cell for the castaway's rules.
#pragma once

#include "core/state.h"
#include "world/karte.h"

// Layer l of cell (x, y); 0 for a cell outside the map.
inline int CellAt(int x, int y, int l) {
    const TKarte& map = karte;
    return map.contains(x, y) ? map.data(x, y, l) : 0;
}

// Writes layer l of cell (x, y); returns false (and writes nothing) outside the map.
inline bool SetCell(int x, int y, int l, int value) {
    if (!karte.contains(x, y)) return false;
    karte.data(x, y, l) = value;
    return true;
}
