#include "text_field.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace editor {
namespace {

bool Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::string Utf8(int c) {
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

} // namespace

TextField::TextField(std::string text) : text_(std::move(text)), cursor_(text_.size()) {}

std::size_t TextField::PreviousStart() const {
    std::size_t at = cursor_;
    while (at > 0 && Continuation(text_[--at])) {
    }
    return at;
}

std::size_t TextField::NextStart() const {
    std::size_t at = cursor_;
    if (at < text_.size()) ++at;
    while (at < text_.size() && Continuation(text_[at]))
        ++at;
    return at;
}

void TextField::Type(int codepoint) {
    if (codepoint < 32 || codepoint == 127 || codepoint > 0x10FFFF ||
        (codepoint >= 0xD800 && codepoint < 0xE000))
        return;
    if (all_) {
        text_.clear();
        cursor_ = 0;
        all_ = false;
    }
    const std::string bytes = Utf8(codepoint);
    if (text_.size() + bytes.size() > kMaxBytes) return;
    text_.insert(cursor_, bytes);
    cursor_ += bytes.size();
}

void TextField::Apply(FieldEdit edit) {
    const bool wasAll = std::exchange(all_, false);
    switch (edit) {
    case FieldEdit::SelectAll:
        all_ = !text_.empty();
        cursor_ = text_.size();
        break;
    case FieldEdit::Left:
        cursor_ = wasAll ? 0 : PreviousStart();
        break;
    case FieldEdit::Right:
        cursor_ = wasAll ? text_.size() : NextStart();
        break;
    case FieldEdit::Home:
        cursor_ = 0;
        break;
    case FieldEdit::End:
        cursor_ = text_.size();
        break;
    case FieldEdit::Backspace:
    case FieldEdit::Delete: {
        if (wasAll) {
            text_.clear();
            cursor_ = 0;
            break;
        }
        const bool back = edit == FieldEdit::Backspace;
        const std::size_t from = back ? PreviousStart() : cursor_;
        const std::size_t to = back ? cursor_ : NextStart();
        text_.erase(from, to - from);
        cursor_ = from;
        break;
    }
    }
}

std::string TextField::Visible(std::size_t columns, std::size_t& cursorAt) const {
    std::vector<std::size_t> starts; // byte offset of each character, then the end
    for (std::size_t i = 0; i < text_.size(); ++i)
        if (!Continuation(text_[i])) starts.push_back(i);
    starts.push_back(text_.size());
    const std::size_t count = starts.size() - 1;
    std::size_t at = 0;
    while (starts[at] < cursor_)
        ++at;
    // Room for the cursor behind the last character too.
    std::size_t first = at + 1 > columns ? at + 1 - columns : 0;
    if (count + 1 > columns) first = std::min(first, count + 1 - columns);
    const std::size_t last = std::min(count, first + columns);
    cursorAt = cursor_ - starts[first];
    return text_.substr(starts[first], starts[last] - starts[first]);
}

} // namespace editor
