#include <atomic>
#include <cctype>
#include <chrono>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include <curl/curl.h>

#include "media/bass.h"
#include "media/stream/music_settings.h"
#include "media/stream/native/music_icy.h"
#include "media/stream/native/music_transport.h"
#include "media/text_ops.h"

namespace media_internal {

namespace {

using Clock = std::chrono::steady_clock;

int ErrorFromCurl(CURLcode code, long status) {
    switch (code) {
    case CURLE_OK:
        return BASS_OK;
    case CURLE_UNSUPPORTED_PROTOCOL:
        return BASS_ERROR_PROTOCOL;
    case CURLE_URL_MALFORMAT:
        return BASS_ERROR_ILLPARAM;
    case CURLE_OPERATION_TIMEDOUT:
        return BASS_ERROR_TIMEOUT;
    case CURLE_OUT_OF_MEMORY:
        return BASS_ERROR_MEM;
    case CURLE_HTTP_RETURNED_ERROR:
        return status == 401 || status == 403 || status == 407 ? BASS_ERROR_DENIED
                                                               : BASS_ERROR_FILEOPEN;
    default:
        return BASS_ERROR_FILEOPEN;
    }
}

std::string LowerTrim(const std::string& s) {
    return LowerAscii(Trim(s));
}

struct CurlGlobal {
    CurlGlobal() { curl_global_init(CURL_GLOBAL_DEFAULT); }
};

class HttpTransport final : public MusicTransport {
  public:
    HttpTransport(const std::string& url, std::size_t ringCapacity)
        : MusicTransport(ringCapacity, false), url_(url) {
        static CurlGlobal global;
    }
    ~HttpTransport() override { Stop(); }

    void Start() override {
        std::lock_guard once(stopMutex_);
        if (stop_) return;
        multi_ = curl_multi_init();
        easy_ = curl_easy_init();
        aliases_ = curl_slist_append(nullptr, "ICY 200 OK");
        requestHeaders_ = curl_slist_append(nullptr, "Icy-MetaData: 1");
        if (!multi_ || !easy_ || !aliases_ || !requestHeaders_) {
            Finish(BASS_ERROR_MEM);
            return;
        }
        const MusicTimeouts limits = CurrentMusicTimeouts();
        connectMs_ = limits.connectMs;
        stallMs_ = limits.stallMs;
        curl_easy_setopt(easy_, CURLOPT_URL, url_.c_str());
        curl_easy_setopt(easy_, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(easy_, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(easy_, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(easy_, CURLOPT_MAXREDIRS, 5L);
        curl_easy_setopt(easy_, CURLOPT_FAILONERROR, 1L);
        curl_easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
#if LIBCURL_VERSION_NUM >= 0x075700
        // Stopping must not wait for a slow name lookup to finish.
        curl_easy_setopt(easy_, CURLOPT_QUICK_EXIT, 1L);
#endif
        curl_easy_setopt(easy_, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(connectMs_));
        curl_easy_setopt(easy_, CURLOPT_USERAGENT, "Palmut/1.0");
        curl_easy_setopt(easy_, CURLOPT_HTTP200ALIASES, aliases_);
        curl_easy_setopt(easy_, CURLOPT_HTTPHEADER, requestHeaders_);
        curl_easy_setopt(easy_, CURLOPT_HEADERFUNCTION, &HttpTransport::OnHeader);
        curl_easy_setopt(easy_, CURLOPT_HEADERDATA, this);
        curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, &HttpTransport::OnBody);
        curl_easy_setopt(easy_, CURLOPT_WRITEDATA, this);
        curl_multi_add_handle(multi_, easy_);
        thread_ = std::thread([this] { Run(); });
    }

    void RequestStop() override {
        std::lock_guard once(stopMutex_);
        stop_ = true;
        ring_.Abort();
        if (multi_) curl_multi_wakeup(multi_);
    }

    void Stop() override {
        std::lock_guard once(stopMutex_);
        stop_ = true;
        ring_.Abort();
        if (multi_) curl_multi_wakeup(multi_);
        if (thread_.joinable()) thread_.join();
        if (easy_) {
            if (multi_) curl_multi_remove_handle(multi_, easy_);
            curl_easy_cleanup(easy_);
            easy_ = nullptr;
        }
        if (multi_) curl_multi_cleanup(multi_);
        multi_ = nullptr;
        curl_slist_free_all(aliases_);
        curl_slist_free_all(requestHeaders_);
        aliases_ = requestHeaders_ = nullptr;
    }

  private:
    void Run() {
        lastProgress_ = headStart_ = Clock::now();
        std::optional<int> result;
        for (;;) {
            if (stop_) return;
            if (!result) result = Perform();
            if (result) {
                // What is still staged belongs to the stream: hand it over first.
                FlushStaged();
                if (staged_.empty()) {
                    Finish(*result);
                    return;
                }
            } else if (paused_ && ResumeWhenTaken()) {
                continue;
            }
            if (!result && Stalled()) {
                Finish(BASS_ERROR_TIMEOUT);
                return;
            }
            curl_multi_poll(multi_, nullptr, 0, paused_ || result ? 10 : 50, nullptr);
        }
    }

    // Lets curl work; the transfer's outcome once it is done, else nothing.
    std::optional<int> Perform() {
        int running = 0;
        curl_multi_perform(multi_, &running);
        std::optional<int> result;
        int queued = 0;
        while (CURLMsg* message = curl_multi_info_read(multi_, &queued)) {
            if (message->msg != CURLMSG_DONE) continue;
            long status = 0;
            curl_easy_getinfo(easy_, CURLINFO_RESPONSE_CODE, &status);
            result = ErrorFromCurl(message->data.result, status);
        }
        return result;
    }

    // A transfer paused for a full ring goes on once the ring took what was
    // staged; true when it did.
    bool ResumeWhenTaken() {
        FlushStaged();
        lastProgress_ = Clock::now(); // a full ring is not a stalled server
        if (!staged_.empty()) return false;
        paused_ = false;
        curl_easy_pause(easy_, CURLPAUSE_CONT);
        return true;
    }

    // Until a response's head is complete, connecting and every header line
    // count together: a server dribbling header lines cannot hold the line.
    // After that, any body byte is progress.
    bool Stalled() const {
        const int limit = headDone_ ? stallMs_ : connectMs_;
        const Clock::time_point since = headDone_ ? lastProgress_ : headStart_;
        return Clock::now() - since > std::chrono::milliseconds(limit);
    }

    static std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* self) {
        auto* t = static_cast<HttpTransport*>(self);
        const std::string line(data, size * count);
        const std::string lower = LowerTrim(line);
        if (lower.empty()) {
            t->headDone_ = true;
            t->lastProgress_ = Clock::now();
            return size * count;
        }
        if (lower.rfind("http/", 0) == 0 || lower.rfind("icy ", 0) == 0) {
            // A new response (after a redirect): its head gets the connect
            // limit afresh; curl bounds the redirects. Forget the previous
            // response's fields.
            t->headDone_ = false;
            t->headStart_ = Clock::now();
            std::lock_guard lock(t->mutex_);
            t->contentType_.clear();
            t->lengthKnown_ = false;
            t->metaint_ = 0;
            return size * count;
        }
        const auto colon = line.find(':');
        if (colon == std::string::npos) return size * count;
        const std::string name = LowerTrim(line.substr(0, colon));
        const std::string value = line.substr(colon + 1);
        std::lock_guard lock(t->mutex_);
        if (name == "content-type") t->contentType_ = LowerTrim(value);
        if (name == "content-length") t->lengthKnown_ = true;
        if (name == "icy-metaint") t->metaint_ = ParseIcyMetaint(value);
        return size * count;
    }

    static std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* self) {
        auto* t = static_cast<HttpTransport*>(self);
        const std::size_t total = size * count;
        if (t->stop_) return 0; // makes curl abort at once
        t->headDone_ = true;
        t->lastProgress_ = Clock::now();
        // Data that did not fit last time goes first; until it has, curl keeps
        // this chunk for us and the transfer rests.
        if (!t->staged_.empty()) {
            t->FlushStaged();
            if (!t->staged_.empty()) {
                t->paused_ = true;
                return CURL_WRITEFUNC_PAUSE;
            }
        }
        if (!t->icy_) {
            std::lock_guard lock(t->mutex_);
            t->icy_.emplace(t->metaint_);
        }
        t->audio_.clear();
        t->blocks_.clear();
        t->icy_->Feed(reinterpret_cast<const std::uint8_t*>(data), total, t->audio_, t->blocks_);
        const std::uint64_t base = t->ring_.TotalWritten();
        for (const auto& block : t->blocks_) {
            std::string title;
            if (ParseStreamTitle(block.text, title)) t->AddTitle(base + block.audioOffset, title);
        }
        const std::size_t written = t->ring_.Write(t->audio_.data(), t->audio_.size());
        t->staged_.assign(t->audio_.begin() + static_cast<long>(written), t->audio_.end());
        if (!t->staged_.empty()) t->paused_ = true;
        return total;
    }

    void FlushStaged() {
        const std::size_t done = ring_.Write(staged_.data(), staged_.size());
        staged_.erase(staged_.begin(), staged_.begin() + static_cast<long>(done));
    }

    std::string url_;
    CURLM* multi_ = nullptr;
    CURL* easy_ = nullptr;
    curl_slist* aliases_ = nullptr;
    curl_slist* requestHeaders_ = nullptr;
    std::thread thread_;
    std::mutex stopMutex_;
    std::atomic<bool> stop_{false};
    int connectMs_ = 0;
    int stallMs_ = 0;
    // Used only on the transfer thread.
    Clock::time_point lastProgress_;
    Clock::time_point headStart_; // request sent, or the current response began
    bool headDone_ = false;
    bool paused_ = false;
    std::size_t metaint_ = 0; // guarded by mutex_
    std::optional<IcyDeinterleaver> icy_;
    std::vector<std::uint8_t> audio_;
    std::vector<IcyDeinterleaver::Block> blocks_;
    std::vector<std::uint8_t> staged_;
};

} // namespace

std::unique_ptr<MusicTransport> MakeHttpTransport(const std::string& url,
                                                  std::size_t ringCapacity) {
    return std::make_unique<HttpTransport>(url, ringCapacity);
}

} // namespace media_internal
