#include "problem_rows.h"

#include <algorithm>

#include "editor_texts.h"
#include "text_fit.h"

namespace editor {
namespace {

// Continuation rows are indented so the eye finds where each finding starts.
constexpr const char* kIndent = "  ";

std::vector<ProblemRow> AllRows(const std::vector<Problem>& problems, std::size_t columns) {
    std::vector<ProblemRow> all;
    for (int i = 0; i < static_cast<int>(problems.size()); ++i) {
        const Problem& p = problems[i];
        for (std::string& line :
             WrapWords(Tr(p.error ? editor_texts::kErrorRow : editor_texts::kWarningRow, {p.text}),
                       columns, kIndent))
            all.push_back({i, std::move(line)});
    }
    return all;
}

} // namespace

ProblemView VisibleProblemRows(const std::vector<Problem>& problems, int top, int rows,
                               std::size_t columns) {
    std::vector<ProblemRow> all = AllRows(problems, columns);
    ProblemView view;
    view.total = static_cast<int>(all.size());
    view.first = std::clamp(top, 0, std::max(0, view.total - rows));
    const int last = std::min(view.total, view.first + rows);
    view.rows.assign(std::make_move_iterator(all.begin() + view.first),
                     std::make_move_iterator(all.begin() + last));
    return view;
}

int TopShowing(const std::vector<Problem>& problems, int selected, int top, int rows,
               std::size_t columns) {
    if (selected < 0) return top;
    const std::vector<ProblemRow> all = AllRows(problems, columns);
    int begin = -1, end = 0; // the selected problem's rows
    for (int i = 0; i < static_cast<int>(all.size()); ++i)
        if (all[i].problem == selected) {
            if (begin < 0) begin = i;
            end = i + 1;
        }
    if (begin < 0) return top;
    if (end > top + rows) top = end - rows;
    return std::min(top, begin);
}

} // namespace editor
