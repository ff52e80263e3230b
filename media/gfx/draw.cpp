// Drawing state and the drawing operations: rectangles, images and text all
// become transformed, tinted quads for the batch renderer.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "media/gfx/draw_state.h"
#include "media/gfx/font_data.h"
#include "media/gfx/image_data.h"
#include "media/gfx/renderer.h"
#include "media/graphics.h"
#include "media/program.h"
#include "media/system/utf8.h"

using media_internal::NextCodePoint;

namespace {
struct DrawState {
    int r = 255, g = 255, b = 255;
    float alpha = 1.0f;
    int blend = BLEND_MASK;
    float rotation = 0, scaleX = 1, scaleY = 1;
    float ix = 1, iy = 0, jx = 0, jy = 1;
    bool axisAligned = true; // no scale, rotation by whole quarter turns
    uint32_t packedColour = 0xFFFFFFFFu;
};
DrawState drawState;

uint8_t ClampByte(int v) {
    return static_cast<uint8_t>(std::clamp(v, 0, 255));
}

void UpdateColour() {
    const float a = std::isnan(drawState.alpha) ? 0.0f : std::clamp(drawState.alpha, 0.0f, 1.0f);
    const uint32_t alpha = static_cast<uint32_t>(std::lround(a * 255.0f));
    // Memory order r, g, b, a as the vertex format reads it.
    drawState.packedColour = ClampByte(drawState.r) | (ClampByte(drawState.g) << 8) |
                             (ClampByte(drawState.b) << 16) | (alpha << 24);
}

void UpdateTransform() {
    const double radians = drawState.rotation * std::numbers::pi / 180.0;
    float c = static_cast<float>(std::cos(radians));
    float s = static_cast<float>(std::sin(radians));
    // Quarter turns exactly, so a turned sprite still lands on whole pixels.
    if (std::fmod(drawState.rotation, 90.0f) == 0.0f) {
        c = std::round(c);
        s = std::round(s);
    }
    drawState.ix = c * drawState.scaleX;
    drawState.iy = -s * drawState.scaleY;
    drawState.jx = s * drawState.scaleX;
    drawState.jy = c * drawState.scaleY;
    // Unscaled, turned by quarter turns at most: every entry is 0 or +-1 with one of each per row.
    const auto unit = [](float v) { return v == 0 || v == 1 || v == -1; };
    drawState.axisAligned = unit(drawState.ix) && unit(drawState.iy) && unit(drawState.jx) &&
                            unit(drawState.jy) && (drawState.ix == 0) != (drawState.iy == 0) &&
                            (drawState.jx == 0) != (drawState.jy == 0);
}

// A frame drawn unscaled (or quarter-turned) with its corners on whole pixels
// samples texel centres, where every filter gives exactly the nearest texel:
// such quads may join a batch of any filter.
media_internal::Sampling SamplingAt(const Image& image, const render::Corners& c) {
    if (drawState.axisAligned) {
        bool whole = true;
        for (int i = 0; i < 4; ++i)
            whole = whole && c.x[i] == std::floor(c.x[i]) && c.y[i] == std::floor(c.y[i]);
        if (whole) return media_internal::SampleExact;
    }
    return media_internal::SamplingFor(image.flags);
}

// Unknown modes draw as solid; one value for them keeps batches together.
int EffectiveBlend() {
    return drawState.blend >= BLEND_MASK && drawState.blend <= BLEND_SHADE ? drawState.blend
                                                                           : BLEND_SOLID;
}

// Corners of the box (left, top)-(right, bottom) given relative to (x, y),
// carried through the current transform.
render::Corners Transformed(float x, float y, float left, float top, float right, float bottom) {
    const DrawState& s = drawState;
    const float px[4] = {left, right, right, left};
    const float py[4] = {top, top, bottom, bottom};
    render::Corners c;
    for (int i = 0; i < 4; ++i) {
        c.x[i] = x + px[i] * s.ix + py[i] * s.iy;
        c.y[i] = y + px[i] * s.jx + py[i] * s.jy;
    }
    return c;
}

void DrawFrame(Image& image, float x, float y, int frame) {
    if (frame < 0 || frame >= static_cast<int>(image.frames.size())) return;
    media_internal::ImageFrame& f = image.frames[frame];
    if (!render::PrepareFrame(f, image.width, image.height, (image.flags & IMAGE_MIPMAPPED) != 0))
        return;
    const render::Corners corners =
        Transformed(x, y, -image.handleX, -image.handleY, image.width - image.handleX,
                    image.height - image.handleY);
    render::AddQuad(f.slot, SamplingAt(image, corners), corners, drawState.packedColour,
                    EffectiveBlend());
}
} // namespace

namespace media_internal {
void ResetDrawState() {
    drawState = DrawState{};
    UpdateColour();
    ResetCurrentFont();
}
} // namespace media_internal

void SetColor(int r, int g, int b) {
    drawState.r = r;
    drawState.g = g;
    drawState.b = b;
    UpdateColour();
}

void SetAlpha(float alpha) {
    drawState.alpha = alpha;
    UpdateColour();
}

void SetBlend(int mode) {
    drawState.blend = mode;
}

void SetDrawScale(float sx, float sy) {
    drawState.scaleX = sx;
    drawState.scaleY = sy;
    UpdateTransform();
}

void SetDrawRotation(float degrees) {
    drawState.rotation = degrees;
    UpdateTransform();
}

void DrawRect(float x, float y, float w, float h) {
    if (!render::IsOpen()) return;
    render::AddRect(Transformed(x, y, 0, 0, w, h), drawState.packedColour, EffectiveBlend());
}

void DrawImage(const ImagePtr& image, float x, float y, int frame) {
    if (!image) FatalError("DrawImage: image does not exist");
    if (!render::IsOpen()) return;
    DrawFrame(*image, x, y, frame);
}

void DrawText(const std::string& text, float x, float y) {
    const FontPtr& font = media_internal::CurrentFont();
    if (!font) FatalError("DrawText: font does not exist");
    if (!render::IsOpen()) return;
    const DrawState& s = drawState;
    float penX = x, penY = y;
    for (size_t pos = 0; pos < text.size();) {
        const media_internal::Glyph* glyph =
            media_internal::DrawnGlyph(*font, NextCodePoint(text, pos));
        if (!glyph) continue; // control characters do not move the pen
        if (glyph->image) {
            const float ox = static_cast<float>(glyph->offsetX);
            const float oy = static_cast<float>(glyph->offsetY);
            // Glyph images have their handle at the top-left.
            DrawFrame(*glyph->image, penX + ox * s.ix + oy * s.iy, penY + ox * s.jx + oy * s.jy, 0);
        }
        penX += glyph->advance * s.ix;
        penY += glyph->advance * s.jx;
    }
}
