// The plain-text files: settings defaults and the players' readme.
#pragma once

#include <string>

namespace assetgen {

std::string GameConfig();    // data/game.cfg
std::string StreamConfig();  // Data/stream.cfg
std::string Readme();        // data/liesmich.txt
std::string ReadmeEnglish(); // data/readme.txt
// The page's readmes, packed in place of the two above in the browser build.
std::string PageReadme();        // page/liesmich.txt
std::string PageReadmeEnglish(); // page/readme.txt

} // namespace assetgen
