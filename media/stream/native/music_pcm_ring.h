// Stereo float frames from the decoder thread to the audio thread. One
// writer, one reader, no locks: the audio thread must never wait.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace media_internal {

class MusicPcmRing {
  public:
    explicit MusicPcmRing(std::size_t capacityFrames);

    std::size_t FreeFrames() const; // writer side
    // Copies up to `frames` frames; returns how many fitted.
    std::size_t Write(const float* stereo, std::size_t frames);
    // Copies up to `frames` frames; returns how many were there.
    std::size_t Read(float* stereo, std::size_t frames);

    std::uint64_t FramesWritten() const { return written_.load(std::memory_order_acquire); }
    std::uint64_t FramesRead() const { return read_.load(std::memory_order_acquire); }

  private:
    std::vector<float> samples_;
    std::size_t capacity_;
    // Running totals; their difference is the fill level.
    std::atomic<std::uint64_t> written_{0};
    std::atomic<std::uint64_t> read_{0};
};

} // namespace media_internal
