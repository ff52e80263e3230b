#include "media/text_ops.h"

#include "media/system/utf8.h"

namespace {

char LowerChar(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    const char lower = LowerChar(c);
    if (lower >= 'a' && lower <= 'f') return lower - 'a' + 10;
    return -1;
}

} // namespace

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = LowerChar(c);
    return lower;
}

std::string Trim(std::string_view text) {
    std::size_t a = 0, b = text.size();
    while (a < b && IsBlank(text[a]))
        ++a;
    while (b > a && IsBlank(text[b - 1]))
        --b;
    return std::string(text.substr(a, b - a));
}

bool EqualsNoCase(std::string_view text, std::string_view other) {
    if (text.size() != other.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (LowerChar(text[i]) != LowerChar(other[i])) return false;
    return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           EqualsNoCase(text.substr(text.size() - suffix.size()), suffix);
}

std::string PercentDecode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int high = text[i] == '%' && i + 2 < text.size() ? HexValue(text[i + 1]) : -1;
        const int low = high >= 0 ? HexValue(text[i + 2]) : -1;
        if (low < 0) {
            out += text[i];
            continue;
        }
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

std::string FileName(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::size_t Utf8Letters(std::string_view text) {
    std::size_t letters = 0;
    for (std::size_t pos = 0; pos < text.size(); ++letters)
        media_internal::NextCodePoint(text, pos);
    return letters;
}

std::string Utf8Prefix(std::string_view text, std::size_t letters) {
    std::size_t pos = 0;
    for (; pos < text.size() && letters > 0; --letters)
        media_internal::NextCodePoint(text, pos);
    return std::string(text.substr(0, pos));
}

std::string ValidUtf8(std::string_view text) {
    std::string out;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        const char32_t code = media_internal::NextCodePoint(text, pos);
        const bool malformed = code == 0xFFFD && text.substr(start, pos - start) != "\xEF\xBF\xBD";
        if (malformed)
            out += '?';
        else
            out += text.substr(start, pos - start);
    }
    return out;
}
