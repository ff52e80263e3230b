// Drives a desktop dialog from a second thread with xdotool (under Xvfb).
#pragma once

#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "media/desktop/native/desktop_process.h"

// Held by every test that types into a dialog: tests run in parallel share the
// X display, and typed keys go to whichever window has the focus.
class DisplayInputLock {
  public:
    DisplayInputLock() : fd_(::open("/tmp/palmut-dialog-tests.lock", O_RDWR | O_CREAT, 0666)) {
        if (fd_ >= 0) ::flock(fd_, LOCK_EX);
    }
    ~DisplayInputLock() {
        if (fd_ >= 0) ::close(fd_); // closing releases the lock
    }
    DisplayInputLock(const DisplayInputLock&) = delete;
    DisplayInputLock& operator=(const DisplayInputLock&) = delete;

  private:
    int fd_;
};

// Waits up to 20 s for a visible window titled `title`, then runs each xdotool
// command on it ("%w" stands for the window). A dialog still open afterwards is
// killed, so a failed drive ends the test instead of hanging it.
inline std::thread DriveDialog(const std::string& title,
                               std::vector<std::vector<std::string>> commands) {
    return std::thread([title, commands] {
        using namespace media_internal;
        ProcessOptions capture;
        capture.captureOutput = capture.quietErrors = true;
        capture.timeoutMs = 10000;
        std::string wid;
        for (int i = 0; i < 100 && wid.empty(); ++i) {
            auto found =
                RunProcess({"xdotool", "search", "--onlyvisible", "--name", title}, capture);
            wid = LastNonEmptyLine(found.output);
            if (wid.empty()) usleep(200 * 1000);
        }
        if (wid.empty()) return;
        RunProcess({"xdotool", "windowfocus", "--sync", wid}, capture);
        // Keys sent before the toolkit has settled are dropped.
        usleep(500 * 1000);
        for (auto cmd : commands) {
            for (auto& arg : cmd)
                if (arg == "%w") arg = wid;
            cmd.insert(cmd.begin(), "xdotool");
            RunProcess(cmd, capture);
            usleep(300 * 1000);
        }
        for (int i = 0; i < 100; ++i) {
            if (RunProcess({"xdotool", "getwindowname", wid}, capture).exitCode != 0) return;
            usleep(100 * 1000);
        }
        RunProcess({"xdotool", "windowkill", wid}, capture);
    });
}
