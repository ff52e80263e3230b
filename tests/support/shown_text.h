// Whether a shown text is a given entry of the text table, in whatever
// language the test runs, for texts whose "%s" hold paths or counts.
#pragma once

#include <string>

#include "core/texts.h"

// True when every fixed piece of `pattern` appears in `shown`, in order.
inline bool ShowsPattern(const std::string& shown, const std::string& pattern) {
    std::size_t at = 0, from = 0;
    while (true) {
        const std::size_t next = pattern.find("%s", from);
        const std::string piece =
            pattern.substr(from, next == std::string::npos ? std::string::npos : next - from);
        if (!piece.empty()) {
            at = shown.find(piece, at);
            if (at == std::string::npos) return false;
            at += piece.size();
        }
        if (next == std::string::npos) return true;
        from = next + 2;
    }
}

// True when `shown` holds `entry` (in the chosen language) with its "%s"
// filled in; a text with a count in any of its plural forms.
inline bool Shows(const std::string& shown, const TText& entry) {
    if (!entry.germanPlural) return ShowsPattern(shown, Tr(entry));
    for (unsigned long count : {1UL, 2UL, 5UL})
        if (ShowsPattern(shown, Tr(entry, count, {"%s", "%s", "%s", "%s"}))) return true;
    return false;
}
