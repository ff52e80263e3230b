#include "media/desktop/native/file_dialog_filter.h"

#include <algorithm>
#include <cctype>

#include "media/text_ops.h"

namespace media_internal {
namespace {

std::vector<std::string> Split(const std::string& text, char sep) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t at = text.find(sep, start);
        parts.push_back(
            text.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos) return parts;
        start = at + 1;
    }
}

// Characters that would change a glob or break a dialog's filter syntax.
bool SafeInExtension(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return std::isalnum(u) || c == '_' || c == '-' || c == '.' || c == '~' || u >= 0x80;
}

// "|" separates label and patterns for zenity; line ends separate groups for kdialog.
std::string GroupLabel(std::string name) {
    for (char& c : name)
        if (c == '|' || c == '\n' || c == '\r') c = ' ';
    return name.empty() ? "Files" : name + " Files";
}

// "map", "*.map" and ".map" all become "*.map"; "*" and "*.*" match anything;
// an extension with characters a glob or dialog would read is left out.
void AddPattern(FileTypeGroup& g, const std::string& raw) {
    const std::string trimmed = Trim(raw);
    std::string ext = trimmed;
    while (!ext.empty() && (ext.front() == '*' || ext.front() == '.'))
        ext.erase(0, 1);
    if (ext.empty()) {
        if (trimmed == "*" || trimmed == "*.*") g.patterns.push_back("*");
        return;
    }
    if (std::all_of(ext.begin(), ext.end(), SafeInExtension)) g.patterns.push_back("*." + ext);
}

} // namespace

std::vector<FileTypeGroup> ParseFileFilter(const std::string& filter) {
    std::vector<FileTypeGroup> groups;
    for (const std::string& group : Split(filter, ';')) {
        if (Trim(group).empty()) continue;
        const size_t colon = group.find(':');
        FileTypeGroup g;
        g.label = GroupLabel(Trim(group.substr(0, colon)));
        const std::string exts = colon == std::string::npos ? "*" : group.substr(colon + 1);
        for (const std::string& raw : Split(exts, ','))
            AddPattern(g, raw);
        if (g.patterns.empty()) g.patterns.push_back("*");
        groups.push_back(g);
    }
    return groups;
}

std::string CaseInsensitiveGlob(const std::string& pattern) {
    std::string out;
    for (char c : pattern) {
        unsigned char u = static_cast<unsigned char>(c);
        if (std::isalpha(u) && u < 0x80) {
            out += '[';
            out += char(std::tolower(u));
            out += char(std::toupper(u));
            out += ']';
        } else {
            out += c;
        }
    }
    return out;
}

std::vector<std::string> ZenityFilters(const std::vector<FileTypeGroup>& groups) {
    std::vector<std::string> out;
    for (const FileTypeGroup& g : groups) {
        std::string f = g.label + " |";
        for (const std::string& p : g.patterns)
            f += " " + CaseInsensitiveGlob(p);
        out.push_back(f);
    }
    return out;
}

std::string KdialogFilter(const std::vector<FileTypeGroup>& groups) {
    std::string out;
    for (const FileTypeGroup& g : groups) {
        if (!out.empty()) out += '\n';
        out += g.label + " (";
        for (size_t i = 0; i < g.patterns.size(); ++i)
            out += (i ? " " : "") + g.patterns[i];
        out += ")";
    }
    return out;
}

} // namespace media_internal
