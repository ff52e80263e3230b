#include <atomic>
#include <cerrno>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "media/bass.h"
#include "media/stream/native/music_transport.h"

namespace media_internal {

namespace {

// Music on disk goes through the same ring as a download, so the decoder
// and the playback position logic do not care where the bytes came from.
class FileTransport final : public MusicTransport {
  public:
    FileTransport(int fd, std::size_t ringCapacity) : MusicTransport(ringCapacity, true), fd_(fd) {
        lengthKnown_ = true;
    }
    ~FileTransport() override {
        Stop();
        ::close(fd_);
    }

    void Start() override {
        std::lock_guard once(stopMutex_);
        if (stop_) return;
        thread_ = std::thread([this] { Run(); });
    }

    void RequestStop() override {
        stop_ = true;
        ring_.Abort();
    }

    void Stop() override {
        std::lock_guard once(stopMutex_);
        stop_ = true;
        ring_.Abort();
        if (thread_.joinable()) thread_.join();
    }

  private:
    void Run() {
        char chunk[16384];
        bool failed = false;
        while (!stop_) {
            const ssize_t n = ::read(fd_, chunk, sizeof chunk);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                failed = n < 0;
                break;
            }
            const auto got = static_cast<std::size_t>(n);
            std::size_t done = 0;
            while (done < got && !stop_) {
                done += ring_.Write(chunk + done, got - done);
                if (done < got) std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        }
        Finish(failed ? BASS_ERROR_FILEOPEN : BASS_OK);
    }

    const int fd_;
    std::thread thread_;
    std::mutex stopMutex_;
    std::atomic<bool> stop_{false};
};

} // namespace

std::unique_ptr<MusicTransport> MakeFileTransport(const std::string& path, std::size_t ringCapacity,
                                                  int* error) {
    // Only regular files: opening a named pipe or a device could block the
    // caller until someone writes to it. Checked before opening, and once
    // more on what was opened (without blocking) in case the name changed.
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        *error = BASS_ERROR_FILEOPEN;
        return nullptr;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        if (fd >= 0) ::close(fd);
        *error = BASS_ERROR_FILEOPEN;
        return nullptr;
    }
    return std::make_unique<FileTransport>(fd, ringCapacity);
}

} // namespace media_internal
