// Reads a map the way the game finds it: the image, the layer file next to it
// (".png" becomes ".map") and the critter file (".png" becomes ".critter").
#pragma once

#include <string>
#include <vector>

#include "island/map_analysis.h"

namespace mapcheck {

// The game's naming rule: lower-case the path and replace its trailing ".png"
// by `extension`, when the lower-cased path ends with ".png"; otherwise the path itself.
std::string SiblingPath(const std::string& imagePath, const std::string& extension);

// The file the game opens for `path`: matched without regard to letter case,
// one folder at a time, as spelled on disk; `path` itself when nothing matches.
std::string GamePath(const std::string& path);

// Fills `map` from the three files; problems go to `issues`. Returns false when
// the map cannot be analysed at all (image or layer file unusable).
bool LoadMapFiles(const std::string& imagePath, MapData& map, std::vector<Issue>& issues);
// The same with the layer and critter files named by the caller (the editor
// finds them without regard to letter case, as the game does).
bool LoadMapFiles(const std::string& imagePath, const std::string& layerPath,
                  const std::string& critterPath, MapData& map, std::vector<Issue>& issues);

// The parts of that: the ground from the picture alone (false when it is
// unusable), and the critter counts (a missing file is an error in `issues`).
bool LoadMapPicture(const std::string& imagePath, MapData& map, std::vector<Issue>& issues);
void LoadCritterFile(const std::string& critterPath, MapData& map, std::vector<Issue>& issues);

// Every finding about a map in the order the report lists them: the files'
// own, then the analysis's. The editor's problem list shows the same.
std::vector<Issue> Findings(const std::vector<Issue>& loadIssues, const Analysis& analysis);

// Prints the findings; returns the process exit status (0 = no errors).
int PrintReport(const std::string& imagePath, const MapData& map,
                const std::vector<Issue>& loadIssues, const Analysis& analysis, std::string& out);

} // namespace mapcheck
