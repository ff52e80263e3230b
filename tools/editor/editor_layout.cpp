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
    return l;
}

} // namespace editor
