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

// The last line of text that is not empty, without its line end.
std::string LastNonEmptyLine(const std::string& text);

} // namespace media_internal
