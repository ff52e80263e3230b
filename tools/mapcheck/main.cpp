// palmut_mapcheck <map.png>... : validates islands for map makers.
#include <cstdio>
#include <string>

#include "map_files.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <map image .png>...\n", argv[0]);
        return 2;
    }
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        mapcheck::MapData map;
        std::vector<mapcheck::Issue> loadIssues;
        mapcheck::Analysis analysis;
        if (mapcheck::loadMapFiles(argv[i], map, loadIssues)) {
            analysis = mapcheck::analyse(map);
            mapcheck::checkFairness(map, analysis);
        }
        std::string report;
        if (mapcheck::printReport(argv[i], map, loadIssues, analysis, report) != 0) status = 1;
        std::fputs(report.c_str(), stdout);
    }
    return status;
}
