// The dialog's file-type list from the game's filter text
// ("name:ext1,ext2;name2:ext3").
#pragma once

#include <string>
#include <vector>

namespace media_internal {

struct FileTypeGroup {
    std::string label;                 // "<name> Files"
    std::vector<std::string> patterns; // "*.map", or "*" for every file
};

std::vector<FileTypeGroup> ParseFileFilter(const std::string& filter);

// Glob that matches the pattern in any letter case ("*.map" -> "*.[mM][aA][pP]"),
// since the game's folders come from a file system that ignores case.
std::string CaseInsensitiveGlob(const std::string& pattern);

// One zenity --file-filter value per group: "map Files | *.[mM][aA][pP]".
std::vector<std::string> ZenityFilters(const std::vector<FileTypeGroup>& groups);
// kdialog's filter text: "map Files (*.map)", groups on separate lines.
std::string KdialogFilter(const std::vector<FileTypeGroup>& groups);

} // namespace media_internal
