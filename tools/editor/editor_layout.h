// The editor window's layout, shared by its drawing and its mouse handling.
#pragma once

#include <string>

#include "editor.h"
#include "world/karte.h"
#include "world/objekt.h"

namespace editor {

constexpr int TILE = TKarte::TILE_SIZE;
constexpr int ITEM_COUNT = TObjekt::COUNT;
constexpr int PANEL_X = VIEW_W + 8;
// The palette in the panel: the five ground tiles, then the items 8 to a row.
constexpr int PALETTE_Y = 84;
constexpr int ITEMS_Y = PALETTE_Y + 40;
constexpr int ITEMS_PER_ROW = 8;
constexpr int LINE = 12;
constexpr int PROBLEMS_Y = VIEW_H + 22;
constexpr int PROBLEM_ROWS = (WINDOW_H - PROBLEMS_Y - 4) / LINE;
// Letters of the built-in font across the list (the map view's width).
constexpr std::size_t PROBLEM_COLUMNS = 78;

inline std::string CellText(int x, int y) {
    return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

inline bool Inside(int px, int py, int x, int y, int w, int h) {
    return px >= x && py >= y && px < x + w && py < y + h;
}

} // namespace editor
