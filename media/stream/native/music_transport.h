// Brings the bytes of one address into a ring: an HTTP(S) connection or a
// local file, each on its own thread.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <utility>

#include "media/stream/native/music_byte_ring.h"

namespace media_internal {

class MusicTransport {
  public:
    virtual ~MusicTransport() = default;
    // Starts the transfer thread; the destructor and Stop end it.
    virtual void Start() = 0;
    // Makes the transfer end soon and wakes every reader; does not wait.
    virtual void RequestStop() = 0;
    // Ends the transfer and joins its thread; prompt whatever the network does.
    virtual void Stop() = 0;

    MusicByteRing& Ring() { return ring_; }
    // From the final response's headers (empty for files).
    std::string ContentType() const;
    bool LengthKnown() const;
    bool IsLocal() const { return local_; }
    // The error code that ended the transfer, 0 while running or after a clean end.
    int ErrorCode() const;
    // The next stream title whose audio byte offset is at most `consumed`.
    bool TakeTitle(std::uint64_t consumed, std::string& title);

  protected:
    MusicTransport(std::size_t ringCapacity, bool local) : ring_(ringCapacity), local_(local) {}
    void Finish(int error); // records the result and closes the ring
    void AddTitle(std::uint64_t offset, const std::string& title);

    MusicByteRing ring_;
    const bool local_;
    mutable std::mutex mutex_;
    std::string contentType_;
    bool lengthKnown_ = false;
    int error_ = 0;

  private:
    std::deque<std::pair<std::uint64_t, std::string>> titles_;
    std::string lastTitle_;
    bool anyTitle_ = false;
};

std::unique_ptr<MusicTransport> MakeHttpTransport(const std::string& url, std::size_t ringCapacity);
// Null with *error set when the file cannot be opened.
std::unique_ptr<MusicTransport> MakeFileTransport(const std::string& path, std::size_t ringCapacity,
                                                  int* error);

} // namespace media_internal
