#include "shell/arguments.h"

#include "core/language.h"
#include "media/files.h"

namespace {

constexpr const char* USAGE =
    "Usage: palmut [--map FILE [--play]] [--lang CODE]\n"
    "Survival adventure on a desert island in 8-bit style.\n"
    "\n"
    "  --map FILE   start with the island FILE (a .map file with its .png and\n"
    "               .critter beside it), as if chosen with KARTE WAEHLEN\n"
    "  --play       with --map: straight into play on that island, without the\n"
    "               loading screen, the title picture and the menu\n"
    "  --lang CODE  texts in the language CODE (%s);\n"
    "               else a line language=CODE in game.cfg, else the desktop's\n"
    "               language (LANGUAGE, LC_ALL, LC_MESSAGES, LANG)\n"
    "  --help       show this help and exit\n"
    "  --version    show the version and exit\n"
    "\n"
    "Settings: game.cfg and stream.cfg in ~/.config/palmut/ when present\n"
    "(copy them from the game's data/ folder); own islands: ~/.local/share/palmut/maps/\n";

LaunchRequest Fail(std::ostream& err, const std::string& why) {
    err << "palmut: " << why << "\nTry 'palmut --help'.\n";
    return {2, "", "", false};
}

// "--lang CODE" or "--lang=CODE" at args[i]; moves i past the code.
LaunchRequest TakeLanguage(const std::vector<std::string>& args, size_t& i, LaunchRequest request,
                           std::ostream& err) {
    const std::string& arg = args[i];
    if (arg == "--lang" && i + 1 == args.size()) return Fail(err, "--lang needs a code");
    const std::string code = arg == "--lang" ? args[++i] : arg.substr(7);
    request.language = ShippedLanguage(code);
    if (request.language.empty())
        return Fail(err, "unknown language '" + code + "' (known: " + KnownLanguages() + ")");
    return request;
}

// "--map FILE" or "--map=FILE" at args[i]; moves i past the file.
LaunchRequest TakeMap(const std::vector<std::string>& args, size_t& i, LaunchRequest request,
                      const std::string& workDir, std::ostream& err) {
    const std::string& arg = args[i];
    std::string map;
    if (arg == "--map") {
        if (i + 1 == args.size()) return Fail(err, "--map needs a .map file");
        map = args[++i];
    } else if (arg.rfind("--map=", 0) == 0) {
        map = arg.substr(6);
    } else {
        return Fail(err, "unknown argument '" + arg + "'");
    }
    if (map.empty()) return Fail(err, "--map needs a .map file");
    if (!request.map.empty()) return Fail(err, "--map given twice");
    // The game changes into its data folder before it reads the map.
    if (map[0] != '/') map = workDir + '/' + map;
    if (!OpenForReading(map)) return Fail(err, "cannot read the map file '" + map + "'");
    request.map = map;
    return request;
}

} // namespace

LaunchRequest ParseArguments(const std::vector<std::string>& args, const std::string& workDir,
                             std::ostream& out, std::ostream& err) {
    LaunchRequest request;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            // The shipped languages where the help says %s.
            const std::string usage = USAGE;
            const std::size_t at = usage.find("%s");
            out << usage.substr(0, at) << KnownLanguages() << usage.substr(at + 2);
            return {0, "", "", false};
        }
        if (arg == "--version") {
            out << "palmut " PALMUT_VERSION "\n";
            return {0, "", "", false};
        }
        if (arg == "--play") {
            request.play = true;
            continue;
        }
        const bool language = arg == "--lang" || arg.rfind("--lang=", 0) == 0;
        request = language ? TakeLanguage(args, i, request, err)
                           : TakeMap(args, i, request, workDir, err);
        if (request.exitStatus >= 0) return request;
    }
    if (request.play && request.map.empty()) return Fail(err, "--play needs --map FILE");
    return request;
}
