// The desktop's part of program control: the process ends through SDL, and
// the asset tree is looked for beside the executable and in the data folder.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <SDL2/SDL.h>
#include <unistd.h>

#include "media/program.h"
#include "media/system/asset_tree.h"
#include "media/system/program_backend.h"
#include "media/system/sdl_context.h"

namespace media_internal {

// Debug lines go nowhere unless a test or a debug build asks for them.
void LogWithoutSink(const std::string&) {}

void EndProcess(int status, const std::string&) {
    SDL_Quit(); // hands the display and the audio device back in a clean state
    std::fflush(nullptr);
    std::exit(status);
}

std::string ExecutableDir() {
    std::vector<char> buf(4096);
    ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size() - 1);
    if (n <= 0) return ".";
    std::string exe(buf.data(), static_cast<size_t>(n));
    size_t slash = exe.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return exe.substr(0, slash);
}

} // namespace media_internal

bool EnterAssetTree(const std::string& marker) {
    const std::string dir =
        media_internal::FindAssetTree(media_internal::ProgramAssetTreePlaces(), marker);
    if (dir.empty() || ::chdir(dir.c_str()) != 0) return false;
    DebugLog("asset tree: " + dir);
    return true;
}
