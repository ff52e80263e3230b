// Program control: debug log, fatal error, normal end and the releases that
// run before it. Locating the asset tree and ending the process are the
// backend's (program_backend.h).
#include "media/program.h"

#include <cstdio>
#include <vector>

#include "media/system/program_backend.h"
#include "media/system/sdl_context.h"
#include "media/test_seams.h"

namespace {

struct ProgramState {
    std::function<void(const std::string&)> sink;
    std::vector<void (*)()> releases;
    bool throwOnExit = false;
};

ProgramState& State() {
    static ProgramState state;
    return state;
}

[[noreturn]] void LeaveProgram(int status, const std::string& message) {
    if (State().throwOnExit) throw ProgramExit{status, message};
    media_internal::ReleaseAtProgramEnd(); // the window, then the audio device
    media_internal::EndProcess(status, message);
}

} // namespace

void DebugLog(const std::string& line) {
    if (State().sink) {
        State().sink(line);
        return;
    }
    media_internal::LogWithoutSink(line);
}

void SetDebugSink(std::function<void(const std::string&)> sink) {
    State().sink = std::move(sink);
}

void FatalError(const std::string& text) {
    if (!State().throwOnExit) {
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
    State().throwOnExit = on;
}

namespace media_internal {

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
