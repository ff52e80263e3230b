// The editor window's layout, shared by its drawing and its mouse handling.
#pragma once

#include <string>

#include "editor.h"
#include "world/karte.h"
#include "world/objekt.h"

namespace editor {

constexpr int kTile = TKarte::TILE_SIZE;
constexpr int kItemCount = TObjekt::COUNT;
constexpr int kPanelX = kViewW + 8;
// The palette in the panel: the five ground tiles, then the items 8 to a row.
constexpr int kPaletteY = 84;
constexpr int kItemsY = kPaletteY + 40;
constexpr int kItemsPerRow = 8;
constexpr int kLine = 12;
// A letter of the built-in font.
constexpr int kLetterW = 8;
constexpr int kProblemsY = kViewH + 22;
constexpr int kProblemRows = (kWindowH - kProblemsY - 4) / kLine;
// Letters of the built-in font across the list (the map view's width, less
// the scroll bar's).
constexpr std::size_t kProblemColumns = 78;
// The status lines, in the panel below the buttons.
constexpr int kStatusY = 470;
constexpr int kStatusLines = (kWindowH - kStatusY - 4) / kLine;
constexpr std::size_t kStatusColumns = (kWindowW - kPanelX) / kLetterW - 1;
// The question box over the view and the letters across it.
constexpr int kPromptX = 40, kPromptY = 180, kPromptW = 560;
constexpr std::size_t kPromptColumns = 66;

inline std::string CellText(int x, int y) {
    return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

inline bool Inside(int px, int py, int x, int y, int w, int h) {
    return px >= x && py >= y && px < x + w && py < y + h;
}

} // namespace editor
