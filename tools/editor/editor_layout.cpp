// The layout rule: whole-number scales, spare room to the map view.
#include "editor_layout.h"

#include <algorithm>

namespace editor {

Layout LayoutFor(int windowW, int windowH) {
    Layout l;
    l.scale = std::max(1, std::min(windowW / kWindowW, windowH / kWindowH));
    l.width = std::max(kMinWindowW, windowW / l.scale);
    l.height = std::max(kMinWindowH, windowH / l.scale);
    l.columns = (l.width - kPanelW) / kTile;
    l.rows = (l.height - kBelowH) / kTile;
    l.viewW = l.columns * kTile;
    l.viewH = l.rows * kTile;
    l.panelX = l.viewW + 8;
    l.problemsY = l.viewH + 22;
    l.problemRows = (l.height - l.problemsY - 4) / kLine;
    l.problemColumns = static_cast<std::size_t>((l.viewW - 16) / kLetterW);
    l.palette = PaletteFor(l.panelX, TObjekt::COUNT);
    // The facts under the palette take twelve lines.
    l.buttonsY = l.palette.bottom + 146;
    return l;
}

PaletteLayout PaletteFor(int x, int itemCount) {
    PaletteLayout p;
    p.x = x;
    p.items = std::max(itemCount, 0);
    p.itemRows = (std::max(itemCount, 0) + kItemsPerRow - 1) / kItemsPerRow;
    p.bottom = kItemsY + p.itemRows * kPalettePitch;
    return p;
}

int PaletteLayout::GroundAt(int px, int py) const {
    for (int k = 0; k < TKarte::GROUND_KINDS; ++k)
        if (Inside(px, py, GroundX(k), kPaletteY, kPaletteEntry, kPaletteEntry)) return k;
    return -1;
}

int PaletteLayout::ItemAt(int px, int py) const {
    for (int id = 1; id <= items; ++id)
        if (Inside(px, py, ItemX(id), ItemY(id), kPaletteEntry, kPaletteEntry)) return id;
    return -1;
}

} // namespace editor
