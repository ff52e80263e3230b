#include "shell/config.h"

#include <algorithm>
#include <cctype>

#include "media/files.h"

namespace {

bool LineIsOn(std::string line) {
    std::transform(line.begin(), line.end(), line.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return line.find("true") != std::string::npos;
}

} // namespace

GameConfig ReadGameConfig(const std::string& path) {
    GameConfig config;
    FileStreamPtr file = OpenForReading(path);
    if (!file) return config;
    config.fullscreen = LineIsOn(ReadLine(file));
    config.sound = LineIsOn(ReadLine(file));
    Close(file);
    return config;
}

std::string ReadStreamAddress(const std::string& path) {
    FileStreamPtr file = OpenForReading(path);
    if (!file) return "";
    std::string address = ReadLine(file);
    Close(file);
    return address;
}
