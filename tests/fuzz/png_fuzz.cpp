// PNG pictures: decoding from memory and cutting strip cells from the sheet.
#include "fuzz_support.h"
#include "media/gfx/image_data.h"
#include "media/gfx/png_decoder.h"

using media_internal::DecodePngFile;
using media_internal::DecodePngMemory;
using media_internal::kImageMaxSide;
using media_internal::PixmapRegionToRgba;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const PixmapPtr sheet = DecodePngMemory(data, size);
    if (!sheet) return 0;
    fuzz::Check(sheet->width > 0 && sheet->height > 0, "positive sides");
    fuzz::Check(sheet->pixels.size() == static_cast<std::size_t>(sheet->pitch) * sheet->height,
                "buffer matches pitch");
    // Cells of a few sizes, masked and not, as the strip loader cuts them.
    for (const int cell : {1, 7, 32}) {
        if (cell > sheet->width || cell > sheet->height) continue;
        const auto rgba = PixmapRegionToRgba(*sheet, sheet->width - cell, sheet->height - cell,
                                             cell, cell, cell != 7, 0, 0, 0);
        fuzz::Check(rgba.size() == static_cast<std::size_t>(cell) * cell * 4, "cell size");
    }
    // The file loader with the game's limits must agree on what decodes.
    if (size < (1u << 20) && sheet->width <= kImageMaxSide && sheet->height <= kImageMaxSide) {
        const std::string path = fuzz::WriteScratch(
            "picture.png", std::string(reinterpret_cast<const char*>(data), size));
        fuzz::Check(DecodePngFile(path, kImageMaxSide) != nullptr, "file and memory agree");
    }
    return 0;
}
