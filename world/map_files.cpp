#include "world/map_files.h"

#include "media/text_ops.h"

std::string LayerFileName(const std::string& imagePath, const std::string& newExt) {
    static const std::string png = ".png";
    std::string lower = LowerAscii(imagePath);
    if (lower.size() < png.size() || lower.compare(lower.size() - png.size(), png.size(), png) != 0)
        return imagePath;
    lower.replace(lower.size() - png.size(), png.size(), newExt);
    return lower;
}
