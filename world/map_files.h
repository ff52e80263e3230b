// Names of the files that sit next to a map image.
#pragma once

#include <string>

// "X.png" (any case) -> lower-cased path with its trailing ".png" replaced by
// newExt; any other path is returned unchanged. Only the file name's own
// extension changes, so a folder such as "Karten.png/" keeps its name.
std::string LayerFileName(const std::string& imagePath, const std::string& newExt);
