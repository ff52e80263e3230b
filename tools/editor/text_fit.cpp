#include "text_fit.h"

#include <algorithm>
#include <cctype>

namespace editor {
namespace {

constexpr const char* kEllipsis = "..."; // the built-in font has no single-letter one
constexpr std::size_t kEllipsisSize = 3;

bool OnlySigns(const std::string& word) {
    return !word.empty() && std::none_of(word.begin(), word.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0;
    });
}

// The words between spaces; a word of signs only ("%", "/") stays on the line
// of the word before it, a slash also with the word after it, so "0.0 %" and
// "4 / 96" never break.
std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    bool glue = false;
    for (std::size_t at = 0; at <= text.size();) {
        const std::size_t end = std::min(text.find(' ', at), text.size());
        std::string word = text.substr(at, end - at);
        at = end + 1;
        const bool signs = OnlySigns(word), slash = word == "/";
        if ((signs || glue) && !words.empty())
            words.back() += " " + word;
        else
            words.push_back(std::move(word));
        glue = slash;
    }
    return words;
}

} // namespace

std::string ShortenMiddle(const std::string& text, std::size_t columns) {
    if (text.size() <= columns) return text;
    if (columns <= kEllipsisSize) return text.substr(0, columns);
    // The end gets the larger half: a file's name says more than its folders.
    const std::size_t keep = columns - kEllipsisSize;
    const std::size_t head = keep / 2, tail = keep - head;
    return text.substr(0, head) + kEllipsis + text.substr(text.size() - tail);
}

std::vector<std::string> WrapWords(const std::string& text, std::size_t columns,
                                   const std::string& indent) {
    std::vector<std::string> lines;
    std::string line;
    const std::size_t width = std::max(columns, indent.size() + 1);
    const auto room = [&] { return width - (lines.empty() ? 0 : indent.size()); };
    const auto finish = [&] {
        lines.push_back((lines.empty() ? "" : indent) + line);
        line.clear();
    };
    for (std::string& word : Words(text)) {
        if (!line.empty() && line.size() + 1 + word.size() > room()) finish();
        if (word.size() > room() && word.find('/') != std::string::npos)
            word = ShortenMiddle(word, room());
        while (word.size() > room()) { // no space to break at: split as the last resort
            line = word.substr(0, room());
            word.erase(0, room());
            finish();
        }
        line += (line.empty() ? "" : " ") + word;
    }
    if (!line.empty() || lines.empty()) finish();
    return lines;
}

} // namespace editor
