#include "problem_rows.h"

#include <algorithm>

#include "editor_texts.h"

namespace editor {
namespace {

// Continuation rows are indented so the eye finds where each finding starts.
constexpr const char* kIndent = "  ";

void Wrap(int problem, const std::string& text, std::size_t columns, std::vector<ProblemRow>& out) {
    std::string rest = text;
    std::string lead;
    while (lead.size() + rest.size() > columns) {
        const std::size_t room = columns - lead.size();
        std::size_t cut = rest.rfind(' ', room);
        if (cut == std::string::npos || cut == 0) cut = room;
        out.push_back({problem, lead + rest.substr(0, cut)});
        rest.erase(0, rest[cut] == ' ' ? cut + 1 : cut);
        lead = kIndent;
    }
    out.push_back({problem, lead + rest});
}

} // namespace

std::vector<ProblemRow> VisibleProblemRows(const std::vector<Problem>& problems, int selected,
                                           int rows, std::size_t columns) {
    std::vector<ProblemRow> all;
    int selectedEnd = 0; // one past the selected problem's last row
    for (int i = 0; i < static_cast<int>(problems.size()); ++i) {
        const Problem& p = problems[i];
        Wrap(i, Tr(p.error ? editor_texts::kErrorRow : editor_texts::kWarningRow, {p.text}),
             columns, all);
        if (i == selected) selectedEnd = static_cast<int>(all.size());
    }
    const int first = std::max(0, selectedEnd - rows);
    const int last = std::min(static_cast<int>(all.size()), first + rows);
    return {all.begin() + first, all.begin() + last};
}

} // namespace editor
