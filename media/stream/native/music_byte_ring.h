// Bounded byte FIFO between the network thread and the decoder thread.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace media_internal {

class MusicByteRing {
  public:
    explicit MusicByteRing(std::size_t capacity);

    // Copies as much of `data` as fits without waiting; returns the count.
    std::size_t Write(const void* data, std::size_t size);
    std::size_t FreeSpace() const;
    // Waits up to `wait` for at least one byte. Returns 0 when nothing came in
    // time, when the writer has closed and everything is read, or after Abort.
    std::size_t Read(void* out, std::size_t size, std::chrono::milliseconds wait);
    // The writer is done: readers drain what is left and then see the end.
    void Close();
    // Wakes every reader and makes all further reads return 0 at once.
    void Abort();

    bool Finished() const; // closed (or aborted) and empty
    bool Aborted() const;
    std::uint64_t TotalWritten() const;
    std::uint64_t TotalRead() const;

  private:
    mutable std::mutex mutex_;
    std::condition_variable readable_;
    std::vector<std::uint8_t> data_;
    std::size_t head_ = 0; // next byte to read
    std::size_t size_ = 0;
    bool closed_ = false;
    bool aborted_ = false;
    std::uint64_t written_ = 0;
    std::uint64_t read_ = 0;
};

} // namespace media_internal
