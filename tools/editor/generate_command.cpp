#include "generate_command.h"

#include <cstdio>
#include <filesystem>

#include "core/language.h"
#include "editor_texts.h"
#include "island/mapgen.h"
#include "map_io.h"
#include "media/language.h"
#include "media/program.h"

namespace fs = std::filesystem;

namespace editor {
namespace {

struct Arguments {
    std::string seed, size, out, language;
    bool usage = false;
};

// "--name value" or "--name=value"; false when `arg` is not that option.
bool Option(const std::string& name, int argc, char** argv, int& i, std::string& value,
            bool& missing) {
    const std::string arg = argv[i];
    if (arg.rfind(name + "=", 0) == 0) {
        value = arg.substr(name.size() + 1);
        return true;
    }
    if (arg != name) return false;
    missing = i + 1 >= argc;
    if (!missing) value = argv[++i];
    return true;
}

Arguments Parse(int argc, char** argv) {
    Arguments a;
    for (int i = 1; i < argc; ++i) {
        bool missing = false;
        if (!Option("--generate", argc, argv, i, a.seed, missing) &&
            !Option("--size", argc, argv, i, a.size, missing) &&
            !Option("--lang", argc, argv, i, a.language, missing)) {
            const std::string arg = argv[i];
            missing = (!arg.empty() && arg[0] == '-') || !a.out.empty();
            a.out = arg;
        }
        a.usage = a.usage || missing;
    }
    return a;
}

// The game's language rule, --lang over the desktop; the catalogs sit in the
// asset tree, and the paths given stay meant from where the editor started.
bool Speak(const std::string& code) {
    const std::string language = code.empty() ? "" : ShippedLanguage(code);
    if (!code.empty() && language.empty()) return false;
    std::error_code ec;
    const fs::path here = fs::current_path(ec);
    if (ec || !EnterAssetTree("gfx/basetiles2.png")) return true; // German, as written
    UseLanguage(!language.empty() ? language : ChooseLanguage("", DesktopLocale()));
    fs::current_path(here, ec);
    return true;
}

int Refuse(const std::string& text) {
    std::fprintf(stderr, "palmut-editor: %s\n", text.c_str());
    return 2;
}

} // namespace

bool AsksToGenerate(int argc, char** argv) {
    bool generate = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") return false;
        generate = generate || arg == "--generate" || arg.rfind("--generate=", 0) == 0;
    }
    return generate;
}

Document DocumentOf(const mapcheck::MapData& map) {
    return Document::FromKarte(mapgen::KarteOf(map), map.apes, map.lizards);
}

int GenerateCommand(int argc, char** argv) {
    Arguments a = Parse(argc, argv);
    if (!Speak(a.language)) a.usage = true;
    if (a.usage) return Refuse(Tr(editor_texts::kGenerateUsage, {"palmut-editor"}));
    uint64_t seed = 0;
    int width = mapgen::kDefaultSide, height = mapgen::kDefaultSide, version = 0;
    if (!mapgen::ParseIslandSeed(a.seed, seed, version))
        return Refuse(Tr(editor_texts::kBadSeed, {a.seed}));
    if (!a.size.empty() && !mapgen::ParseSize(a.size, width, height))
        return Refuse(Tr(editor_texts::kBadIslandSize, {a.size}));
    if (a.out.empty()) return Refuse(Tr(editor_texts::kNoOutput));
    std::error_code ec;
    const std::string out = fs::absolute(a.out, ec).lexically_normal().string();
    std::string error;
    const MapPaths targets = SaveTargets(out, error);
    if (targets.image.empty()) return Refuse(Tr(editor_texts::kNotGenerated, {error}));
    mapgen::Generated island;
    if (!mapgen::Generate(seed, width, height, island, version)) {
        std::fprintf(
            stderr, "palmut-editor: %s\n",
            Tr(editor_texts::kNoPlayableIsland, {a.seed, std::to_string(island.tries)}).c_str());
        return 1;
    }
    // Written beside the targets first and renamed only when all three are
    // complete, so an unwritable folder leaves nothing behind.
    if (!SaveMap(DocumentOf(island.map), targets, error))
        return Refuse(Tr(editor_texts::kNotGenerated, {error}));
    std::printf("%s\n", Tr(editor_texts::kGenerated,
                           {targets.image, a.seed, std::to_string(width), std::to_string(height)})
                            .c_str());
    return 0;
}

} // namespace editor
