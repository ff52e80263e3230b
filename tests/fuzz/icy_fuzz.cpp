// The ICY de-interleaver fed in random chunks must give exactly what one pass
// over the whole body gives; every title it finds comes out as UTF-8.
// Input: two bytes metaint, four bytes chunk seed, then the body.
#include "fuzz_support.h"
#include "media/stream/native/music_icy.h"
#include "media/system/utf8_codec.h"

using namespace media_internal;

namespace {
struct Split {
    std::vector<std::uint8_t> audio;
    std::vector<std::pair<std::size_t, std::string>> blocks;
};

// Straight from the framing: metaint audio bytes, a length byte L, L x 16
// bytes of text padded with NULs; a block cut off by the end is not reported.
Split OnePass(const std::uint8_t* data, std::size_t size, std::size_t metaint) {
    Split out;
    std::size_t at = 0;
    while (at < size) {
        const std::size_t n = metaint == 0 ? size - at : std::min(metaint, size - at);
        out.audio.insert(out.audio.end(), data + at, data + at + n);
        at += n;
        if (at >= size) break;
        const std::size_t length = std::size_t{data[at++]} * 16;
        if (length == 0) continue;
        if (size - at < length) break;
        std::string text(reinterpret_cast<const char*>(data + at), length);
        text.resize(std::min(text.find('\0'), text.size()));
        out.blocks.emplace_back(out.audio.size(), text);
        at += length;
    }
    return out;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 6) return 0;
    const std::size_t metaint = std::size_t{data[0]} | std::size_t{data[1]} << 8;
    fuzz::Chunks chunks(static_cast<std::uint32_t>(data[2] | data[3] << 8 | data[4] << 16 |
                                                   static_cast<std::uint32_t>(data[5]) << 24));
    data += 6;
    size -= 6;

    IcyDeinterleaver icy(metaint);
    Split fed;
    std::vector<IcyDeinterleaver::Block> blocks;
    for (std::size_t at = 0; at < size;) {
        const std::size_t n = std::min(chunks.Next(4096), size - at);
        blocks.clear();
        icy.Feed(data + at, n, fed.audio, blocks);
        for (auto& block : blocks)
            fed.blocks.emplace_back(block.audioOffset, std::move(block.text));
        at += n;
    }
    const Split reference = OnePass(data, size, metaint);
    fuzz::Check(fed.audio == reference.audio, "audio equals the one-pass split");
    fuzz::Check(fed.blocks == reference.blocks, "blocks equal the one-pass split");

    for (const auto& [offset, text] : fed.blocks) {
        std::string title;
        if (!ParseStreamTitle(text, title)) continue;
        std::string again;
        for (const char32_t c : media_internal::DecodeUtf8(title))
            media_internal::AppendUtf8(again, c);
        fuzz::Check(again == title, "titles are valid UTF-8");
    }
    ParseIcyMetaint(
        std::string(reinterpret_cast<const char*>(data), std::min<std::size_t>(size, 24)));
    return 0;
}
