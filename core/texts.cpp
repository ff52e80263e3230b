#include "core/texts.h"

#include <cstdio>

#include "media/language.h"

const std::vector<const TText*>& AllTexts() {
#define PALMUT_TEXT_ROW(name, german, place) &texts::name,
    static const std::vector<const TText*> all = {PALMUT_TEXTS(PALMUT_TEXT_ROW)};
#undef PALMUT_TEXT_ROW
    return all;
}

const char* Tr(const TText& text) {
    return Translate(text.german);
}

namespace {

std::string Filled(const std::string& pattern, const std::vector<std::string>& args) {
    std::string out;
    std::size_t next = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern.compare(i, 2, "%s") == 0) {
            if (next < args.size()) out += args[next];
            ++next;
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

} // namespace

std::string Tr(const TText& text, const std::vector<std::string>& args) {
    return Filled(Tr(text), args);
}

std::string Tr(const TText& text, unsigned long count, const std::vector<std::string>& args) {
    const char* pattern = text.germanPlural ? TranslatePlural(text.german, text.germanPlural, count)
                                            : Translate(text.german);
    return Filled(pattern, args);
}

std::string Decimal(double value, int decimals) {
    char digits[64];
    std::snprintf(digits, sizeof digits, "%.*f", decimals, value);
    std::string out;
    // snprintf writes the C locale's point whatever the language.
    for (const char* c = digits; *c; ++c)
        out += *c == '.' ? std::string(Tr(texts::DECIMAL_SEPARATOR)) : std::string(1, *c);
    return out;
}
