// TrueType fonts through FreeType: glyphs rendered on first use as white,
// alpha-only images so SetColor tints them.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <iterator>

#include "media/files.h"
#include "media/gfx/font_data.h"
#include "media/gfx/image_data.h"
#include "media/program.h"

struct media_internal::FontFace {
    FT_Face face = nullptr;
    std::vector<uint8_t> file; // FreeType reads from it for the face's lifetime
};

namespace {

FT_Library Library() {
    static FT_Library library = nullptr;
    static bool tried = false;
    if (!tried) {
        tried = true;
        if (FT_Init_FreeType(&library) != 0) library = nullptr;
    }
    return library;
}

// Floor of a 26.6 fixed-point value.
int FloorPixels(FT_Pos v) {
    return static_cast<int>(v >= 0 ? v / 64 : -((-v + 63) / 64));
}

} // namespace

void media_internal::RenderGlyph(Font& font, char32_t code, Glyph& glyph) {
    glyph.loaded = true;
    FT_Face face = font.face->face;
    const FT_UInt index = FT_Get_Char_Index(face, code);
    if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0) return;
    FT_GlyphSlot slot = face->glyph;
    if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0)
        return;
    glyph.present = true;
    glyph.advance = static_cast<float>(FloorPixels(slot->advance.x));

    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.width == 0 || bitmap.rows == 0) return; // blank, e.g. the space
    constexpr auto kMaxSide = static_cast<unsigned>(media_internal::kMaxGlyphSide);
    if (bitmap.width > kMaxSide || bitmap.rows > kMaxSide) return;
    const bool mono = bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
    if (!mono && bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) return;

    const int border = (font.style & FONT_SMOOTH) ? 1 : 0;
    const int w = static_cast<int>(bitmap.width) + 2 * border;
    const int h = static_cast<int>(bitmap.rows) + 2 * border;
    std::vector<uint8_t> rgba(static_cast<size_t>(w) * h * 4, 0);
    for (size_t i = 0; i < rgba.size(); i += 4)
        rgba[i] = rgba[i + 1] = rgba[i + 2] = 255;
    const int grays = bitmap.num_grays > 1 ? bitmap.num_grays - 1 : 255;
    for (unsigned y = 0; y < bitmap.rows; ++y) {
        const uint8_t* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
        for (unsigned x = 0; x < bitmap.width; ++x) {
            int coverage;
            if (mono)
                coverage = (row[x / 8] >> (7 - x % 8)) & 1 ? 255 : 0;
            else
                coverage = row[x] * 255 / grays;
            const size_t at = ((y + border) * static_cast<size_t>(w) + x + border) * 4;
            rgba[at + 3] = static_cast<uint8_t>(coverage);
        }
    }
    media_internal::SetGlyphImage(font, glyph, slot->bitmap_left - border,
                                  slot->bitmap_top + border, w, h, std::move(rgba));
}

Font::~Font() {
    if (face) {
        FT_Done_Face(face->face);
        delete face;
    }
}

FontPtr LoadFont(const std::string& path, int size, int style) {
    FT_Library library = Library();
    if (!library || size <= 0) return nullptr;
    auto data = std::make_unique<media_internal::FontFace>();
    if (!media_internal::ReadFontFile(ResolvePath(path), data->file)) return nullptr;
    if (FT_New_Memory_Face(library, data->file.data(), static_cast<FT_Long>(data->file.size()), 0,
                           &data->face) != 0)
        return nullptr;
    auto font = std::make_shared<Font>();
    font->face = data.release(); // the font now closes the face
    FT_Face face = font->face->face;

    int chosen = 0;
    for (int s = std::min(size, media_internal::kMaxFontPixelSize); s >= 1 && !chosen; --s)
        if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(s)) == 0) chosen = s;
    if (!chosen) return nullptr;

    font->size = chosen;
    font->style = style;
    font->imageFlags = (style & FONT_SMOOTH) ? (IMAGE_FILTERED | IMAGE_MIPMAPPED) : 0;
    font->height = FloorPixels(face->size->metrics.height);
    font->ascender = FloorPixels(face->size->metrics.ascender);
    font->descender = FloorPixels(face->size->metrics.descender);
    return font;
}
