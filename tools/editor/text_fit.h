// Fitting the editor's texts into its panels, which count letters of the
// built-in font: lines break between words, and a long path loses its middle.
#pragma once

#include <string>
#include <vector>

namespace editor {

// `text` in at most `columns` letters: a longer one keeps its start and its
// end (a path's folder root and file name) around "...".
std::string ShortenMiddle(const std::string& text, std::size_t columns);

// `text` broken into lines of at most `columns` letters, between words only;
// continuation lines start with `indent`. A word too long for a line is
// shortened in the middle when it is a path, and otherwise, as a last resort,
// split.
std::vector<std::string> WrapWords(const std::string& text, std::size_t columns,
                                   const std::string& indent = "");

} // namespace editor
