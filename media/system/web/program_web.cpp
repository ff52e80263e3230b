// The page's part of program control: the debug log goes to the console, a
// fatal error and the game's end are shown on the page (index.html), and the
// asset tree is the packed one the page loaded before start.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unordered_set>

#include <emscripten.h>
#include <unistd.h>

#include "media/files.h"
#include "media/program.h"
#include "media/system/program_backend.h"
#include "media/system/sdl_context.h"

namespace {

// Where the page's file package puts the asset tree (web/CMakeLists.txt).
constexpr const char* kPackedTree = "/palmut";
constexpr std::size_t kMaxDistinctLines = 512;

// Tells the page why the game ended (0: the player quit); it offers to play
// again, since a browser tab cannot close itself.
// clang-format off
EM_JS(void, ShowEndOnPage, (int status, const char* text), {
    if (Module.palmutEnded) Module.palmutEnded(status, UTF8ToString(text));
});
// clang-format on

} // namespace

namespace media_internal {

// The browser's console is where a player or a test looks first. It stays
// quiet: a line is written once, not again at every repeat (one per expired
// message would fill it in minutes).
void LogWithoutSink(const std::string& line) {
    static std::unordered_set<std::string> written;
    if (written.count(line) != 0) return;
    if (written.size() < kMaxDistinctLines) written.insert(line);
    emscripten_log(EM_LOG_CONSOLE, "%s", line.c_str());
}

void EndProcess(int status, const std::string& message) {
    std::fflush(nullptr);
    ShowEndOnPage(status, message.c_str());
    std::exit(status);
}

std::string ExecutableDir() {
    return kPackedTree;
}

} // namespace media_internal

bool EnterAssetTree(const std::string& marker) {
    const std::string dir = kPackedTree;
    if (ResolvePath(dir + "/" + marker).empty() || ::chdir(dir.c_str()) != 0) return false;
    DebugLog("asset tree: " + dir);
    return true;
}
