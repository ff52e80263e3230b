// The program control's backend: what the shared part (program.cpp) asks of
// the desktop or the page.
#pragma once

#include <string>

namespace media_internal {

// Where a debug line goes when no test has set a sink of its own.
void LogWithoutSink(const std::string& line);
// Ends the process after every device was released: `message` is empty when
// the player quit, else the fatal error's text (already on stderr).
[[noreturn]] void EndProcess(int status, const std::string& message);

} // namespace media_internal
