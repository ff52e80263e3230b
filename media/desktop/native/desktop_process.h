// Runs a desktop helper program (file dialog, document opener) from an argv
// array, never through a shell, so no text the game passes is interpreted.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace media_internal {

struct ProcessResult {
    bool started = false; // false: the program could not be run at all
    bool exited = false;  // false: still running when the wait ended
    int exitCode = -1;    // valid when exited normally
    std::string output;   // standard output, when captured (capped)
};

struct ProcessOptions {
    bool captureOutput = false;
    bool quietErrors = false; // send the helper's stderr to /dev/null
    int timeoutMs = -1;       // -1: wait as long as it runs
    // Called about every 20 ms while waiting (keeps the game window alive).
    std::function<void()> whileWaiting;
};

ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessOptions& options);

// Starts a helper and returns at once: its id, or -1 when it cannot run.
int StartProcess(const std::vector<std::string>& argv, bool quietErrors);
// Its exit status once it has ended (255 when killed), -1 while it runs. The
// first answer other than -1 reaps it; do not ask again after that.
int PollProcess(int id);
// Stops caring about a helper; it is reaped whenever it ends.
void LeaveProcess(int id);

// The last line of text that is not empty, without its line end.
std::string LastNonEmptyLine(const std::string& text);

} // namespace media_internal
