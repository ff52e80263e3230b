// The page's program: its address settings (lang=, map=, seed=, size=,
// island=daily) arrive as --lang=CODE, --map=FILE, --seed=S, --size=WxH and
// --daily. A visitor cannot read command-line help, so neither ends the
// game: an unknown language follows the browser's, then English, and an island
// that cannot be read leaves the default one, with the notice the title
// picture gives a map chosen in the menu that cannot be read.
// Every game is recorded, as on the desktop, into the page's memory, where the
// page offers it for download once the program ends; --replay=FILE (a file the
// page wrote there) plays one back at normal speed instead of a game.
#include <cstddef>
#include <sstream>
#include <string>
#include <vector>

#include <emscripten.h>

#include "core/language.h"
#include "core/state.h"
#include "media/files.h"
#include "media/program.h"
#include "media/text_ops.h"
#include "shell/arguments.h"
#include "shell/main_loop.h"
#include "shell/replay.h"
#include "world/map_files.h"

namespace {

// Where each finished game is written; index.html reads it from there.
constexpr const char* kLastGame = "/tmp/last.palmutreplay";

bool Readable(const std::string& path) {
    return OpenForReading(path) != nullptr;
}

// How playback went, for the page to say once the program has ended.
// clang-format off
EM_JS(void, TellPageReplayed, (int status, double passes, double recorded, double firstBad), {
    Module.palmutReplayed = { status, passes, recorded, firstBad };
});
// clang-format on

// The generated island the options name, checked as the desktop checks them;
// "" (the default island) for a bad one, which the page has already noted.
std::string IslandNamed(const std::vector<std::string>& options) {
    if (options.empty()) return "";
    std::ostringstream quiet;
    const LaunchRequest request = ParseArguments(options, "/", quiet, quiet);
    return request.exitStatus < 0 ? request.island : "";
}

[[noreturn]] void PlayBack(const std::string& path) {
    ReplayOutcome out;
    std::size_t recorded = 0;
    const int status = RunReplayFile(path, false, false, &out, &recorded);
    TellPageReplayed(status, static_cast<double>(out.passes), static_cast<double>(recorded),
                     static_cast<double>(out.firstBadPass));
    EndProgram();
}

} // namespace

int main(int argc, char** argv) {
    std::string unreadable;
    std::string replay;
    std::vector<std::string> islandOptions;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--lang=", 0) == 0) {
            languageoverride = ShippedLanguage(arg.substr(7));
        } else if (arg.rfind("--map=", 0) == 0) {
            const std::string map = arg.substr(6);
            if (Readable(map) && Readable(MapImageFileName(map)))
                mapfile = MapImageFileName(map);
            else
                unreadable = FileName(map);
        } else if (arg.rfind("--replay=", 0) == 0) {
            replay = arg.substr(9);
        } else if (arg == "--daily" || arg.rfind("--seed=", 0) == 0 ||
                   arg.rfind("--size=", 0) == 0) {
            islandOptions.push_back(arg);
        }
    }
    if (const std::string island = IslandNamed(islandOptions); !island.empty()) mapfile = island;
    if (!replay.empty()) PlayBack(replay);
    RecordGamesToFile(kLastGame);
    RunGame(unreadable);
}
