// TrueType fonts: loading at the game's size and rendering a line of glyphs.
#include "fuzz_support.h"
#include "media/gfx/font_data.h"
#include "media/graphics.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path =
        fuzz::WriteScratch("font.ttf", std::string(reinterpret_cast<const char*>(data), size));
    const FontPtr font = LoadFont(path, 32, FONT_SMOOTH);
    if (!font) return 0;
    for (const char32_t code : {U'A', U'g', U' ', U'\u00e4', U'\u20ac', U'\uFFFD', char32_t{0}})
        media_internal::FindGlyph(*font, code);
    return 0;
}
