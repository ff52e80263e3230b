#include "world/map_files.h"

namespace {
// ASCII only: bytes of UTF-8 sequences must stay as they are.
std::string LowerAscii(const std::string& text) {
    std::string lower = text;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}
} // namespace

std::string LayerFileName(const std::string& imagePath, const std::string& newExt) {
    static const std::string png = ".png";
    std::string lower = LowerAscii(imagePath);
    if (lower.size() < png.size() || lower.compare(lower.size() - png.size(), png.size(), png) != 0)
        return imagePath;
    lower.replace(lower.size() - png.size(), png.size(), newExt);
    return lower;
}
