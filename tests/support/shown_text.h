// Whether a shown text is a given entry of the text table, in whatever
// language the test runs, for texts whose "%s" hold paths or counts.
#pragma once

#include <string>

#include "core/texts.h"

// True when every fixed piece of `entry` (in the chosen language) appears in
// `shown`, in order: `shown` holds the entry with its "%s" filled in.
inline bool Shows(const std::string& shown, const TText& entry) {
    const std::string pattern = Tr(entry);
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
