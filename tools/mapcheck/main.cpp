// palmut-mapcheck [--lang CODE] [--preview out.png [--gfx dir] [--shrink n]] <map>...
// palmut-mapcheck --replay FILE [--size WxH] <map or seed>
// Validates islands for map makers; exits 1 when a map has errors, or when the
// replay does not win the island.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/language.h"
#include "core/replay_file.h"
#include "core/state.h"
#include "island/findings_texts.h"
#include "island/mapgen.h"
#include "map_files.h"
#include "media/program.h"
#include "media/text_ops.h"
#include "preview.h"
#include "shell/generated_island.h"
#include "shell/replay.h"
#include "world/map_files.h"

namespace {

constexpr const char* kUsage =
    "Usage: palmut-mapcheck [--lang CODE] [--preview OUT.png [--gfx DIR] [--shrink 1-8]] "
    "MAP...\n"
    "Checks islands for Palmut: can the castaway build the raft, is everything in reach,\n"
    "is the island fair. MAP is the island's picture (.png) or its layer file (.map).\n"
    "\n"
    "  --lang CODE       findings in the language CODE: de (German) or en (English)\n"
    "  --preview OUT.png draw the island as the game shows it into OUT.png\n"
    "  --gfx DIR         the game's pictures for the preview (default gfx)\n"
    "  --shrink N        the preview's pixels per cell: 32 / N (default 2)\n"
    "  --replay FILE     instead: play the replay FILE on MAP (one island) and\n"
    "                    check that it wins it: a proof the island can be won;\n"
    "                    MAP may be a seed as palmut --seed takes it (2-4711)\n"
    "  --size WxH        with --replay and a seed: the island's size (default 96x96)\n"
    "  --help            show this help and exit\n"
    "  --version         show the version and exit\n"
    "\n"
    "Exit status: 0 when every map is playable (with --replay: when the replay wins\n"
    "it), 1 when one has errors (the replay does not win), 2 for a wrong argument.\n";

// The game's language rule, --lang over the desktop. The catalogs sit in the
// game's asset tree; map paths stay meant from where the checker was started.
void SpeakTheGamesLanguage(const std::string& code) {
    std::error_code ec;
    const std::filesystem::path here = std::filesystem::current_path(ec);
    if (ec || !EnterAssetTree("gfx/basetiles2.png")) return; // no asset tree: German, as written
    UseLanguage(code.empty() ? ChooseLanguage("", DesktopLocale()) : code);
    std::filesystem::current_path(here, ec);
}

int Refuse(const std::string& why) {
    std::fprintf(stderr, "palmut-mapcheck: %s\nTry 'palmut-mapcheck --help'.\n", why.c_str());
    return 2;
}

struct Options {
    int exitStatus = -1; // -1: check the maps; else end at once with this status
    std::string language, previewPath, gfxDir = "gfx", replay, size;
    int shrink = 2;
    std::vector<std::string> maps;
};

// The value of `--name VALUE` or `--name=VALUE` at argv[i]; moves i past it.
// False when the argument is another option, or the value is missing.
bool TakeValue(int argc, char** argv, int& i, const std::string& name, std::string& value,
               bool& missing) {
    const std::string arg = argv[i];
    if (arg == name) {
        missing = i + 1 == argc;
        if (!missing) value = argv[++i];
        return true;
    }
    if (arg.rfind(name + "=", 0) != 0) return false;
    value = arg.substr(name.size() + 1);
    return true;
}

Options ReadOptions(int argc, char** argv) {
    Options o;
    std::string shrink;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return {0, {}, {}, {}, {}, {}, 0, {}};
        }
        if (arg == "--version") {
            std::puts("palmut-mapcheck " PALMUT_VERSION);
            return {0, {}, {}, {}, {}, {}, 0, {}};
        }
        bool missing = false;
        if (TakeValue(argc, argv, i, "--lang", o.language, missing) ||
            TakeValue(argc, argv, i, "--preview", o.previewPath, missing) ||
            TakeValue(argc, argv, i, "--gfx", o.gfxDir, missing) ||
            TakeValue(argc, argv, i, "--shrink", shrink, missing) ||
            TakeValue(argc, argv, i, "--replay", o.replay, missing) ||
            TakeValue(argc, argv, i, "--size", o.size, missing)) {
            if (missing) o.exitStatus = Refuse(arg + " needs a value");
        } else if (arg.size() > 1 && arg[0] == '-') {
            o.exitStatus = Refuse("unknown argument '" + arg + "'");
        } else {
            o.maps.push_back(arg);
        }
        if (o.exitStatus >= 0) return o;
    }
    if (!shrink.empty()) o.shrink = std::atoi(shrink.c_str());
    if (!o.language.empty() && (o.language = ShippedLanguage(o.language)).empty())
        o.exitStatus = Refuse("unknown language (known: " + KnownLanguages() + ")");
    else if (o.maps.empty())
        o.exitStatus = Refuse("no map given");
    else if (!o.replay.empty() && o.maps.size() != 1)
        o.exitStatus = Refuse("--replay checks one island");
    else if (!o.size.empty() && o.replay.empty())
        o.exitStatus = Refuse("--size needs --replay and a seed");
    return o;
}

// Checks one map; true when it is playable. A layer file stands for its
// picture, by the game's own naming rule.
bool CheckMap(const std::string& arg, const Options& o) {
    const std::string image = EndsWithNoCase(arg, ".map") ? MapImageFileName(arg) : arg;
    mapcheck::MapData map;
    std::vector<mapcheck::Issue> loadIssues;
    mapcheck::Analysis analysis;
    const bool loaded = mapcheck::LoadMapFiles(image, map, loadIssues);
    if (loaded) {
        analysis = mapcheck::Analyse(map);
        mapcheck::CheckFairness(map, analysis);
    }
    std::string report;
    const bool playable = mapcheck::PrintReport(image, map, loadIssues, analysis, report) == 0;
    std::fputs(report.c_str(), stdout);
    if (loaded && !o.previewPath.empty()) {
        std::string error;
        if (mapcheck::WritePreview(map, o.gfxDir, o.previewPath, o.shrink, error))
            std::printf("  %s\n", Tr(findings::kPreviewWritten, {o.previewPath}).c_str());
        else
            std::fprintf(stderr, "  %s\n", Tr(findings::kPreviewFailed, {error}).c_str());
    }
    return playable;
}

// The seed and size after the "seed:" or "daily:" of a generated island's
// name: the island of the day is the island of its seed.
std::string GrownPart(const std::string& name) {
    const std::size_t colon = name.find(':');
    return colon == std::string::npos ? name : name.substr(colon + 1);
}

// Plays the replay on the island without a window: 0 when it is a replay of
// that very island and ends on the raft with every state as recorded. A seed
// names the island the game grows from it, as `palmut --seed` does; a map
// file never has a name the seed reader takes.
int CheckReplayWins(const std::string& path, const std::string& arg, const std::string& size) {
    uint64_t seed = 0;
    int version = 0, width = mapgen::kGameSide, height = mapgen::kGameSide;
    const bool grown = mapgen::ParseIslandSeed(arg, seed, version);
    if (!size.empty() && !grown) return Refuse("--size needs a seed, not a map file");
    if (!size.empty() && !mapgen::ParseSize(size, width, height))
        return Refuse("bad size '" + size + "'");
    const std::string image = grown ? GeneratedIslandName(seed, version, width, height)
                              : EndsWithNoCase(arg, ".map") ? MapImageFileName(arg)
                                                            : arg;
    TReplay replay;
    std::string why;
    if (!LoadReplay(path, replay, why)) return Refuse(path + ": " + why);
    const bool sameIsland =
        grown ? replay.islandKind == TReplay::ISLAND_GENERATED &&
                    GrownPart(replay.islandName) == GrownPart(image)
              : replay.islandKind == TReplay::ISLAND_MAP && IslandHash(image) == replay.islandHash;
    if (!sameIsland) {
        std::printf("%s: the replay was recorded on another island\n", path.c_str());
        return 1;
    }
    const ReplayOutcome out = PlayReplay(replay, image, nullptr);
    if (!out.matched) {
        std::printf("%s: the game differs from the recording at pass %zu\n", path.c_str(),
                    out.firstBadPass);
        return 1;
    }
    if (gamestate != GS_VICTORY) {
        std::printf("%s: the replay does not end on the raft\n", path.c_str());
        return 1;
    }
    const std::string island =
        grown ? arg + " (" + std::to_string(width) + 'x' + std::to_string(height) + ')' : image;
    std::printf("%s: wins %s in %zu passes\n", path.c_str(), island.c_str(), out.passes);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const Options options = ReadOptions(argc, argv);
    if (options.exitStatus >= 0) return options.exitStatus;
    // The language comes first: every finding is written in it.
    SpeakTheGamesLanguage(options.language);
    if (!options.replay.empty())
        return CheckReplayWins(options.replay, options.maps.front(), options.size);
    int status = 0;
    for (const std::string& map : options.maps)
        if (!CheckMap(map, options)) status = 1;
    return status;
}
