#include "media/stream/native/music_pcm_ring.h"

#include <algorithm>
#include <cstring>

namespace media_internal {

MusicPcmRing::MusicPcmRing(std::size_t capacityFrames)
    : samples_(std::max<std::size_t>(capacityFrames, 1) * 2),
      capacity_(std::max<std::size_t>(capacityFrames, 1)) {}

std::size_t MusicPcmRing::FreeFrames() const {
    return capacity_ - static_cast<std::size_t>(written_.load(std::memory_order_relaxed) -
                                                read_.load(std::memory_order_acquire));
}

std::size_t MusicPcmRing::Write(const float* stereo, std::size_t frames) {
    const std::uint64_t w = written_.load(std::memory_order_relaxed);
    const std::size_t count = std::min(frames, FreeFrames());
    std::size_t done = 0;
    while (done < count) {
        const std::size_t at = static_cast<std::size_t>((w + done) % capacity_);
        const std::size_t chunk = std::min(count - done, capacity_ - at);
        std::memcpy(&samples_[at * 2], stereo + done * 2, chunk * 2 * sizeof(float));
        done += chunk;
    }
    written_.store(w + count, std::memory_order_release);
    return count;
}

std::size_t MusicPcmRing::Read(float* stereo, std::size_t frames) {
    const std::uint64_t r = read_.load(std::memory_order_relaxed);
    const std::size_t available =
        static_cast<std::size_t>(written_.load(std::memory_order_acquire) - r);
    const std::size_t count = std::min(frames, available);
    std::size_t done = 0;
    while (done < count) {
        const std::size_t at = static_cast<std::size_t>((r + done) % capacity_);
        const std::size_t chunk = std::min(count - done, capacity_ - at);
        std::memcpy(stereo + done * 2, &samples_[at * 2], chunk * 2 * sizeof(float));
        done += chunk;
    }
    read_.store(r + count, std::memory_order_release);
    return count;
}

} // namespace media_internal
