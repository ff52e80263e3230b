// Program control in the browser: the debug log goes to the console, a fatal
// error and the game's end are shown on the page (index.html), and the asset
// tree is the packed one the page loaded before start.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <emscripten.h>
#include <unistd.h>

#include "media/files.h"
#include "media/program.h"
#include "media/system/sdl_context.h"
#include "media/test_seams.h"

namespace {

// Where the page's file package puts the asset tree (web/CMakeLists.txt).
constexpr const char* kPackedTree = "/palmut";

struct ProgramState {
    std::function<void(const std::string&)> sink;
    std::vector<void (*)()> releases;
    bool throwOnExit = false;
};

ProgramState& State() {
    static ProgramState state;
    return state;
}

// Tells the page why the game ended (0: the player quit); it replaces the
// canvas with a message, since a browser tab cannot close itself.
// clang-format off
EM_JS(void, ShowEndOnPage, (int status, const char* text), {
    if (Module.palmutEnded) Module.palmutEnded(status, UTF8ToString(text));
});
// clang-format on

[[noreturn]] void LeaveProgram(int status, const std::string& message) {
    if (State().throwOnExit) throw ProgramExit{status, message};
    media_internal::ReleaseAtProgramEnd(); // the canvas's context, then the audio
    std::fflush(nullptr);
    ShowEndOnPage(status, message.c_str());
    std::exit(status);
}

} // namespace

void DebugLog(const std::string& line) {
    if (State().sink) {
        State().sink(line);
        return;
    }
    // The browser's console is where a player or a test looks first.
    emscripten_log(EM_LOG_CONSOLE, "%s", line.c_str());
}

void SetDebugSink(std::function<void(const std::string&)> sink) {
    State().sink = std::move(sink);
}

void FatalError(const std::string& text) {
    if (!State().throwOnExit) {
        std::fwrite(text.data(), 1, text.size(), stderr);
        std::fflush(stderr);
    }
    LeaveProgram(-1, text);
}

void EndProgram() {
    LeaveProgram(0, "");
}

void ThrowOnProgramExit(bool on) {
    State().throwOnExit = on;
}

namespace media_internal {

std::string ExecutableDir() {
    return kPackedTree;
}

void AtProgramEnd(void (*release)()) {
    for (auto known : State().releases)
        if (known == release) return;
    State().releases.push_back(release);
}

void ReleaseAtProgramEnd() {
    for (auto release : State().releases)
        release();
}

} // namespace media_internal

bool EnterAssetTree(const std::string& marker) {
    const std::string dir = kPackedTree;
    if (ResolvePath(dir + "/" + marker).empty() || ::chdir(dir.c_str()) != 0) return false;
    DebugLog("asset tree: " + dir);
    return true;
}
