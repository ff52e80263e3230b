// Opening and saving islands as the game finds them: the picture, the layer
// file beside it (".png" becomes ".map") and the critter file (".critter").
#pragma once

#include <string>
#include <vector>

#include "document.h"
#include "island/map_analysis.h"

namespace editor {

struct MapPaths {
    std::string image, layer, critter;
};

// The three files of the map a path names: a picture, or a layer file whose
// picture lies beside it. Found without regard to letter case, like the game;
// a file that does not exist keeps the name the game would look for.
MapPaths FindMapFiles(const std::string& path);

// What opening found in the files as they lie on disk.
struct OpenNotes {
    std::vector<mapcheck::Issue> issues; // the checker's findings about the files themselves
    int offColourPixels = 0;             // pixels a save writes in a ground colour
    bool newLayer = false;               // a picture alone: empty layer, critters as below
    bool defaultCritters = false;        // no critter file: the recommended counts
    int missingCells = 0; // a layer file too short by this many cells (0: long enough)
};

// Reads a map with the checker's limits first (size, layer length, critter
// lines), then builds it with the game's own loader. A picture without its
// layer file opens with no items (a map maker draws the picture first).
// False with `error` set when the map cannot be edited. A layer file too
// short for the picture is refused with `missingCells` set, unless
// `padShortLayer`: then the missing cells open empty.
bool OpenMap(const std::string& path, Document& doc, MapPaths& paths, OpenNotes& notes,
             std::string& error, bool padShortLayer = false);

// The files a save of the picture `imagePath` writes. Empty `image` with
// `error` set when the path cannot hold a map the game would find.
MapPaths SaveTargets(const std::string& imagePath, std::string& error);
// Those of `targets` that exist already.
std::vector<std::string> ExistingFiles(const MapPaths& targets);

// Writes the three files, each to a temporary file beside it first and renamed
// over the old one only when all three were written completely.
bool SaveMap(const Document& doc, const MapPaths& targets, std::string& error);

// The player's own maps folder, where the game's map dialog looks:
// $XDG_DATA_HOME/palmut/maps/, by default ~/.local/share/palmut/maps/.
std::string DefaultMapsFolder();
// The name save-as offers for the map opened from `imagePath` ("" for a new
// one): the same, unless its folder cannot be written (a shipped island);
// then, like a new map, in the player's own folder.
std::string ProposedSavePath(const std::string& imagePath);

} // namespace editor
