// Shoutcast/Icecast in-band metadata: every `metaint` audio bytes the server
// puts one length byte and length x 16 bytes of text into the body.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace media_internal {

class IcyDeinterleaver {
  public:
    // metaint 0: the body is plain audio.
    explicit IcyDeinterleaver(std::size_t metaint) : metaint_(metaint), audioLeft_(metaint) {}

    struct Block {
        std::size_t audioOffset; // size of `audio` when the block ended
        std::string text;        // NUL padding removed
    };
    // Appends the audio bytes of `data` to `audio` and every completed
    // metadata block to `blocks`.
    void Feed(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& audio,
              std::vector<Block>& blocks);

  private:
    std::size_t metaint_;
    std::size_t audioLeft_;    // audio bytes before the next length byte
    std::size_t metaLeft_ = 0; // metadata bytes still to come
    bool inMeta_ = false;
    std::string block_;
};

// Parses an icy-metaint header value; 0 for none, junk or absurd sizes.
std::size_t ParseIcyMetaint(const std::string& value);

// The StreamTitle of a metadata block in UTF-8; false when the block has none.
bool ParseStreamTitle(const std::string& block, std::string& title);

// Text that is valid UTF-8 stays; anything else is read as Windows-1252.
std::string MetadataToUtf8(const std::string& text);

} // namespace media_internal
