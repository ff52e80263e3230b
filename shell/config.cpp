#include "shell/config.h"

#include "media/files.h"
#include "media/text_ops.h"

namespace {

bool LineIsOn(const std::string& line) {
    return LowerAscii(line).find("true") != std::string::npos;
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
