// The cells of the rectangle and line tools, from a drag's first to its last cell.
#pragma once

#include <vector>

#include "document.h"

namespace editor {

// The rectangle with the two cells as opposite corners, either order.
Region Spanned(int x0, int y0, int x1, int y1);
// The cells both rectangles hold.
Region Overlap(Region a, Region b);
// Every cell of the rectangle, row by row.
std::vector<Cell> RectCells(Region r);
// A gap-free line of single cells (Bresenham), both ends included.
std::vector<Cell> LineCells(int x0, int y0, int x1, int y1);

} // namespace editor
