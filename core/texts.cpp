#include "core/texts.h"

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

std::string Tr(const TText& text, const std::vector<std::string>& args) {
    const std::string pattern = Tr(text);
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
