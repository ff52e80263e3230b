// Opening and saving islands as the game finds them: the picture, the layer
// file beside it (".png" becomes ".map") and the critter file (".critter").
#pragma once

#include <string>
#include <vector>

#include "document.h"
#include "map_analysis.h"

namespace editor {

struct MapPaths {
    std::string image, layer, critter;
};

// The three files of the map a path names: a picture, or a layer file whose
// picture lies beside it. Found without regard to letter case, like the game;
// a file that does not exist keeps the name the game would look for.
MapPaths FindMapFiles(const std::string& path);

// Reads a map with the checker's limits first (size, layer length, critter
// lines), then builds it with the game's own loader. False with `error` set
// when the map cannot be edited; `notes` keeps what the checker found on the way.
bool OpenMap(const std::string& path, Document& doc, MapPaths& paths,
             std::vector<mapcheck::Issue>& notes, std::string& error);

// The files a save of the picture `imagePath` writes. Empty `image` with
// `error` set when the path cannot hold a map the game would find.
MapPaths SaveTargets(const std::string& imagePath, std::string& error);
// Those of `targets` that exist already.
std::vector<std::string> ExistingFiles(const MapPaths& targets);

// Writes the three files, each to a temporary file beside it first and renamed
// over the old one only when all three were written completely.
bool SaveMap(const Document& doc, const MapPaths& targets, std::string& error);

// The player's own maps folder: $XDG_DATA_HOME/palmut/maps/, by default
// ~/.local/share/palmut/maps/.
std::string DefaultMapsFolder();

} // namespace editor
