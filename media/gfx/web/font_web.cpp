// TrueType fonts in the page: the browser loads the game's own TTF file as a
// web font and rasterises each glyph on a 2D canvas at the asked pixel size,
// as white, alpha-only images like the desktop's FreeType glyphs.
#include <string>
#include <vector>

#include <emscripten.h>

#include "media/files.h"
#include "media/gfx/font_data.h"
#include "media/gfx/image_data.h"
#include "media/program.h"

struct media_internal::FontFace {
    std::string family; // the name the page knows the loaded font by
};

namespace {

// What RasterGlyph reports per glyph, in this order.
enum Metric { Present, Advance, Left, Top, Width, Height, Ascender, Descender, MetricCount };

// Loads the font file's bytes as a web font named `family`; 1 when the
// browser took it, 0 when it refused the file (damaged, not a font).
// clang-format off
EM_ASYNC_JS(int, LoadWebFont, (const char* family, const uint8_t* bytes, int size), {
    try {
        const face = new FontFace(UTF8ToString(family), HEAPU8.slice(bytes, bytes + size));
        await face.load();
        document.fonts.add(face);
        return 1;
    } catch (e) {
        console.warn('font refused: ' + e);
        return 0;
    }
});
// clang-format on

// Draws code point `code` white on a transparent canvas; writes the metrics
// (see Metric) and, when `capacity` suffices, the RGBA pixels. A glyph the
// font lacks would be drawn from a fallback font: two different fallbacks
// giving different widths tell that apart.
// clang-format off
EM_JS(void, RasterGlyph,
      (const char* family, int size, int code, int* metrics, uint8_t* pixels, int capacity), {
          const name = '"' + UTF8ToString(family) + '"';
          const canvas = Module.palmutGlyphCanvas ||
                         (Module.palmutGlyphCanvas = document.createElement('canvas'));
          let ctx = canvas.getContext('2d', {willReadFrequently : true});
          const text = String.fromCodePoint(code);
          ctx.font = size + 'px ' + name + ', serif';
          const serif = ctx.measureText(text);
          ctx.font = size + 'px ' + name + ', monospace';
          const m = ctx.measureText(text);
          const left = Math.ceil(m.actualBoundingBoxLeft),
                right = Math.ceil(m.actualBoundingBoxRight);
          const top = Math.ceil(m.actualBoundingBoxAscent),
                bottom = Math.ceil(m.actualBoundingBoxDescent);
          const w = Math.max(0, left + right) + 2, h = Math.max(0, top + bottom) + 2;
          const out = [
              serif.width == m.width ? 1 : 0, Math.floor(m.width), -left - 1, top + 1, w, h,
              Math.floor(m.fontBoundingBoxAscent), Math.floor(m.fontBoundingBoxDescent)
          ];
          for (let i = 0; i < out.length; ++i)
              HEAP32[(metrics >> 2) + i] = out[i];
          if (!out[0] || capacity < w * h * 4) return;
          canvas.width = w;
          canvas.height = h;
          ctx = canvas.getContext('2d', {willReadFrequently : true});
          ctx.font = size + 'px ' + name + ', monospace';
          ctx.fillStyle = 'white';
          ctx.textBaseline = 'alphabetic';
          ctx.fillText(text, left + 1, top + 1);
          HEAPU8.set(ctx.getImageData(0, 0, w, h).data, pixels);
      });
// clang-format on

std::vector<int> Metrics(const Font& font, char32_t code, std::vector<uint8_t>& rgba) {
    std::vector<int> m(MetricCount, 0);
    RasterGlyph(font.face->family.c_str(), font.size, static_cast<int>(code), m.data(), rgba.data(),
                static_cast<int>(rgba.size()));
    return m;
}

} // namespace

void media_internal::RenderGlyph(Font& font, char32_t code, Glyph& glyph) {
    glyph.loaded = true;
    std::vector<uint8_t> rgba;
    std::vector<int> m = Metrics(font, code, rgba);
    if (!m[Present]) return;
    glyph.present = true;
    glyph.advance = static_cast<float>(m[Advance]);
    const int w = m[Width], h = m[Height];
    // Blank (the space) or too large: no image.
    if (w <= 2 || h <= 2 || w > media_internal::kMaxGlyphSide || h > media_internal::kMaxGlyphSide)
        return;
    rgba.resize(static_cast<size_t>(w) * h * 4);
    m = Metrics(font, code, rgba);
    const bool smooth = (font.style & FONT_SMOOTH) != 0;
    for (size_t i = 0; i < rgba.size(); i += 4) {
        rgba[i] = rgba[i + 1] = rgba[i + 2] = 255;
        if (!smooth) rgba[i + 3] = rgba[i + 3] >= 128 ? 255 : 0;
    }
    media_internal::SetGlyphImage(font, glyph, m[Left], m[Top], w, h, std::move(rgba));
}

Font::~Font() {
    delete face;
}

FontPtr LoadFont(const std::string& path, int size, int style) {
    if (size <= 0) return nullptr;
    std::vector<uint8_t> bytes;
    if (!media_internal::ReadFontFile(ResolvePath(path), bytes)) return nullptr;
    static int loaded = 0;
    const std::string family = "palmut-font-" + std::to_string(++loaded);
    if (!LoadWebFont(family.c_str(), bytes.data(), static_cast<int>(bytes.size()))) {
        DebugLog("font refused by the browser: " + path);
        return nullptr;
    }
    auto font = std::make_shared<Font>();
    font->face = new media_internal::FontFace{family};
    font->size = std::min(size, media_internal::kMaxFontPixelSize);
    font->style = style;
    font->imageFlags = (style & FONT_SMOOTH) ? (IMAGE_FILTERED | IMAGE_MIPMAPPED) : 0;
    std::vector<uint8_t> none;
    const std::vector<int> m = Metrics(*font, U'H', none);
    font->ascender = m[Ascender];
    font->descender = -m[Descender];
    font->height = m[Ascender] + m[Descender];
    return font;
}
