// Program control: debug log, fatal error, normal end, locating the asset tree.
#include "media/program.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <SDL2/SDL.h>
#include <unistd.h>

#include "media/system/asset_tree.h"
#include "media/system/sdl_context.h"
#include "media/test_seams.h"

namespace {

std::function<void(const std::string&)>& DebugSink() {
    static std::function<void(const std::string&)> sink;
    return sink;
}

bool throwOnExit = false;

[[noreturn]] void LeaveProgram(int status, const std::string& message) {
    if (throwOnExit) throw ProgramExit{status, message};
    media_internal::ReleaseAtProgramEnd(); // the window, then the audio device
    SDL_Quit(); // hands the display and the audio device back in a clean state
    std::fflush(nullptr);
    std::exit(status);
}

} // namespace

void DebugLog(const std::string& line) {
    if (DebugSink()) DebugSink()(line);
}

void SetDebugSink(std::function<void(const std::string&)> sink) {
    DebugSink() = std::move(sink);
}

void FatalError(const std::string& text) {
    if (!throwOnExit) {
        // Written first, so the reason survives even if closing the window fails.
        std::fwrite(text.data(), 1, text.size(), stderr);
        std::fflush(stderr);
    }
    LeaveProgram(-1, text);
}

void EndProgram() {
    LeaveProgram(0, "");
}

void ThrowOnProgramExit(bool on) {
    throwOnExit = on;
}

namespace media_internal {

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
