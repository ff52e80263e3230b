// One music stream: finds the audio behind an address (following playlists),
// decodes it on its own thread into a ring the mixer plays from, reconnects
// live streams that drop and reports title changes as they are heard.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "media/bass.h"
#include "media/sound.h"
#include "media/stream/native/music_content.h"
#include "media/stream/native/music_decoder.h"
#include "media/stream/native/music_pcm_ring.h"
#include "media/stream/native/music_transport.h"

namespace media_internal {

class MusicStream final : public MixerSource, public std::enable_shared_from_this<MusicStream> {
  public:
    MusicStream(DWORD handle, int outputRate, int playlistMode);
    ~MusicStream() override;

    // Starts the stream's thread, which finds the audio behind `address`
    // (connecting, following redirects and playlists) and then decodes it.
    // `onEnded` runs on that thread once everything was played and nothing
    // more will come, or when an open that was already handed over fails.
    // The thread keeps the stream alive.
    void Launch(const std::string& address, std::function<void()> onEnded);
    // Waits at most `budget` for the open's outcome: 0, an error code, or
    // kStillOpening. Never waits on the network beyond that.
    static constexpr int kStillOpening = -1000;
    int AwaitOpen(std::chrono::milliseconds budget);
    // Hands the stream to its creator unless its open has already failed;
    // returns 0 or that failure. After this a failure ends the stream quietly.
    int Claim();
    // Makes every thread of the stream finish soon; does not wait.
    void RequestStop();
    // Waits for the stream's thread (unless called on it).
    void Join();

    std::size_t Read(float* stereo, std::size_t frames) override; // audio thread
    void SetPlaying() { playing_ = true; }
    HSYNC AddMetaSync(HSYNC id, SYNCPROC* proc, void* user);

    DWORD Handle() const { return handle_; }
    std::string Title() const;
    int Reconnects() const { return reconnects_; }
    bool OnOwnThread() const { return std::this_thread::get_id() == runner_.load(); }

  private:
    struct Connection {
        std::shared_ptr<MusicTransport> transport;
        std::unique_ptr<MusicDecoder> decoder;
        std::vector<std::uint8_t> head; // bytes read for format detection, replayed first
        std::size_t headAt = 0;
        std::string address;
    };

    int Open(const std::string& address);
    // A playlist being followed: where it came from and how deep it nests.
    struct PlaylistSource {
        std::shared_ptr<MusicTransport> transport;
        MusicContent kind;
        const std::string& address;
        int depth;
    };

    int OpenAddress(const std::string& address, int depth, int& attemptsLeft);
    std::vector<std::uint8_t> ReadHead(MusicTransport& transport);
    void Drop(const std::shared_ptr<MusicTransport>& transport);
    int FailWithoutHead(const std::shared_ptr<MusicTransport>& transport);
    int OpenPlaylist(const PlaylistSource& playlist, std::string text, int& attemptsLeft);
    int StartDecoder(const std::shared_ptr<MusicTransport>& transport, MusicContent kind,
                     std::vector<std::uint8_t> head, const std::string& address);
    std::shared_ptr<MusicTransport> StartTransport(const std::string& address, int& error);
    std::size_t ReadSource(void* out, std::size_t size);
    std::string ReadBody(MusicTransport& transport, std::size_t limit);
    void Run();
    void EndWhenClaimed();
    bool DecodeConnection();
    bool Reconnect();
    void PushFrames(const std::vector<float>& stereo);
    void FireDueSyncs();
    bool WaitFor(int ms); // false when stopping

    const DWORD handle_;
    const int outputRate_;
    const int playlistMode_;
    MusicPcmRing pcm_;
    std::atomic<bool> playing_{false};
    std::atomic<bool> stop_{false};
    std::atomic<int> reconnects_{0};

    mutable std::mutex mutex_; // guards what the game thread and the stream thread share
    std::condition_variable wake_;
    std::shared_ptr<MusicTransport> current_;
    struct Sync {
        HSYNC id;
        SYNCPROC* proc;
        void* user;
    };
    std::vector<Sync> syncs_;
    std::string title_;
    int openResult_ = kStillOpening;
    bool claimed_ = false;

    // Owned by the stream's thread.
    Connection connection_;
    std::chrono::steady_clock::time_point openDeadline_;
    bool opening_ = false; // a decoder is looking for the format
    std::deque<std::pair<std::uint64_t, std::string>> titles_; // at output frame
    std::string address_;
    std::function<void()> onEnded_;
    std::mutex joinMutex_; // guards thread_
    std::thread thread_;
    std::atomic<std::thread::id>
        runner_{}; // set by the thread itself: thread_ is assigned too late
};

} // namespace media_internal
