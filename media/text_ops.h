// Small text and path helpers, written once for the game, the media modules and
// the tools. Letter case is ASCII only: bytes of UTF-8 sequences stay as they
// are, whatever locale the program runs in.
#pragma once

#include <string>
#include <string_view>

// Called wherever a name or keyword is compared without regard to case.
std::string LowerAscii(std::string_view text);
// Called by the playlist, header and filter parsers: the text without white
// space (space, tab, line ends) at either end.
std::string Trim(std::string_view text);
// Called by address and file-name checks; `prefix`, `suffix` and `other` may be
// in any case.
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
bool EndsWithNoCase(std::string_view text, std::string_view suffix);
bool EqualsNoCase(std::string_view text, std::string_view other);
// Called by the file-address readers: "%41" becomes "A"; a '%' without two hex
// digits after it stays as it is.
std::string PercentDecode(std::string_view text);
// Called for notices and lists: the name after the last '/' or '\', the path
// itself when it has none.
std::string FileName(std::string_view path);
// Called wherever text is counted or cut by letters (the reader's lines, the
// editor's panels, names in notices): the UTF-8 letters of `text`, each
// malformed byte counting as one.
std::size_t Utf8Letters(std::string_view text);
// The first `letters` letters of `text`, never a letter cut in two.
std::string Utf8Prefix(std::string_view text, std::size_t letters);
// Called by the readers of text files: `text` with every malformed UTF-8 byte
// replaced by '?', so what is drawn and counted is whole letters.
std::string ValidUtf8(std::string_view text);
