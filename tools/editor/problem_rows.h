// The problem list as the editor shows it: each finding on as many rows as its
// text needs, so a long one wraps instead of being cut at the panel's edge.
#pragma once

#include <string>
#include <vector>

#include "editor.h"

namespace editor {

struct ProblemRow {
    int problem; // index into the problems
    std::string text;
};

// The `rows` rows on screen, `columns` letters wide, scrolled so that the
// selected problem (-1: none) is whole in view. Called by the drawing and by
// the click that selects a problem, so both see the same rows.
std::vector<ProblemRow> VisibleProblemRows(const std::vector<Problem>& problems, int selected,
                                           int rows, std::size_t columns);

} // namespace editor
