// Internal layout of fonts: a lazily filled glyph table, either from a
// TrueType face or from the built-in 8 x 16 bitmap font.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "media/graphics.h"

namespace media_internal {

struct Glyph {
    ImagePtr image;  // null for blank glyphs such as the space
    int offsetX = 0; // from the pen to the image's top-left
    int offsetY = 0;
    float advance = 0;
    bool present = false; // false: the font lacks the character
    bool loaded = false;
};

struct FontFace; // the backend's data of a TrueType face, only for TrueType fonts

} // namespace media_internal

struct Font {
    int size = 0;
    int style = 0;
    int imageFlags = 0;
    int height = 0, ascender = 0, descender = 0;
    std::vector<media_internal::Glyph> low; // codes 0-255, looked up directly
    std::unordered_map<char32_t, media_internal::Glyph> high;
    media_internal::Glyph missing; // the box drawn for a character the font lacks
    media_internal::FontFace* face = nullptr;

    Font() : low(256) {}
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    ~Font();
};

namespace media_internal {

// The glyph for `code`, rendered on first use; null when the font lacks it.
const Glyph* FindGlyph(Font& font, char32_t code);
// What DrawText draws and TextWidth counts for `code`: its glyph, else a
// hollow box the size of the font's '?' so a lacking letter is seen, never
// silently dropped; null for control characters (and a font without '?').
const Glyph* DrawnGlyph(Font& font, char32_t code);
// Called by FindGlyph on a TrueType font's first use of `code`: fills the
// glyph (loaded always; present, advance and image when the face has it).
// Each backend has its own (FreeType on the desktop, the browser's canvas).
void RenderGlyph(Font& font, char32_t code, Glyph& glyph);
// The one built-in font object (a stable pointer for the whole run).
const FontPtr& BuiltinFont();
// Draw state: the font DrawText uses; re-set to the built-in one on re-open.
const FontPtr& CurrentFont();
void ResetCurrentFont();

// Limits of every TrueType backend: a larger font file or glyph is treated
// as broken, a larger pixel size as refused by the face (its glyphs would
// need gigabytes).
constexpr long kMaxFontFileBytes = 64 << 20;
constexpr int kMaxFontPixelSize = 1024;
constexpr int kMaxGlyphSide = 2048;

// The whole font file at a real path; false when missing, empty or larger
// than kMaxFontFileBytes.
bool ReadFontFile(const std::string& realPath, std::vector<uint8_t>& out);
// Gives a rendered glyph its image: white RGBA pixels whose alpha is the
// coverage, placed `left` pixels right of the pen and `top` above the baseline.
void SetGlyphImage(const Font& font, Glyph& glyph, int left, int top, int w, int h,
                   std::vector<uint8_t> rgba);

} // namespace media_internal
