// The page's program: its address settings (lang=, map=) arrive as --lang=CODE
// and --map=FILE. A visitor cannot read command-line help, so neither ends the
// game: an unknown language follows the browser's, then English, and an island
// that cannot be read leaves the default one, with the notice the title
// picture gives a map chosen in the menu that cannot be read.
#include <string>

#include "core/language.h"
#include "core/state.h"
#include "media/files.h"
#include "media/text_ops.h"
#include "shell/main_loop.h"
#include "world/map_files.h"

namespace {

bool Readable(const std::string& path) {
    return OpenForReading(path) != nullptr;
}

} // namespace

int main(int argc, char** argv) {
    std::string unreadable;
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
        }
    }
    RunGame(unreadable);
}
