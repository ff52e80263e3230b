#include "shell/config.h"

#include "media/files.h"
#include "media/text_ops.h"

namespace {

const std::string LANGUAGE_KEY = "language=";
const std::string REPLAYS_KEY = "replays=";
// The two flags and the language in any order, with room for blank lines.
constexpr int MAX_LINES = 16;
// Longer than any locale name; the rest of a runaway line is not kept.
constexpr std::size_t MAX_CODE = 32;

bool LineIsOn(const std::string& line) {
    return LowerAscii(line).find("true") != std::string::npos;
}

} // namespace

GameConfig ReadGameConfig(const std::string& path) {
    GameConfig config;
    FileStreamPtr file = OpenForReading(path);
    if (!file) return config;
    int flags = 0;
    for (int line = 0; line < MAX_LINES && !Eof(file); ++line) {
        const std::string text = ReadLine(file);
        if (text.rfind(LANGUAGE_KEY, 0) == 0) {
            config.language = Trim(text.substr(LANGUAGE_KEY.size())).substr(0, MAX_CODE);
        } else if (text.rfind(REPLAYS_KEY, 0) == 0) {
            const std::string value = LowerAscii(Trim(text.substr(REPLAYS_KEY.size())));
            config.replays = value != "off" && value != "false" && value != "0";
        } else if (flags == 0) {
            config.fullscreen = LineIsOn(text);
            ++flags;
        } else if (flags == 1) {
            config.sound = LineIsOn(text);
            ++flags;
        }
    }
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
