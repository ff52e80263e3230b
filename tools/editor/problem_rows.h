// The problem list as the editor shows it: each finding on as many rows as its
// text needs, so a long one wraps instead of being cut at the panel's edge,
// and a window onto those rows that scrolls.
#pragma once

#include <string>
#include <vector>

#include "editor.h"

namespace editor {

struct ProblemRow {
    int problem; // index into the problems
    std::string text;
};

struct ProblemView {
    std::vector<ProblemRow> rows; // the rows on screen
    int first = 0;                // the first of them among all rows
    int total = 0;                // all rows of the list
};

// The `rows` rows on screen, `columns` letters wide, from row `top` on (moved
// back so the list never scrolls past its end). Called by the drawing and by
// the click that selects a problem, so both see the same rows.
ProblemView VisibleProblemRows(const std::vector<Problem>& problems, int top, int rows,
                               std::size_t columns);

// The top row nearest to `top` that shows the selected problem whole (as far
// as it fits); `top` itself when nothing is selected.
int TopShowing(const std::vector<Problem>& problems, int selected, int top, int rows,
               std::size_t columns);

} // namespace editor
