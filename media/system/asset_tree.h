// Where the game's files are: an installed tree beside the program, the build
// tree's own assets, the configured data folder, or the working directory.
#pragma once

#include <string>

namespace media_internal {

struct AssetTreePlaces {
    std::string exeDir;       // folder of the running program
    std::string installedRel; // the data tree relative to the program's folder once installed
    std::string buildDir;     // build tree the program was compiled in
    std::string buildAssets;  // that build's asset folder
    std::string dataDir;      // data folder configured for the install
    std::string workDir;      // current directory
};

// The first folder holding `marker`, or "" when none does:
//  1. exeDir/installedRel, so an install moved elsewhere still finds its own data;
//  2. a program inside buildDir: the working directory when it holds the marker
//     (a developer's or a test's copy), else buildAssets; an installed copy
//     elsewhere never stands in for the files being worked on;
//  3. an installed program: dataDir, then the working directory as a last
//     resort, so a stray folder there cannot replace the installed data.
std::string FindAssetTree(const AssetTreePlaces& places, const std::string& marker);

// The places of this program, from its build configuration and its location.
AssetTreePlaces ProgramAssetTreePlaces();

} // namespace media_internal
