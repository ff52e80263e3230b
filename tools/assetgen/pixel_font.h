// The game's own 5 x 7 pixel typeface. One set of glyphs serves the TrueType
// font, the title lettering and the home-computer screens of the intro.
#pragma once

#include <string>
#include <vector>

#include "canvas.h"

namespace assetgen {

// A glyph is kGlyphRows rows of kGlyphCols cells; rows 0-6 stand on the
// baseline (capitals fill all seven), rows 7-8 are the descender.
inline constexpr int kGlyphCols = 5;
inline constexpr int kGlyphRows = 9;
inline constexpr int kBaselineRow = 7; // first row below the baseline
inline constexpr int kAdvanceCols = 6;

struct Glyph {
    char32_t code;
    bool on[kGlyphRows][kGlyphCols];
    bool top[kGlyphCols]; // the row above row 0: a capital's accent
};

// Every glyph, ordered by code: ASCII 32-126, Latin-1 Supplement, Latin
// Extended-A and the typographic signs of media/latin_letters.h.
const std::vector<Glyph>& PixelGlyphs();
// nullptr when the typeface lacks the character.
const Glyph* FindGlyph(char32_t code);
// Decodes UTF-8 (invalid bytes become '?').
std::u32string Utf8ToUtf32(const std::string& text);

// Draws text with its top-left at (x, y); every font pixel becomes a scale x scale block.
void DrawText(Canvas& canvas, const std::string& utf8, int x, int y, int scale, Rgba colour);
int TextWidth(const std::string& utf8, int scale);

} // namespace assetgen
