#include "world/map_files.h"

#include "media/text_ops.h"

namespace {
// Lower-cases `path` and swaps its trailing `from` for `to`; false (and the
// path untouched) when the path does not end with `from` in any case.
bool SwapExtension(std::string& path, const std::string& from, const std::string& to) {
    if (!EndsWithNoCase(path, from)) return false;
    std::string lower = LowerAscii(path);
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
