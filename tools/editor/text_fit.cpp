#include "text_fit.h"

#include <algorithm>
#include <cctype>

#include "media/text_ops.h"

namespace editor {
namespace {

constexpr const char* kEllipsis = "..."; // the built-in font has no single-letter one
constexpr std::size_t kEllipsisSize = 3;

bool OnlySigns(const std::string& word) {
    // Bytes of UTF-8 sequences are letters ("ż"), whatever the locale says.
    return !word.empty() && std::none_of(word.begin(), word.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0x80 || std::isalnum(byte) != 0;
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
    const std::size_t letters = Utf8Letters(text);
    if (letters <= columns) return text;
    if (columns <= kEllipsisSize) return Utf8Prefix(text, columns);
    // The end gets the larger half: a file's name says more than its folders.
    const std::size_t keep = columns - kEllipsisSize;
    const std::size_t head = keep / 2, tail = keep - head;
    return Utf8Prefix(text, head) + kEllipsis +
           text.substr(Utf8Prefix(text, letters - tail).size());
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
        if (!line.empty() && Utf8Letters(line) + 1 + Utf8Letters(word) > room()) finish();
        if (Utf8Letters(word) > room() && word.find('/') != std::string::npos)
            word = ShortenMiddle(word, room());
        while (Utf8Letters(word) > room()) { // no space to break at: split as the last resort
            line = Utf8Prefix(word, room());
            word.erase(0, line.size());
            finish();
        }
        line += (line.empty() ? "" : " ") + word;
    }
    if (!line.empty() || lines.empty()) finish();
    return lines;
}

} // namespace editor
