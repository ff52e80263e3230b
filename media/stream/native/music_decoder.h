// Compressed audio in, float PCM out. A decoder pulls its bytes from a source
// that blocks until data arrives and returns 0 at the end of the data.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace media_internal {

// Compressed bytes a decoder may take without producing a frame before it
// gives up, headers included. Keeps a hostile stream (a packet that never
// ends, endless garbage) from growing the codec's buffers without bound.
constexpr std::size_t kMaxBytesWithoutAudio = std::size_t{4} << 20;

using MusicByteSource = std::function<std::size_t(void* out, std::size_t size)>;

class MusicDecoder {
  public:
    virtual ~MusicDecoder() = default;
    // Reads until the audio format is known; false when the data is not
    // decodable (or ended first).
    virtual bool Open() = 0;
    // Appends the next decoded piece (interleaved, Channels() wide) to `pcm`;
    // false at the end of the data. A call may append nothing.
    virtual bool Decode(std::vector<float>& pcm) = 0;
    // The format of what the last Decode appended; it may change mid-stream.
    int Rate() const { return rate_; }
    int Channels() const { return channels_; }
    // A title carried inside the audio (a new Ogg link's comments), once.
    bool TakeTitle(std::string& title) {
        if (!hasTitle_) return false;
        title = std::move(title_);
        hasTitle_ = false;
        return true;
    }

  protected:
    int rate_ = 0;
    int channels_ = 0;
    std::string title_;
    bool hasTitle_ = false;
};

std::unique_ptr<MusicDecoder> MakeVorbisDecoder(MusicByteSource source);
std::unique_ptr<MusicDecoder> MakeMp3Decoder(MusicByteSource source);

} // namespace media_internal
