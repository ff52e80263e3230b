// Names of the files that make up a map: its picture "X.png", its layer file
// "X.map" and its critter file "X.critter".
#pragma once

#include <string>

// "X.png" (any case) -> lower-cased path with its trailing ".png" replaced by
// newExt; any other path is returned unchanged. Only the file name's own
// extension changes, so a folder such as "Karten.png/" keeps its name.
std::string LayerFileName(const std::string& imagePath, const std::string& newExt);
// The same rule the other way, for the layer file a player chose: "X.map" (any
// case) -> lower-cased "x.png"; any other path comes back lower-cased.
std::string MapImageFileName(const std::string& layerPath);
