// The page's program: its address settings (lang=, map=) arrive as --lang=CODE
// and --map=FILE. A visitor cannot read command-line help, so neither ends the
// game: an unknown language follows the browser's, then English, and an island
// that cannot be read leaves the default one, with the notice the title
// picture gives a map chosen in the menu that cannot be read.
// Every game is recorded, as on the desktop, into the page's memory, where the
// page offers it for download once the program ends; --replay=FILE (a file the
// page wrote there) plays one back at normal speed instead of a game.
#include <cstddef>
#include <string>

#include <emscripten.h>

#include "core/language.h"
#include "core/state.h"
#include "media/files.h"
#include "media/program.h"
#include "media/text_ops.h"
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
        }
    }
    if (!replay.empty()) PlayBack(replay);
    RecordGamesToFile(kLastGame);
    RunGame(unreadable);
}
