#include "media/stream/native/music_stream.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>

#include "media/stream/music_settings.h"
#include "media/stream/native/music_content.h"
#include "media/stream/native/music_resampler.h"
#include "media/text_ops.h"

namespace media_internal {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Memory of one stream stays bounded whatever a station sends: the byte ring
// (256 KiB), the format head (4 KiB), a playlist (64 KiB), two seconds of
// output in the sample ring, at most 64 pending titles of at most 4 KiB, and
// in the codec at most kMaxBytesWithoutAudio compressed bytes without a
// decoded frame, which libogg holds about twice over while a packet grows.
// Under 16 MiB per stream in all.
constexpr std::size_t kByteRingSize = std::size_t{256} * 1024;
constexpr std::size_t kHeadSize = 4096;
constexpr std::size_t kPlaylistLimit = std::size_t{64} * 1024;
constexpr int kMaxPlaylistDepth = 3;
constexpr int kMaxOpenAttempts = 12; // addresses tried for one stream, playlists included
constexpr std::size_t kMaxPendingTitles = 64;
constexpr std::size_t kMaxTitleBytes = 4096;

// Titles longer than anyone reads are cut, at a character boundary.
std::string Bounded(std::string title) {
    if (title.size() <= kMaxTitleBytes) return title;
    std::size_t end = kMaxTitleBytes;
    while (end > 0 && (static_cast<unsigned char>(title[end]) & 0xC0) == 0x80)
        --end;
    title.resize(end);
    return title;
}

bool IsHttp(const std::string& address) {
    return StartsWithNoCase(address, "http://") || StartsWithNoCase(address, "https://");
}

// "file:///a/b", "file://localhost/a/b" and "file:/a/b" name the local file /a/b.
std::string FileUrlPath(const std::string& url) {
    std::string rest = url.substr(5);
    if (rest.rfind("//", 0) == 0) {
        rest.erase(0, 2);
        const auto slash = rest.find('/');
        rest = slash == std::string::npos ? std::string() : rest.substr(slash);
    }
    return PercentDecode(rest);
}

// Addresses copied from a page may hold spaces, which curl rejects.
std::string EscapeSpaces(const std::string& url) {
    std::string out;
    for (char c : url)
        out += c == ' ' ? std::string("%20") : std::string(1, c);
    return out;
}

// A pasted "radio.example.com:8000/live" without a scheme.
bool LooksLikeHost(const std::string& address) {
    if (address.empty() || address[0] == '/' || address[0] == '.') return false;
    if (address.find_first_of(" \t\\") != std::string::npos) return false;
    const std::string host = address.substr(0, address.find('/'));
    return host.find('.') != std::string::npos || host.find(':') != std::string::npos;
}

} // namespace

MusicStream::MusicStream(DWORD handle, int outputRate, int playlistMode)
    : handle_(handle), outputRate_(outputRate), playlistMode_(playlistMode),
      pcm_(static_cast<std::size_t>(std::max(outputRate, 8000)) * 2) {}

MusicStream::~MusicStream() {
    RequestStop();
    if (thread_.joinable()) {
        // The last reference can go away on the stream's own thread (AUTOFREE).
        if (OnOwnThread())
            thread_.detach();
        else
            thread_.join();
    }
    if (connection_.transport) connection_.transport->Stop();
}

int MusicStream::Open(const std::string& address) {
    // Editors on other systems like to leave a byte order mark in the file.
    std::string trimmed = Trim(address);
    if (trimmed.rfind("\xEF\xBB\xBF", 0) == 0) trimmed = Trim(trimmed.substr(3));
    if (trimmed.empty()) return BASS_ERROR_ILLPARAM;
    int attemptsLeft = kMaxOpenAttempts;
    openDeadline_ = Clock::now() + milliseconds(CurrentMusicTimeouts().openMs);
    return OpenAddress(trimmed, 0, attemptsLeft);
}

std::shared_ptr<MusicTransport> MusicStream::StartTransport(const std::string& address,
                                                            int& error) {
    std::shared_ptr<MusicTransport> transport;
    const auto scheme = address.find("://");
    if (IsHttp(address)) {
        transport = MakeHttpTransport(EscapeSpaces(address), kByteRingSize);
    } else if (StartsWithNoCase(address, "file:")) {
        transport = MakeFileTransport(FileUrlPath(address), kByteRingSize, &error);
    } else if (scheme != std::string::npos &&
               std::all_of(address.begin(), address.begin() + static_cast<long>(scheme),
                           [](char c) { return std::isalpha(static_cast<unsigned char>(c)); })) {
        error = BASS_ERROR_PROTOCOL;
    } else {
        std::error_code ignored;
        if (std::filesystem::is_regular_file(address, ignored) || !LooksLikeHost(address))
            transport = MakeFileTransport(address, kByteRingSize, &error);
        else
            transport = MakeHttpTransport("http://" + address, kByteRingSize);
    }
    if (!transport) return nullptr;
    std::lock_guard lock(mutex_);
    if (stop_) {
        error = BASS_ERROR_FREEING;
        return nullptr;
    }
    current_ = transport;
    transport->Start();
    return transport;
}

int MusicStream::OpenAddress(const std::string& address, int depth, int& attemptsLeft) {
    if (stop_) return BASS_ERROR_FREEING;
    if (Clock::now() >= openDeadline_) return BASS_ERROR_TIMEOUT;
    --attemptsLeft;
    int error = BASS_OK;
    std::shared_ptr<MusicTransport> transport = StartTransport(address, error);
    if (!transport) return error;
    std::vector<std::uint8_t> head = ReadHead(*transport);
    if (stop_) {
        Drop(transport);
        return BASS_ERROR_FREEING;
    }
    if (head.empty()) return FailWithoutHead(transport);
    MusicContent kind = DetectMusicContent(transport->ContentType(), head.data(), head.size());
    if (kind == MusicContent::Unknown) kind = PlaylistKindFromName(address);
    if (IsPlaylist(kind)) {
        const PlaylistSource playlist{transport, kind, address, depth};
        return OpenPlaylist(playlist, std::string(head.begin(), head.end()), attemptsLeft);
    }
    if (kind != MusicContent::Ogg && kind != MusicContent::Mp3) {
        Drop(transport);
        return BASS_ERROR_FILEFORM;
    }
    return StartDecoder(transport, kind, std::move(head), address);
}

// The first bytes decide what an address delivered. A slow station may take a
// while to fill them, so a short head is enough once some time has passed.
std::vector<std::uint8_t> MusicStream::ReadHead(MusicTransport& transport) {
    std::vector<std::uint8_t> head(kHeadSize);
    std::size_t got = 0;
    const auto start = Clock::now();
    while (got < head.size() && !stop_) {
        const std::size_t n =
            transport.Ring().Read(head.data() + got, head.size() - got, milliseconds(20));
        got += n;
        if (n == 0 && transport.Ring().Finished()) break;
        if (got > 0 && Clock::now() - start > milliseconds(500)) break;
        if (Clock::now() >= openDeadline_) break;
    }
    head.resize(got);
    return head;
}

// Ends a transport this open no longer uses.
void MusicStream::Drop(const std::shared_ptr<MusicTransport>& transport) {
    {
        std::lock_guard lock(mutex_);
        if (current_ == transport) current_.reset();
    }
    transport->Stop();
}

// Nothing arrived: the transport's own error, a timeout while it still runs,
// else an empty file.
int MusicStream::FailWithoutHead(const std::shared_ptr<MusicTransport>& transport) {
    const int code = transport->ErrorCode();
    const bool late = !transport->Ring().Finished();
    Drop(transport);
    if (late) return BASS_ERROR_TIMEOUT;
    return code != BASS_OK ? code : BASS_ERROR_FILEFORM;
}

// Reads the rest of the playlist and opens its entries in order until one plays.
int MusicStream::OpenPlaylist(const PlaylistSource& playlist, std::string text, int& attemptsLeft) {
    if (playlistMode_ == 0 || playlist.depth >= kMaxPlaylistDepth) {
        Drop(playlist.transport);
        return BASS_ERROR_FILEFORM;
    }
    text += ReadBody(*playlist.transport, kPlaylistLimit - text.size());
    const bool remote = !playlist.transport->IsLocal();
    Drop(playlist.transport);
    for (const auto& entry : ParsePlaylist(playlist.kind, text, playlist.address)) {
        // A playlist from the net may only point to the net, not into our disk.
        if (remote && !IsHttp(entry)) continue;
        if (attemptsLeft <= 0) break;
        const int result = OpenAddress(entry, playlist.depth + 1, attemptsLeft);
        if (result == BASS_OK || result == BASS_ERROR_FREEING) return result;
    }
    return BASS_ERROR_FILEFORM;
}

// Hands the connection to a decoder of `kind`, which reads the head again first.
int MusicStream::StartDecoder(const std::shared_ptr<MusicTransport>& transport, MusicContent kind,
                              std::vector<std::uint8_t> head, const std::string& address) {
    connection_ = Connection{transport, nullptr, std::move(head), 0, address};
    MusicByteSource source = [this](void* out, std::size_t size) { return ReadSource(out, size); };
    auto decoder = kind == MusicContent::Ogg ? MakeVorbisDecoder(source) : MakeMp3Decoder(source);
    opening_ = true;
    const bool opened = decoder->Open();
    opening_ = false;
    if (opened) {
        connection_.decoder = std::move(decoder);
        return BASS_OK;
    }
    const int code = transport->ErrorCode();
    decoder.reset();
    connection_ = Connection{};
    Drop(transport);
    if (stop_) return BASS_ERROR_FREEING;
    if (code != BASS_OK) return code;
    return Clock::now() >= openDeadline_ ? BASS_ERROR_TIMEOUT : BASS_ERROR_FILEFORM;
}

std::string MusicStream::ReadBody(MusicTransport& transport, std::size_t limit) {
    std::string body;
    char chunk[4096];
    while (body.size() < limit && !stop_ && Clock::now() < openDeadline_) {
        const std::size_t n = transport.Ring().Read(
            chunk, std::min(sizeof chunk, limit - body.size()), milliseconds(20));
        body.append(chunk, n);
        if (n == 0 && transport.Ring().Finished()) break;
    }
    return body;
}

std::size_t MusicStream::ReadSource(void* out, std::size_t size) {
    Connection& c = connection_;
    if (c.headAt < c.head.size()) {
        const std::size_t n = std::min(size, c.head.size() - c.headAt);
        std::copy_n(c.head.begin() + static_cast<long>(c.headAt), n,
                    static_cast<std::uint8_t*>(out));
        c.headAt += n;
        return n;
    }
    const bool onStreamThread = OnOwnThread();
    while (!stop_) {
        // Bytes that keep coming without ever forming a header must not hold
        // the caller forever.
        if (opening_ && Clock::now() >= openDeadline_) return 0;
        const std::size_t n = c.transport->Ring().Read(out, size, milliseconds(20));
        if (n > 0) return n;
        if (c.transport->Ring().Finished()) return 0;
        // Playback goes on from the ring while the network is slow.
        if (onStreamThread) FireDueSyncs();
    }
    return 0;
}

void MusicStream::Launch(const std::string& address, std::function<void()> onEnded) {
    address_ = address;
    onEnded_ = std::move(onEnded);
    // Holding a reference lets a sync callback release the whole service
    // without pulling the stream out from under its own thread.
    std::lock_guard lock(joinMutex_);
    thread_ = std::thread([self = shared_from_this()] { self->Run(); });
}

int MusicStream::AwaitOpen(std::chrono::milliseconds budget) {
    std::unique_lock lock(mutex_);
    wake_.wait_for(lock, budget, [&] { return openResult_ != kStillOpening || stop_.load(); });
    return openResult_;
}

int MusicStream::Claim() {
    {
        std::lock_guard lock(mutex_);
        if (openResult_ != kStillOpening && openResult_ != BASS_OK) return openResult_;
        claimed_ = true;
    }
    wake_.notify_all();
    return BASS_OK;
}

void MusicStream::RequestStop() {
    std::shared_ptr<MusicTransport> transport;
    {
        // Set under the lock, so no waiter can miss it between test and sleep.
        std::lock_guard lock(mutex_);
        stop_ = true;
        transport = current_;
    }
    wake_.notify_all();
    if (transport) transport->RequestStop();
}

void MusicStream::Join() {
    RequestStop();
    {
        // The creator and a release of the service may both wait for an
        // opening stream; only one of them may join its thread.
        std::lock_guard lock(joinMutex_);
        if (thread_.joinable() && !OnOwnThread()) thread_.join();
    }
    std::shared_ptr<MusicTransport> transport;
    {
        std::lock_guard lock(mutex_);
        transport = current_;
    }
    if (transport) transport->Stop();
}

bool MusicStream::WaitFor(int ms) {
    std::unique_lock lock(mutex_);
    wake_.wait_for(lock, milliseconds(ms), [&] { return stop_.load(); });
    return !stop_;
}

void MusicStream::Run() {
    runner_ = std::this_thread::get_id();
    const int opened = Open(address_);
    {
        std::lock_guard lock(mutex_);
        openResult_ = opened;
    }
    wake_.notify_all();
    if (opened != BASS_OK) {
        EndWhenClaimed();
        return;
    }
    while (!stop_) {
        const bool played = DecodeConnection();
        if (stop_) return;
        // A live station that dropped after it played is worth calling again;
        // a file, or a download of known length, has simply ended.
        const bool live =
            !connection_.transport->IsLocal() && !connection_.transport->LengthKnown();
        if (!(live && played && Reconnect())) break;
    }
    // Let the mixer play out what is buffered, then the stream has ended.
    while (!stop_ && pcm_.FramesRead() < pcm_.FramesWritten()) {
        FireDueSyncs();
        WaitFor(10);
    }
    FireDueSyncs();
    EndWhenClaimed();
}

void MusicStream::EndWhenClaimed() {
    // Until the creator has the handle, an end is its business, not ours.
    {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [&] { return claimed_ || stop_.load(); });
    }
    if (!stop_ && onEnded_) onEnded_();
}

bool MusicStream::DecodeConnection() {
    MusicDecoder& decoder = *connection_.decoder;
    std::vector<float> pcm, stereo, output;
    int rate = 0;
    std::unique_ptr<MusicResampler> resampler;
    bool produced = false;
    while (!stop_) {
        FireDueSyncs();
        pcm.clear();
        const bool more = decoder.Decode(pcm);
        if (decoder.Rate() != rate || !resampler) {
            rate = decoder.Rate();
            resampler = std::make_unique<MusicResampler>(rate, outputRate_);
        }
        // Titles start with the audio decoded after them.
        std::string title;
        const std::uint64_t at = pcm_.FramesWritten();
        if (decoder.TakeTitle(title) && titles_.size() < kMaxPendingTitles)
            titles_.emplace_back(at, Bounded(std::move(title)));
        MusicTransport& transport = *connection_.transport;
        while (transport.TakeTitle(transport.Ring().TotalRead(), title))
            if (titles_.size() < kMaxPendingTitles) titles_.emplace_back(at, Bounded(title));
        const int channels = decoder.Channels();
        if (!pcm.empty() && channels > 0) {
            stereo.clear();
            AppendAsStereo(pcm.data(), channels, pcm.size() / static_cast<std::size_t>(channels),
                           stereo);
            output.clear();
            resampler->Process(stereo.data(), stereo.size() / 2, output);
            PushFrames(output);
            produced = produced || !output.empty();
        }
        if (!more) break;
    }
    return produced;
}

void MusicStream::PushFrames(const std::vector<float>& stereo) {
    const std::size_t frames = stereo.size() / 2;
    std::size_t done = 0;
    while (done < frames && !stop_) {
        done += pcm_.Write(stereo.data() + done * 2, frames - done);
        if (done < frames) {
            FireDueSyncs();
            WaitFor(10);
        }
    }
}

bool MusicStream::Reconnect() {
    const std::string address = connection_.address;
    const MusicTimeouts limits = CurrentMusicTimeouts();
    int delay = limits.firstBackoffMs;
    for (int attempt = 0; attempt < limits.maxReconnects; ++attempt) {
        // Let go of the dead connection before waiting.
        if (connection_.transport) {
            connection_.decoder.reset();
            {
                std::lock_guard lock(mutex_);
                current_.reset();
            }
            connection_.transport->Stop();
            connection_ = Connection{};
        }
        // Whatever is buffered keeps playing while we wait.
        const auto until = Clock::now() + milliseconds(delay);
        while (Clock::now() < until && !stop_) {
            FireDueSyncs();
            WaitFor(10);
        }
        if (stop_) return false;
        delay = std::min(delay * 2, limits.maxBackoffMs);
        int attemptsLeft = kMaxOpenAttempts;
        openDeadline_ = Clock::now() + milliseconds(limits.openMs);
        const int result = OpenAddress(address, 0, attemptsLeft);
        if (result == BASS_OK) {
            ++reconnects_;
            return true;
        }
        if (result == BASS_ERROR_FREEING) return false;
    }
    return false;
}

void MusicStream::FireDueSyncs() {
    // A title counts as heard once the first frame after it was played.
    const std::uint64_t played = pcm_.FramesRead();
    while (!titles_.empty() && titles_.front().first < played) {
        std::vector<Sync> syncs;
        {
            std::lock_guard lock(mutex_);
            title_ = std::move(titles_.front().second);
            syncs = syncs_;
        }
        titles_.pop_front();
        for (const auto& sync : syncs)
            sync.proc(sync.id, handle_, 0, sync.user);
    }
}

std::size_t MusicStream::Read(float* stereo, std::size_t frames) {
    if (!playing_ || stop_) return 0;
    return pcm_.Read(stereo, frames);
}

HSYNC MusicStream::AddMetaSync(HSYNC id, SYNCPROC* proc, void* user) {
    std::lock_guard lock(mutex_);
    syncs_.push_back({id, proc, user});
    return id;
}

std::string MusicStream::Title() const {
    std::lock_guard lock(mutex_);
    return title_;
}

} // namespace media_internal
