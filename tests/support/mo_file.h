// A GNU message catalog (.mo file) made in a test: a partial or hostile
// catalog needs no msgfmt run and no file in the tree.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Pairs of original and translation, the header first as ("", "..."); a
// plural entry's original is "singular\0plural" and its translation the forms
// joined by '\0'. Little-endian, as msgfmt writes on these machines.
inline std::string MoFile(const std::vector<std::pair<std::string, std::string>>& entries) {
    const auto word = [](std::string& out, std::size_t value) {
        for (int i = 0; i < 4; ++i)
            out += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    const std::size_t count = entries.size(), originals = 28, translations = originals + 8 * count;
    std::size_t text = translations + 8 * count;
    std::string head, tables, strings;
    word(head, 0x950412de), word(head, 0), word(head, count), word(head, originals);
    word(head, translations), word(head, 0), word(head, 0);
    std::string first, second;
    for (const auto& [original, translation] : entries) {
        word(first, original.size()), word(first, text + strings.size());
        strings += original + '\0';
    }
    for (const auto& [original, translation] : entries) {
        word(second, translation.size()), word(second, text + strings.size());
        strings += translation + '\0';
    }
    return head + first + second + strings;
}
