// palmut_mapcheck [--preview out.png [--gfx dir] [--shrink n]] <map.png>...
// Validates islands for map makers; exits 1 when a map has errors.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "map_files.h"
#include "preview.h"

int main(int argc, char** argv) {
    std::string previewPath, gfxDir = "gfx";
    int shrink = 2;
    int status = 0, maps = 0;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
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
                std::printf("  preview written to %s\n", previewPath.c_str());
            else
                std::fprintf(stderr, "  preview failed: %s\n", error.c_str());
        }
    }
    if (maps == 0) {
        std::fprintf(stderr,
                     "usage: %s [--preview out.png [--gfx dir] [--shrink 1-8]] <map.png>...\n",
                     argv[0]);
        return 2;
    }
    return status;
}
