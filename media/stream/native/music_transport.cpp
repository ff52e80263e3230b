#include "media/stream/native/music_transport.h"

#include "media/stream/music_settings.h"

namespace media_internal {

namespace {
struct TimeoutSetting {
    std::mutex mutex;
    MusicTimeouts value;
};
TimeoutSetting setting;
} // namespace

MusicTimeouts CurrentMusicTimeouts() {
    std::lock_guard lock(setting.mutex);
    return setting.value;
}

void SetMusicTimeouts(const MusicTimeouts& value) {
    std::lock_guard lock(setting.mutex);
    setting.value = value;
}

std::string MusicTransport::ContentType() const {
    std::lock_guard lock(mutex_);
    return contentType_;
}

bool MusicTransport::LengthKnown() const {
    std::lock_guard lock(mutex_);
    return lengthKnown_;
}

int MusicTransport::ErrorCode() const {
    std::lock_guard lock(mutex_);
    return error_;
}

bool MusicTransport::TakeTitle(std::uint64_t consumed, std::string& title) {
    std::lock_guard lock(mutex_);
    if (titles_.empty() || titles_.front().first > consumed) return false;
    title = std::move(titles_.front().second);
    titles_.pop_front();
    return true;
}

void MusicTransport::Finish(int error) {
    {
        std::lock_guard lock(mutex_);
        error_ = error;
    }
    ring_.Close();
}

void MusicTransport::AddTitle(std::uint64_t offset, const std::string& title) {
    std::lock_guard lock(mutex_);
    // Servers repeat the current title now and then; only a change is news.
    if (anyTitle_ && title == lastTitle_) return;
    anyTitle_ = true;
    lastTitle_ = title;
    if (titles_.size() < 64) titles_.emplace_back(offset, title);
}

} // namespace media_internal
