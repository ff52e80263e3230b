// Minimal UTF-8 decoding for drawing text without allocating.
#pragma once

#include <cstddef>
#include <string_view>

namespace media_internal {

// Decodes the code point at `pos` and moves `pos` past it. A malformed
// sequence yields U+FFFD and skips one byte, so decoding always advances.
inline char32_t NextCodePoint(std::string_view text, size_t& pos) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    int extra = 0;
    char32_t code = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1, code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, code = lead & 0x07;
    } else {
        ++pos;
        return 0xFFFD;
    }
    if (pos + extra >= text.size()) {
        ++pos;
        return 0xFFFD;
    }
    for (int i = 1; i <= extra; ++i) {
        const unsigned char next = byte(pos + i);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
        }
        code = (code << 6) | (next & 0x3F);
    }
    static constexpr char32_t kMinForLength[4] = {0, 0x80, 0x800, 0x10000};
    if (code < kMinForLength[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        ++pos;
        return 0xFFFD;
    }
    pos += extra + 1;
    return code;
}

} // namespace media_internal
