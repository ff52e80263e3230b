// Fonts as the game uses them: the glyph table, the current font, text
// widths. The glyphs themselves come from the backend's RenderGlyph.
#include <algorithm>
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

namespace {

// A hollow box over the ink of the font's '?'.
void MakeMissingBox(Font& font) {
    using media_internal::Glyph;
    Glyph& box = font.missing;
    box.loaded = true;
    const Glyph* question = media_internal::FindGlyph(font, U'?');
    if (!question || !question->image || question->image->frames.empty()) return;
    const Image& image = *question->image;
    const std::vector<uint8_t>& ink = image.frames[0].rgba;
    int left = image.width, right = -1, top = image.height, bottom = -1;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (ink[(static_cast<size_t>(y) * image.width + x) * 4 + 3] >= 128) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    if (right < left) return;
    std::vector<uint8_t> rgba(ink.size(), 0);
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            if (x == left || x == right || y == top || y == bottom)
                std::fill_n(rgba.begin() + static_cast<std::ptrdiff_t>(
                                               (static_cast<size_t>(y) * image.width + x) * 4),
                            4, uint8_t{255});
    std::vector<std::vector<uint8_t>> frames;
    frames.push_back(std::move(rgba));
    box.image = media_internal::MakeImageFromRgba(image.width, image.height, font.imageFlags,
                                                  std::move(frames));
    box.offsetX = question->offsetX;
    box.offsetY = question->offsetY;
    box.advance = question->advance;
    box.present = true;
}

} // namespace

const media_internal::Glyph* media_internal::DrawnGlyph(Font& font, char32_t code) {
    if (const Glyph* glyph = FindGlyph(font, code)) return glyph;
    if (code < 0x20 || code == 0x7F) return nullptr; // line ends, tabs: nothing to see
    if (!font.missing.loaded) MakeMissingBox(font);
    return font.missing.present ? &font.missing : nullptr;
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
            media_internal::DrawnGlyph(f, media_internal::NextCodePoint(text, pos));
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
