// palmut_mapcheck [--lang CODE] [--preview out.png [--gfx dir] [--shrink n]] <map.png>...
// Validates islands for map makers; exits 1 when a map has errors.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/language.h"
#include "findings_texts.h"
#include "map_files.h"
#include "media/program.h"
#include "preview.h"

namespace {

// The game's language rule, --lang over the desktop. The catalogs sit in the
// game's asset tree; map paths stay meant from where the checker was started.
void SpeakTheGamesLanguage(const std::string& code) {
    std::error_code ec;
    const std::filesystem::path here = std::filesystem::current_path(ec);
    if (ec || !EnterAssetTree("gfx/basetiles2.png")) return; // no asset tree: German, as written
    UseLanguage(code.empty() ? ChooseLanguage("", DesktopLocale()) : code);
    std::filesystem::current_path(here, ec);
}

int Usage(const char* program) {
    std::fprintf(stderr,
                 "usage: %s [--lang de|en] [--preview out.png [--gfx dir] [--shrink 1-8]] "
                 "<map.png>...\n",
                 program);
    return 2;
}

// The language comes first: every finding is written in it. False for a
// missing or unknown code.
bool ChooseLanguageFromArguments(int argc, char** argv) {
    std::string language;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg != "--lang" && arg.rfind("--lang=", 0) != 0) continue;
        if (arg == "--lang" && i + 1 == argc) return false;
        language = ShippedLanguage(arg == "--lang" ? argv[i + 1] : arg.substr(7));
        if (language.empty()) return false;
    }
    SpeakTheGamesLanguage(language);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    std::string previewPath, gfxDir = "gfx";
    int shrink = 2;
    int status = 0, maps = 0;
    if (!ChooseLanguageFromArguments(argc, argv)) return Usage(argv[0]);
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--lang" || arg.rfind("--lang=", 0) == 0) {
            i += arg == "--lang";
            continue;
        }
        if ((arg == "--preview" || arg == "--gfx" || arg == "--shrink") && i + 1 < argc) {
            std::string value = argv[++i];
            if (arg == "--preview")
                previewPath = value;
            else if (arg == "--gfx")
                gfxDir = value;
            else
                shrink = std::atoi(value.c_str());
            continue;
        }
        ++maps;
        mapcheck::MapData map;
        std::vector<mapcheck::Issue> loadIssues;
        mapcheck::Analysis analysis;
        bool loaded = mapcheck::LoadMapFiles(arg, map, loadIssues);
        if (loaded) {
            analysis = mapcheck::Analyse(map);
            mapcheck::CheckFairness(map, analysis);
        }
        std::string report;
        if (mapcheck::PrintReport(arg, map, loadIssues, analysis, report) != 0) status = 1;
        std::fputs(report.c_str(), stdout);
        if (loaded && !previewPath.empty()) {
            std::string error;
            if (mapcheck::WritePreview(map, gfxDir, previewPath, shrink, error))
                std::printf("  %s\n", Tr(findings::kPreviewWritten, {previewPath}).c_str());
            else
                std::fprintf(stderr, "  %s\n", Tr(findings::kPreviewFailed, {error}).c_str());
        }
    }
    if (maps == 0) return Usage(argv[0]);
    return status;
}
