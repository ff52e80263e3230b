// The prompt's line of text with a cursor: typing inserts at the cursor, the
// cursor keys move it, Ctrl+A selects everything for the next key to replace.
#pragma once

#include <cstddef>
#include <string>

namespace editor {

enum class FieldEdit { Left, Right, Home, End, Backspace, Delete, SelectAll };

class TextField {
  public:
    TextField() = default;
    // The cursor starts at the end of `text`, nothing selected.
    explicit TextField(std::string text);

    // A typed character (a Unicode code point); control characters are ignored.
    void Type(int codepoint);
    void Apply(FieldEdit edit);

    const std::string& Text() const { return text_; }
    // A byte offset into Text(), always at the start of a character.
    std::size_t Cursor() const { return cursor_; }
    bool AllSelected() const { return all_; }
    // The part of the text `columns` characters wide that holds the cursor;
    // `cursorAt` gets the cursor's byte offset in that part.
    std::string Visible(std::size_t columns, std::size_t& cursorAt) const;

    // Longest text kept: a path, not a document.
    static constexpr std::size_t kMaxBytes = 400;

  private:
    std::size_t PreviousStart() const;
    std::size_t NextStart() const;

    std::string text_;
    std::size_t cursor_ = 0;
    bool all_ = false;
};

} // namespace editor
