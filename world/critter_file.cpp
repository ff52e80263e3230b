#include "world/critter_file.h"

#include <climits>
#include <cstdint>

namespace {
int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}
} // namespace

int ParseCritterCount(const std::string& line, bool* digits) {
    std::size_t i = 0;
    while (i < line.size() && IsSpace(line[i]))
        ++i;
    bool negative = false;
    if (i < line.size() && (line[i] == '+' || line[i] == '-')) {
        negative = line[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < line.size() && line[i] == '%') {
        base = 2;
        ++i;
    } else if (i < line.size() && line[i] == '$') {
        base = 16;
        ++i;
    }
    // Accumulate the magnitude with a ceiling just past INT_MAX so that a
    // long run of digits saturates instead of overflowing.
    const std::int64_t ceiling = static_cast<std::int64_t>(INT_MAX) + 1;
    std::int64_t magnitude = 0;
    const std::size_t firstDigit = i;
    for (; i < line.size(); ++i) {
        int digit = DigitValue(line[i]);
        if (digit >= base) break;
        magnitude = magnitude * base + digit;
        if (magnitude > ceiling) magnitude = ceiling;
    }
    if (digits) *digits = i > firstDigit;
    if (negative) return static_cast<int>(-magnitude);
    return static_cast<int>(magnitude > INT_MAX ? INT_MAX : magnitude);
}
