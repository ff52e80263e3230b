// palmut-editor --generate SEED [--size WxH] OUT.png: writes a generated island
// (the picture, its .map and its .critter) and exits, without a window.
#pragma once

#include <string>

#include "document.h"
#include "island/map_analysis.h"

namespace editor {

// True when the command line asks for a generated island.
bool AsksToGenerate(int argc, char** argv);
// Runs that command: 0 once the files are written; 2 for arguments it cannot
// use or a folder it cannot write, with the reason on stderr and nothing
// written; 1 when no seed candidate gave a playable island.
int GenerateCommand(int argc, char** argv);

// The generated island as an editable document.
Document DocumentOf(const mapcheck::MapData& map);

} // namespace editor
