#include "media/bass.h"
#include "media/stream/music_transport.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <thread>

namespace {

// Music on disk goes through the same ring as a download, so the decoder
// and the playback position logic do not care where the bytes came from.
class FileTransport final : public MusicTransport {
  public:
    FileTransport(std::ifstream file, std::size_t ringCapacity)
        : MusicTransport(ringCapacity, true), file_(std::move(file)) {
        lengthKnown_ = true;
    }
    ~FileTransport() override { Stop(); }

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
        while (!stop_) {
            file_.read(chunk, sizeof chunk);
            const auto got = static_cast<std::size_t>(file_.gcount());
            std::size_t done = 0;
            while (done < got && !stop_) {
                done += ring_.Write(chunk + done, got - done);
                if (done < got) std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            if (got < sizeof chunk) break;
        }
        Finish(file_.bad() ? BASS_ERROR_FILEOPEN : BASS_OK);
    }

    std::ifstream file_;
    std::thread thread_;
    std::mutex stopMutex_;
    std::atomic<bool> stop_{false};
};

} // namespace

std::unique_ptr<MusicTransport> MakeFileTransport(const std::string& path, std::size_t ringCapacity,
                                                  int* error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        *error = BASS_ERROR_FILEOPEN;
        return nullptr;
    }
    return std::make_unique<FileTransport>(std::move(file), ringCapacity);
}
