// UTF-8 in both directions, for typed text and for lines read from files.
#pragma once

#include <string>

namespace media_internal {

// Code points of a UTF-8 text; each malformed byte becomes U+FFFD, as in
// NextCodePoint.
std::u32string DecodeUtf8(const std::string& text);
// Appends one code point as UTF-8 (invalid code points are skipped).
void AppendUtf8(std::string& out, char32_t c);

} // namespace media_internal
