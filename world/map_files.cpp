#include "world/map_files.h"

namespace {
// ASCII only: bytes of UTF-8 sequences must stay as they are.
std::string LowerAscii(const std::string& text) {
    std::string lower = text;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Lower-cases `path` and swaps its trailing `from` for `to`; false (and the
// path untouched) when the lower-cased path does not end with `from`.
bool SwapExtension(std::string& path, const std::string& from, const std::string& to) {
    std::string lower = LowerAscii(path);
    if (!EndsWith(lower, from)) return false;
    lower.replace(lower.size() - from.size(), from.size(), to);
    path = lower;
    return true;
}
} // namespace

std::string LayerFileName(const std::string& imagePath, const std::string& newExt) {
    std::string path = imagePath;
    SwapExtension(path, ".png", newExt);
    return path;
}

std::string MapImageFileName(const std::string& layerPath) {
    std::string path = layerPath;
    if (!SwapExtension(path, ".map", ".png")) path = LowerAscii(path);
    return path;
}
