// Fonts as the game uses them: the glyph table, the current font, text
// widths. The glyphs themselves come from the backend's RenderGlyph.
#include <fstream>

#include "media/gfx/font_data.h"
#include "media/gfx/image_data.h"
#include "media/system/utf8.h"

namespace {
FontPtr currentFont;
} // namespace

const media_internal::Glyph* media_internal::FindGlyph(Font& font, char32_t code) {
    Glyph* glyph = nullptr;
    if (code < font.low.size()) {
        glyph = &font.low[code];
    } else {
        auto found = font.high.find(code);
        if (found != font.high.end())
            glyph = &found->second;
        else if (font.face)
            glyph = &font.high[code];
        else
            return nullptr;
    }
    if (!glyph->loaded && font.face) RenderGlyph(font, code, *glyph);
    return glyph->present ? glyph : nullptr;
}

void SetFont(const FontPtr& font) {
    currentFont = font ? font : media_internal::BuiltinFont();
}

FontPtr GetFont() {
    return media_internal::CurrentFont();
}

const FontPtr& media_internal::CurrentFont() {
    if (!currentFont) currentFont = BuiltinFont();
    return currentFont;
}

void media_internal::ResetCurrentFont() {
    currentFont = BuiltinFont();
}

float TextWidth(const FontPtr& font, const std::string& text) {
    Font& f = font ? *font : *media_internal::BuiltinFont();
    float width = 0;
    for (size_t pos = 0; pos < text.size();) {
        const media_internal::Glyph* glyph =
            media_internal::FindGlyph(f, media_internal::NextCodePoint(text, pos));
        if (glyph) width += glyph->advance;
    }
    return width;
}

bool FontHasGlyphs(const FontPtr& font, const std::string& text) {
    Font& f = font ? *font : *media_internal::BuiltinFont();
    for (size_t pos = 0; pos < text.size();)
        if (!media_internal::FindGlyph(f, media_internal::NextCodePoint(text, pos))) return false;
    return true;
}

bool media_internal::ReadFontFile(const std::string& realPath, std::vector<uint8_t>& out) {
    if (realPath.empty()) return false;
    std::ifstream in(realPath, std::ios::binary | std::ios::ate);
    if (!in) return false;
    const std::streamoff size = in.tellg();
    if (size <= 0 || size > kMaxFontFileBytes) return false;
    out.resize(static_cast<size_t>(size));
    in.seekg(0);
    return static_cast<bool>(
        in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(size)));
}

void media_internal::SetGlyphImage(const Font& font, Glyph& glyph, int left, int top, int w, int h,
                                   std::vector<uint8_t> rgba) {
    glyph.offsetX = left;
    glyph.offsetY = font.ascender - top;
    std::vector<std::vector<uint8_t>> frames;
    frames.push_back(std::move(rgba));
    glyph.image = MakeImageFromRgba(w, h, font.imageFlags, std::move(frames));
}
