// The plain-text files: settings defaults and the players' readme.
#pragma once

#include <string>

namespace assetgen {

std::string gameConfig();   // data/game.cfg
std::string streamConfig(); // Data/stream.cfg
std::string readme();       // data/liesmich.txt

} // namespace assetgen
