#include <filesystem>
#include <iostream>

#include "core/state.h"
#include "shell/arguments.h"
#include "shell/main_loop.h"
#include "shell/replay.h"
#include "world/map_files.h"

int main(int argc, char** argv) {
    std::error_code ec;
    const std::string workDir = std::filesystem::current_path(ec).string();
    const LaunchRequest request =
        ParseArguments({argv + 1, argv + argc}, ec ? "." : workDir, std::cout, std::cerr);
    if (request.exitStatus >= 0) return request.exitStatus;
    if (!request.replay.empty())
        return RunReplayFile(request.replay, request.headless, request.timedemo);
    RecordGamesToFile(request.record);
    if (!request.map.empty()) mapfile = MapImageFileName(request.map);
    if (!request.island.empty()) mapfile = request.island;
    languageoverride = request.language;
    startInPlay = request.play;
    RunGame();
}
