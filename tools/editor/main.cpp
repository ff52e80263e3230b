// palmut-editor [--lang CODE] [map.png | map.map]: makes and checks islands for the game.
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/assets.h"
#include "core/language.h"
#include "editor.h"
#include "generate_command.h"
#include "media/clock.h"
#include "media/graphics.h"
#include "media/program.h"
#include "media/test_seams.h"
#include "world/objekt.h"

int main(int argc, char** argv) {
    // A generated island is written without a window.
    if (editor::AsksToGenerate(argc, argv)) return editor::GenerateCommand(argc, argv);
    std::string mapPath, language;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            const std::string known = KnownLanguages("|");
            std::printf("usage: %s [--lang %s] [map.png | map.map]\n"
                        "       %s --generate SEED [--size WxH] [--lang %s] OUT.png\n"
                        "  --generate writes a new island grown from SEED (0 to 2^64-1), "
                        "WxH cells\n  (each 64 to 512, default 128x128), as OUT.png with its "
                        ".map and .critter;\n  the same seed and size give the same files.\n",
                        argv[0], known.c_str(), argv[0], known.c_str());
            return 0;
        }
        if (arg == "--lang" || arg.rfind("--lang=", 0) == 0) {
            const std::string code = arg != "--lang" ? arg.substr(7)
                                     : i + 1 < argc  ? argv[++i]
                                                     : "";
            language = ShippedLanguage(code);
            if (language.empty()) {
                std::fprintf(stderr, "usage: %s [--lang %s] [map.png | map.map]\n", argv[0],
                             KnownLanguages("|").c_str());
                return 2;
            }
            continue;
        }
        mapPath = arg;
    }
    // Paths the maker gives are meant from here, not from the asset tree.
    editor::EditorOptions options;
    options.startDir = std::filesystem::current_path().string();
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
    if (!EnterAssetTree("gfx/basetiles2.png")) {
        std::fprintf(stderr, "palmut-editor: the game's pictures (gfx/) were not found.\n");
        return 1;
    }
    // The game's language rule: --lang over the desktop.
    UseLanguage(!language.empty() ? language : ChooseLanguage("", DesktopLocale()));
    // A fatal error of the game's code reaches the maker as a message, not an exit.
    ThrowOnProgramExit(true);
    try {
        SetWindowTitle(editor::kWindowTitle);
        if (!OpenGraphics(editor::kWindowW, editor::kWindowH, 0, 60, 0)) {
            std::fprintf(stderr, "palmut-editor: no window could be opened.\n");
            return 1;
        }
        // Smaller than that, the panel would not fit at 1x (see LayoutFor).
        SetWindowMinimumSize(editor::kMinWindowW, editor::kMinWindowH);
        SetCentredHandles(1);
        LoadPlayAssets();
        SetBlend(BLEND_ALPHA);
        TObjekt::RegisterCatalogue();
        options.gameProgram = editor::FindGame(self);
        editor::Editor ed(options);
        if (!mapPath.empty()) ed.Open(mapPath);
        while (ed.Frame()) {
        }
    } catch (const ProgramExit& stop) {
        if (!stop.message.empty())
            std::fprintf(stderr, "palmut-editor: %s\n", stop.message.c_str());
        return stop.status == 0 ? 0 : 1;
    }
    return 0;
}
