// The page's own PNG reader (chunks, inflate, row filters): each input as it
// is and once more with every chunk's CRC made right, so mutations reach the
// inflater and the filters instead of stopping at the checksum.
#include <vector>

#include "fuzz_support.h"
#include "media/gfx/image_data.h"
#include "media/gfx/png_decoder.h"
#include "media/gfx/web/png_format.h"

using media_internal::kPngMaxBytes;
using media_internal::kPngMaxSide;

namespace {

std::uint32_t Crc32(const std::uint8_t* p, std::size_t n) {
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < n; ++i) {
        c ^= p[i];
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    }
    return c ^ 0xFFFFFFFFu;
}

std::uint32_t BigEndian(const std::uint8_t* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

// Rewrites each complete chunk's CRC after the signature.
void RepairCrcs(std::vector<std::uint8_t>& png) {
    std::size_t at = 8;
    while (png.size() >= 12 && at <= png.size() - 12) {
        const std::uint32_t length = BigEndian(&png[at]);
        if (length > png.size() - at - 12) return;
        const std::uint32_t crc = Crc32(&png[at + 4], length + 4);
        for (int i = 0; i < 4; ++i)
            png[at + 8 + length + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
        at += 12 + length;
    }
}

void Decode(const std::vector<std::uint8_t>& png) {
    const PixmapPtr web = media_internal::DecodePngBytes(png.data(), png.size(), kPngMaxSide);
    if (!web) return;
    fuzz::Check(web->width > 0 && web->height > 0, "positive sides");
    fuzz::Check(web->width <= kPngMaxSide && web->height <= kPngMaxSide, "side limit");
    fuzz::Check(web->pixels.size() == static_cast<std::size_t>(web->pitch) * web->height,
                "buffer matches pitch");
    fuzz::Check(web->pixels.size() <= kPngMaxBytes, "byte limit");
    // What the page decodes, the desktop decodes to the same picture.
    const PixmapPtr desktop = media_internal::DecodePngMemory(png.data(), png.size());
    fuzz::Check(desktop != nullptr, "desktop decodes it too");
    fuzz::Check(desktop->width == web->width && desktop->height == web->height, "same size");
    fuzz::Check(desktop->format == web->format, "same format");
    fuzz::Check(desktop->pixels == web->pixels, "same pixels");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> asIs(data, data + size);
    Decode(asIs);
    std::vector<std::uint8_t> repaired = asIs;
    RepairCrcs(repaired);
    if (repaired != asIs) Decode(repaired);
    return 0;
}
