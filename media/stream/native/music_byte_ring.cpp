#include "media/stream/native/music_byte_ring.h"

#include <algorithm>
#include <cstring>

namespace media_internal {

MusicByteRing::MusicByteRing(std::size_t capacity) : data_(std::max<std::size_t>(capacity, 1)) {}

std::size_t MusicByteRing::Write(const void* data, std::size_t size) {
    std::size_t done = 0;
    {
        std::lock_guard lock(mutex_);
        if (closed_ || aborted_) return 0;
        const auto* in = static_cast<const std::uint8_t*>(data);
        const std::size_t count = std::min(size, data_.size() - size_);
        while (done < count) {
            const std::size_t tail = (head_ + size_) % data_.size();
            const std::size_t chunk = std::min(count - done, data_.size() - tail);
            std::memcpy(&data_[tail], in + done, chunk);
            size_ += chunk;
            done += chunk;
        }
        written_ += done;
    }
    if (done > 0) readable_.notify_all();
    return done;
}

std::size_t MusicByteRing::FreeSpace() const {
    std::lock_guard lock(mutex_);
    return data_.size() - size_;
}

std::size_t MusicByteRing::Read(void* out, std::size_t size, std::chrono::milliseconds wait) {
    std::unique_lock lock(mutex_);
    readable_.wait_for(lock, wait, [&] { return size_ > 0 || closed_ || aborted_; });
    if (aborted_) return 0;
    auto* dst = static_cast<std::uint8_t*>(out);
    const std::size_t count = std::min(size, size_);
    std::size_t done = 0;
    while (done < count) {
        const std::size_t chunk = std::min(count - done, data_.size() - head_);
        std::memcpy(dst + done, &data_[head_], chunk);
        head_ = (head_ + chunk) % data_.size();
        size_ -= chunk;
        done += chunk;
    }
    read_ += done;
    return done;
}

void MusicByteRing::Close() {
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
    }
    readable_.notify_all();
}

void MusicByteRing::Abort() {
    {
        std::lock_guard lock(mutex_);
        aborted_ = true;
    }
    readable_.notify_all();
}

bool MusicByteRing::Finished() const {
    std::lock_guard lock(mutex_);
    return aborted_ || (closed_ && size_ == 0);
}

bool MusicByteRing::Aborted() const {
    std::lock_guard lock(mutex_);
    return aborted_;
}

std::uint64_t MusicByteRing::TotalWritten() const {
    std::lock_guard lock(mutex_);
    return written_;
}

std::uint64_t MusicByteRing::TotalRead() const {
    std::lock_guard lock(mutex_);
    return read_;
}

} // namespace media_internal
