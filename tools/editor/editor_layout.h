// The editor window's layout, shared by its drawing and its mouse handling.
#pragma once

#include <cstddef>
#include <string>

#include "world/karte.h"
#include "world/objekt.h"

namespace editor {

constexpr int kTile = TKarte::TILE_SIZE;
constexpr int kItemCount = TObjekt::COUNT;
// The window opens at the size of the whole layout at 1x: the game's own view
// (20 x 15 cells) in the top-left corner, the panel right of it and the
// problem list below it.
constexpr int kWindowW = 1024;
constexpr int kWindowH = 704;
constexpr int kPanelW = kWindowW - TKarte::VIEW_COLUMNS * kTile;
constexpr int kBelowH = kWindowH - TKarte::VIEW_ROWS * kTile;
// The smallest window: a view of 8 x 8 cells, and the panel's palette,
// facts, buttons, their hint and two lines of the status message above one
// another.
constexpr int kMinWindowW = kPanelW + 8 * kTile;
constexpr int kMinWindowH = 544;
constexpr int kLine = 12;
// The palette in the panel: the five ground tiles, then the items 8 to a row,
// in as many rows as the catalogue needs; 32-pixel entries 36 pixels apart.
constexpr int kPaletteY = 84;
constexpr int kItemsY = kPaletteY + 40;
constexpr int kItemsPerRow = 8;
constexpr int kPaletteEntry = 32;
constexpr int kPalettePitch = 36;

struct PaletteLayout {
    int x = 0;        // the panel's left edge
    int items = 0;    // in the catalogue
    int itemRows = 0; // rows of items
    int bottom = 0;   // the first pixel row under the items
    // The top-left corner of ground kind `kind`'s entry, and of item `id`'s.
    int GroundX(int kind) const { return x + kind * kPalettePitch; }
    int ItemX(int id) const { return x + (id - 1) % kItemsPerRow * kPalettePitch; }
    int ItemY(int id) const { return kItemsY + (id - 1) / kItemsPerRow * kPalettePitch; }
    // The ground kind (0 up) or item (1 up) whose entry holds a pixel, else -1.
    int GroundAt(int px, int py) const;
    int ItemAt(int px, int py) const;
    bool operator==(const PaletteLayout&) const = default;
};
// The palette for `itemCount` items at the panel's left edge `x`; what the
// panel shows below it starts at `bottom`.
PaletteLayout PaletteFor(int x, int itemCount);
constexpr int kLetterW = 8; // the built-in font's advance

// Where everything lies, in drawing pixels, for one window size.
struct Layout {
    int scale = 1;             // window pixels per drawing pixel
    int width = 0, height = 0; // the picture
    int columns = 0, rows = 0; // cells of the 1x view
    int viewW = 0, viewH = 0;  // the map view in the top-left corner
    int panelX = 0;            // where the panel's contents start
    int problemsY = 0;         // the problem list's first row
    int problemRows = 0;
    std::size_t problemColumns = 0; // letters of the built-in font across the list
    PaletteLayout palette;          // of every item in the catalogue
    int buttonsY = 0;               // the buttons' first row, under the panel's facts

    bool operator==(const Layout&) const = default;
};

// The layout for a window of windowW x windowH pixels. The built-in font is
// only readable at whole scales, so the picture is the window divided by a
// whole number: 1 until the window holds the whole layout twice, and so on.
// Room beyond the layout at that scale goes to the map view in whole cells
// (the rest of a cell to the panel and the problem list), never to bigger
// pixels. A window under the smallest size gets the smallest layout.
Layout LayoutFor(int windowW, int windowH);
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
