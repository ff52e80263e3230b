// palmut_assetgen <output dir>: writes the game's asset tree (the committed
// assets/ folder is this program's output).
#include <cstdio>
#include <exception>

#include "generate.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output dir>\n", argv[0]);
        return 2;
    }
    try {
        auto files = assetgen::BuildAssets();
        assetgen::WriteAssets(files, argv[1]);
        std::printf("wrote %zu files to %s\n", files.size(), argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "palmut_assetgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
