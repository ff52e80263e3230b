#include "play_test.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "editor_texts.h"

namespace fs = std::filesystem;

namespace editor {
namespace {

bool Executable(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec) && ::access(path.c_str(), X_OK) == 0;
}

} // namespace

std::string FindGame(const std::string& editorDir) {
    if (!editorDir.empty() && Executable(fs::path(editorDir) / "palmut"))
        return (fs::path(editorDir) / "palmut").string();
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path ? path : "");
    std::string dir;
    while (std::getline(dirs, dir, ':'))
        if (!dir.empty() && Executable(fs::path(dir) / "palmut"))
            return (fs::path(dir) / "palmut").string();
    return "";
}

GameRun::~GameRun() {
    // The editor ends while the game still runs: leave no zombie behind.
    if (pid_ > 0) ::waitpid(pid_, nullptr, WNOHANG);
}

bool GameRun::Start(const std::string& program, const std::string& imagePath, std::string& error) {
    if (pid_ > 0 && Running()) {
        error = Tr(editor_texts::kAlreadyRunning);
        return false;
    }
    // Straight onto the island: no loading screen, title or menu between.
    std::vector<std::string> args = {program, "--map", imagePath, "--play"};
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    // Prepared before the fork: the child only calls exec and _exit.
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        error = Tr(editor_texts::kNotStarted, {std::strerror(errno)});
        return false;
    }
    const pid_t pid = ::fork();
    if (pid < 0) {
        error = Tr(editor_texts::kNotStarted, {std::strerror(errno)});
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        return false;
    }
    if (pid == 0) {
        ::close(pipeFds[0]);
        ::execv(argv[0], argv.data());
        const int code = errno;
        (void)!::write(pipeFds[1], &code, sizeof code);
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    int code = 0;
    ssize_t got;
    do {
        got = ::read(pipeFds[0], &code, sizeof code);
    } while (got < 0 && errno == EINTR);
    ::close(pipeFds[0]);
    if (got == static_cast<ssize_t>(sizeof code)) {
        ::waitpid(pid, nullptr, 0);
        error = Tr(editor_texts::kProgramNotStarted, {program, std::strerror(code)});
        return false;
    }
    pid_ = pid;
    status_ = 0;
    return true;
}

bool GameRun::Running() {
    if (pid_ <= 0) return false;
    int raw = 0;
    const pid_t r = ::waitpid(pid_, &raw, WNOHANG);
    if (r == 0) return true;
    status_ = r == pid_ && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    pid_ = -1;
    return false;
}

} // namespace editor
