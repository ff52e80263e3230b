// The critter file's number rule against a reference written from the rule
// itself: blanks, one sign, "%" binary or "$" hex or decimal digits up to the
// first that does not fit, no digits 0, saturation at the int range.
#include <algorithm>
#include <climits>
#include <cstdint>

#include "fuzz_support.h"
#include "world/critter_file.h"

namespace {
long long Reference(const std::string& line, bool& anyDigit) {
    std::size_t i = line.find_first_not_of(" \t\r\n\v\f");
    if (i == std::string::npos) i = line.size();
    bool negative = false;
    if (i < line.size() && (line[i] == '+' || line[i] == '-')) negative = line[i++] == '-';
    std::string digits = "0123456789";
    if (i < line.size() && line[i] == '%') {
        digits = "01";
        ++i;
    } else if (i < line.size() && line[i] == '$') {
        digits = "0123456789abcdefABCDEF";
        ++i;
    }
    const int base = digits == "01" ? 2 : digits.size() > 10 ? 16 : 10;
    std::uint64_t value = 0; // held at 2^40 at most, far past the int range
    anyDigit = false;
    for (; i < line.size() && digits.find(line[i]) != std::string::npos; ++i) {
        anyDigit = true;
        const char c = line[i];
        const int d = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
        value = std::min<std::uint64_t>(value * static_cast<std::uint64_t>(base) +
                                            static_cast<std::uint64_t>(d),
                                        std::uint64_t{1} << 40);
    }
    const long long v = static_cast<long long>(value);
    return negative ? std::max<long long>(-v, INT_MIN) : std::min<long long>(v, INT_MAX);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    bool digits = false, expectedDigits = false;
    const int got = ParseCritterCount(line, &digits);
    const long long expected = Reference(line, expectedDigits);
    fuzz::Check(got == expected, "critter number rule");
    fuzz::Check(digits == expectedDigits, "digits seen");
    return 0;
}
