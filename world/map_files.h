// Names of the files that sit next to a map image.
#pragma once

#include <string>

// "X.png" (any case) -> lower-cased path with every ".png" replaced by newExt;
// any other path is returned unchanged.
std::string LayerFileName(const std::string& imagePath, const std::string& newExt);
