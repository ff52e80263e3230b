#include "shell/arguments.h"

#include <ctime>

#include "core/language.h"
#include "island/mapgen.h"
#include "media/files.h"
#include "shell/generated_island.h"

namespace {

constexpr const char* USAGE =
    "Usage: palmut [--map FILE | --seed N [--size WxH] | --daily] [--play] [--lang CODE]\n"
    "              [--record FILE]\n"
    "       palmut --replay FILE [--headless] | --timedemo FILE\n"
    "Survival adventure on a desert island in 8-bit style.\n"
    "\n"
    "  --map FILE   start with the island FILE (a .map file with its .png and\n"
    "               .critter beside it), as if chosen with CHOOSE MAP\n"
    "  --seed N     start on the island grown from the seed N (0 or more; 2-N\n"
    "               for a natural island, as the menu's new island gives); the\n"
    "               same seed, the same island\n"
    "  --size WxH   with --seed or --daily: its size in cells, each side 64 to\n"
    "               512 (default 96x96)\n"
    "  --daily      start on the island of the day (its seed is the UTC date)\n"
    "  --play       with --map, --seed or --daily: straight into play on that\n"
    "               island, without the loading screen, the title picture and\n"
    "               the menu\n"
    "  --lang CODE  texts in the language CODE (%s);\n"
    "               else a line language=CODE in game.cfg, else the desktop's\n"
    "               language (LANGUAGE, LC_ALL, LC_MESSAGES, LANG)\n"
    "  --record FILE    also write each finished game to FILE as a replay\n"
    "  --replay FILE    play the replay FILE back in a window (keys 1, 4, 6:\n"
    "                   normal speed, x4, x16; P pauses; Escape stops); the status\n"
    "                   is 0 when every state hash matched, else 1\n"
    "  --headless       with --replay: no window, as fast as possible\n"
    "  --timedemo FILE  play FILE drawn as fast as possible; print frames, seconds,\n"
    "                   frames per second and the 99th-percentile frame time\n"
    "  --help       show this help and exit\n"
    "  --version    show the version and exit\n"
    "\n"
    "Settings: game.cfg and stream.cfg in ~/.config/palmut/ when present\n"
    "(copy them from the game's data/ folder); own islands: ~/.local/share/palmut/maps/;\n"
    "the last 20 games: ~/.local/share/palmut/replays/ (a line replays=off in game.cfg\n"
    "stops recording them)\n";

LaunchRequest EndWith(int status) {
    LaunchRequest request;
    request.exitStatus = status;
    return request;
}

LaunchRequest Fail(std::ostream& err, const std::string& why) {
    err << "palmut: " << why << "\nTry 'palmut --help'.\n";
    return EndWith(2);
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

// ---- Generated islands: --seed N, --size WxH, --daily ----

struct IslandArguments {
    std::string seed, size;
    bool daily = false;
};

// "--name VALUE" or "--name=VALUE" at args[i] into `value`; moves i past it.
// False when args[i] is not that option; a missing value sets `missing`.
bool TakeValue(const std::vector<std::string>& args, size_t& i, const std::string& name,
               std::string& value, bool& missing) {
    const std::string& arg = args[i];
    if (arg.rfind(name + "=", 0) == 0) {
        value = arg.substr(name.size() + 1);
        missing = value.empty();
        return true;
    }
    if (arg != name) return false;
    missing = i + 1 == args.size();
    if (!missing) value = args[++i];
    return true;
}

// One of the island options at args[i]: true when taken; `why` says what is wrong.
bool TakeIslandOption(const std::vector<std::string>& args, size_t& i, IslandArguments& island,
                      std::string& why) {
    bool missing = false;
    if (args[i] == "--daily") {
        island.daily = true;
    } else if (const bool again = !island.seed.empty();
               TakeValue(args, i, "--seed", island.seed, missing)) {
        if (missing) why = "--seed needs a number";
        if (again) why = "--seed given twice";
    } else if (TakeValue(args, i, "--size", island.size, missing)) {
        if (missing) why = "--size needs WxH";
    } else {
        return false;
    }
    return true;
}

// The UTC date's seed; the page derives the same from the browser's clock.
uint64_t TodaysSeed() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    return mapgen::DailySeed(utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday);
}

// The island the options name into request.island, or the reason they cannot.
std::string NameIsland(const IslandArguments& island, LaunchRequest& request) {
    if (island.seed.empty() && !island.daily)
        return island.size.empty() ? "" : "--size needs --seed or --daily";
    if (!island.seed.empty() && island.daily) return "--seed and --daily exclude each other";
    if (!request.map.empty()) return "--map and a generated island exclude each other";
    if (!request.replay.empty())
        return "a replay brings its own island; no --seed or --daily with it";
    uint64_t seed = 0;
    // The island of the day is natural; a typed seed says which shape it names.
    int version = mapgen::kNaturalVersion;
    if (island.daily)
        seed = TodaysSeed();
    else if (!mapgen::ParseIslandSeed(island.seed, seed, version))
        return "bad seed '" + island.seed +
               "' (a whole number from 0 to 18446744073709551615, 2- before it for a natural "
               "island)";
    int width = mapgen::kGameSide, height = mapgen::kGameSide;
    if (!island.size.empty() && !mapgen::ParseSize(island.size, width, height))
        return "bad size '" + island.size + "' (WxH, each side " +
               std::to_string(mapgen::kMinSide) + " to " + std::to_string(mapgen::kMaxSide) + ")";
    request.island = GeneratedIslandName(seed, version, width, height, island.daily);
    return "";
}

// The island's options checked once all are read, --play's island among them.
std::string ChooseIsland(const IslandArguments& island, LaunchRequest& request) {
    std::string why = NameIsland(island, request);
    if (why.empty() && request.play && request.map.empty() && request.island.empty())
        return "--play needs --map FILE, --seed N or --daily";
    return why;
}

// Replay options: --record, --replay, --timedemo (each with a FILE, also as
// "--opt=FILE") and --headless. False when args[i] is none of them.
bool TakeReplayOption(const std::vector<std::string>& args, size_t& i, LaunchRequest& request,
                      const std::string& workDir, std::ostream& err) {
    const std::string& arg = args[i];
    if (arg == "--headless") {
        request.headless = true;
        return true;
    }
    std::string name, file;
    for (const char* option : {"--record", "--replay", "--timedemo"}) {
        const std::string o = option;
        if (arg == o && i + 1 < args.size()) {
            name = o;
            file = args[++i];
        } else if (arg == o || arg.rfind(o + "=", 0) == 0) {
            name = o;
            file = arg == o ? "" : arg.substr(o.size() + 1);
        }
    }
    if (name.empty()) return false;
    if (file.empty()) {
        request = Fail(err, name + " needs a file");
        return true;
    }
    if (file[0] != '/') file = workDir + '/' + file;
    if (name == "--record") {
        request.record = file;
        return true;
    }
    if (!request.replay.empty()) {
        request = Fail(err, "one replay at a time");
        return true;
    }
    request.replay = file;
    request.timedemo = name == "--timedemo";
    return true;
}

// Options that exclude each other, checked once all are read.
LaunchRequest CheckReplayOptions(LaunchRequest request, std::ostream& err) {
    if (request.headless && (request.replay.empty() || request.timedemo))
        return Fail(err, "--headless needs --replay FILE");
    if (!request.replay.empty() && (!request.map.empty() || !request.record.empty()))
        return Fail(err, "a replay brings its own island; no --map or --record with it");
    return request;
}

} // namespace

LaunchRequest ParseArguments(const std::vector<std::string>& args, const std::string& workDir,
                             std::ostream& out, std::ostream& err) {
    LaunchRequest request;
    IslandArguments island;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string why;
        if (TakeIslandOption(args, i, island, why)) {
            if (!why.empty()) return Fail(err, why);
            continue;
        }
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            // The shipped languages where the help says %s.
            const std::string usage = USAGE;
            const std::size_t at = usage.find("%s");
            out << usage.substr(0, at) << KnownLanguages() << usage.substr(at + 2);
            return EndWith(0);
        }
        if (arg == "--version") {
            out << "palmut " PALMUT_VERSION "\n";
            return EndWith(0);
        }
        if (arg == "--play") {
            request.play = true;
            continue;
        }
        if (TakeReplayOption(args, i, request, workDir, err)) {
            if (request.exitStatus >= 0) return request;
            continue;
        }
        const bool language = arg == "--lang" || arg.rfind("--lang=", 0) == 0;
        request = language ? TakeLanguage(args, i, request, err)
                           : TakeMap(args, i, request, workDir, err);
        if (request.exitStatus >= 0) return request;
    }
    const std::string why = ChooseIsland(island, request);
    if (!why.empty()) return Fail(err, why);
    return CheckReplayOptions(request, err);
}
