#include "media/desktop/native/desktop_process.h"

#include <cerrno>
#include <chrono>
#include <mutex>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace media_internal {
namespace {

constexpr size_t kMaxOutput = size_t{64} * 1024;

// Helpers still running after a timed-out wait; reaped later so they leave no zombies.
struct Leftovers {
    std::mutex mutex;
    std::vector<pid_t> pids;
};
Leftovers leftover;

void ReapLeftovers() {
    std::lock_guard lock(leftover.mutex);
    for (auto it = leftover.pids.begin(); it != leftover.pids.end();) {
        if (::waitpid(*it, nullptr, WNOHANG) != 0)
            it = leftover.pids.erase(it);
        else
            ++it;
    }
}

} // namespace

std::string LastNonEmptyLine(const std::string& text) {
    size_t end = text.size();
    while (end > 0) {
        size_t start = text.rfind('\n', end - 1);
        start = start == std::string::npos ? 0 : start + 1;
        std::string line = text.substr(start, end - start);
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
            line.pop_back();
        if (!line.empty()) return line;
        if (start == 0) break;
        end = start - 1;
    }
    return {};
}

namespace {

// Starts argv[0] found on PATH; -1 when it cannot run. With `outFd` its
// standard output goes there.
pid_t Spawn(const std::vector<std::string>& argv, int outFd, bool quietErrors) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (outFd >= 0) posix_spawn_file_actions_adddup2(&actions, outFd, 1);
    if (quietErrors) posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);

    // The helper gets default signal handling even if the game changed its own.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &all);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    pid_t pid = -1;
    int rc = ::posix_spawnp(&pid, args[0], &actions, &attr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    return rc == 0 ? pid : -1;
}

} // namespace

int StartProcess(const std::vector<std::string>& argv, bool quietErrors) {
    ReapLeftovers();
    if (argv.empty()) return -1;
    return Spawn(argv, -1, quietErrors);
}

int PollProcess(int id) {
    int status = 0;
    pid_t w = ::waitpid(id, &status, WNOHANG);
    if (w == 0) return -1;
    if (w == id && WIFEXITED(status)) return WEXITSTATUS(status);
    return 255; // killed by a signal, or not ours to wait for
}

void LeaveProcess(int id) {
    if (id <= 0 || PollProcess(id) >= 0) return;
    std::lock_guard lock(leftover.mutex);
    leftover.pids.push_back(id);
}

namespace {

void KeepOutput(std::string& output, const char* bytes, ssize_t n) {
    if (n > 0 && output.size() < kMaxOutput)
        output.append(bytes, std::min(size_t(n), kMaxOutput - output.size()));
}

// Waits up to 20 ms for output and keeps it; closes the pipe at its end.
void ReadAvailable(int& readFd, std::string& output) {
    pollfd p{readFd, POLLIN, 0};
    if (::poll(&p, 1, 20) <= 0) return;
    char buf[4096];
    const ssize_t n = ::read(readFd, buf, sizeof buf);
    KeepOutput(output, buf, n);
    if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN)) {
        ::close(readFd);
        readFd = -1;
    }
}

// Collects what is still in the pipe after the exit.
void DrainPipe(int readFd, std::string& output) {
    while (readFd >= 0) {
        char buf[4096];
        const ssize_t n = ::read(readFd, buf, sizeof buf);
        if (n <= 0) break;
        KeepOutput(output, buf, n);
    }
}

// Polls the child until it exits or the time is up; a child still running
// then is left to be reaped later. Closes the read end.
void WaitForChild(pid_t pid, int readFd, const ProcessOptions& options, ProcessResult& result) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(options.timeoutMs);
    for (;;) {
        if (readFd >= 0)
            ReadAvailable(readFd, result.output);
        else
            ::usleep(20 * 1000);
        int status = 0;
        const pid_t w = ::waitpid(pid, &status, WNOHANG);
        if (w == pid) {
            DrainPipe(readFd, result.output);
            result.exited = WIFEXITED(status);
            result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            break;
        }
        if (w < 0 && errno != EINTR) break;
        if (options.whileWaiting) options.whileWaiting();
        if (options.timeoutMs >= 0 && Clock::now() >= deadline) {
            std::lock_guard lock(leftover.mutex);
            leftover.pids.push_back(pid);
            break;
        }
    }
    if (readFd >= 0) ::close(readFd);
}

} // namespace

ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessOptions& options) {
    ProcessResult result;
    ReapLeftovers();
    if (argv.empty()) return result;

    int pipeFds[2] = {-1, -1};
    if (options.captureOutput) {
        if (::pipe2(pipeFds, O_CLOEXEC) != 0) return result;
        // Only our end: a grandchild holding the pipe open must not block the final read.
        ::fcntl(pipeFds[0], F_SETFL, ::fcntl(pipeFds[0], F_GETFL) | O_NONBLOCK);
    }

    pid_t pid = Spawn(argv, options.captureOutput ? pipeFds[1] : -1, options.quietErrors);
    if (options.captureOutput) ::close(pipeFds[1]);
    if (pid < 0) {
        if (options.captureOutput) ::close(pipeFds[0]);
        return result;
    }
    result.started = true;
    WaitForChild(pid, options.captureOutput ? pipeFds[0] : -1, options, result);
    return result;
}

} // namespace media_internal
