// UTF-8 and Windows-1252: the typed-text and the drawing decoders follow one
// rule; metadata always comes out as valid UTF-8.
#include "fuzz_support.h"
#include "media/stream/native/music_icy.h"
#include "media/system/utf8.h"
#include "media/system/utf8_codec.h"

using namespace media_internal;

namespace {
bool ValidUtf8(const std::string& text) {
    std::string again;
    for (const char32_t c : media_internal::DecodeUtf8(text))
        media_internal::AppendUtf8(again, c);
    return again == text;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::u32string drawn;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t before = pos;
        drawn.push_back(NextCodePoint(text, pos));
        fuzz::Check(pos > before && pos <= text.size(), "decoding advances");
    }
    fuzz::Check(drawn == media_internal::DecodeUtf8(text), "the two decoders agree");
    fuzz::Check(ValidUtf8(MetadataToUtf8(text)), "metadata becomes UTF-8");
    return 0;
}
