// Drawing a recorded frame into its target, and presenting it: a frame
// recorded exactly like the one on screen is neither drawn nor shown again.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "media/gfx/render_state.h"

namespace render {

bool Frame::SameAs(const Frame& o) const {
    if (cleared != o.cleared || quadCount != o.quadCount || batchCount != o.batchCount)
        return false;
    for (int i = 0; i < batchCount; ++i) {
        const Batch& a = batches[i];
        const Batch& b = o.batches[i];
        if (a.page != b.page || a.blend != b.blend || a.sampling != b.sampling ||
            a.opaque != b.opaque || a.quads != b.quads)
            return false;
    }
    return std::memcmp(vertices.data(), o.vertices.data(),
                       static_cast<size_t>(quadCount) * 4 * sizeof(Vertex)) == 0;
}

namespace {

// Draws batches [from, to) of `frame` into whatever is bound.
void DrawBatches(State& s, const Frame& frame, int from, int to, bool count) {
    if (from >= to || frame.quadCount == 0) return;
    size_t total = 0;
    for (int b = from; b < to; ++b)
        total += frame.batches[b].quads.size();
    if (total == 0) return;
    EnsureBuffers(s, frame.quadCount);
    if (s.indices.size() < total * 6) s.indices.resize(total * 6);
    if (s.iboQuads < total) {
        s.iboQuads = std::max(total, s.vboQuads);
        gl.BufferData(GL_ELEMENT_ARRAY_BUFFER,
                      static_cast<GLsizeiptr>(s.iboQuads * 6 * sizeof(uint32_t)), nullptr,
                      GL_STREAM_DRAW);
    }
    size_t at = 0;
    for (int b = from; b < to; ++b)
        for (uint32_t q : frame.batches[b].quads) {
            const uint32_t v = q * 4;
            const uint32_t quad[6] = {v, v + 1, v + 2, v, v + 2, v + 3};
            std::copy(quad, quad + 6, s.indices.begin() + static_cast<std::ptrdiff_t>(at));
            at += 6;
        }
    gl.BindBuffer(GL_ARRAY_BUFFER, s.vbo);
    // Orphan the stores so the driver need not wait for the previous frame.
    gl.BufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(s.vboQuads * 4 * sizeof(Vertex)),
                  nullptr, GL_STREAM_DRAW);
    gl.BufferSubData(
        GL_ARRAY_BUFFER, 0,
        static_cast<GLsizeiptr>(static_cast<size_t>(frame.quadCount) * 4 * sizeof(Vertex)),
        frame.vertices.data());
    gl.BufferData(GL_ELEMENT_ARRAY_BUFFER,
                  static_cast<GLsizeiptr>(s.iboQuads * 6 * sizeof(uint32_t)), nullptr,
                  GL_STREAM_DRAW);
    gl.BufferSubData(GL_ELEMENT_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(at * sizeof(uint32_t)),
                     s.indices.data());
    size_t offset = 0;
    for (int b = from; b < to; ++b) {
        const Batch& batch = frame.batches[b];
        if (batch.quads.empty()) continue;
        ApplyBlend(s, batch.opaque ? BLEND_SOLID : batch.blend);
        BindTexture(s, batch.page, batch.sampling);
        const size_t n = batch.quads.size() * 6;
        gl.DrawElements(GL_TRIANGLES, static_cast<GLsizei>(n), GL_UNSIGNED_INT,
                        reinterpret_cast<const void*>(offset * sizeof(uint32_t)));
        offset += n;
        if (count) ++s.drawCalls;
    }
}

// Copies the offscreen target into the window's back buffer at `fit`, with
// black bars in the strips beside it (not the whole window).
void BlitScaled(const State& s, const ScreenRect& fit, int drawableWidth, int drawableHeight) {
    gl.BindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    gl.BindFramebuffer(GL_READ_FRAMEBUFFER, s.framebuffer);
    gl.Viewport(0, 0, drawableWidth, drawableHeight);
    const ScreenRect bars[4] = {{0, 0, fit.x, drawableHeight},
                                {fit.x + fit.w, 0, drawableWidth - fit.x - fit.w, drawableHeight},
                                {fit.x, 0, fit.w, fit.y},
                                {fit.x, fit.y + fit.h, fit.w, drawableHeight - fit.y - fit.h}};
    bool scissor = false;
    for (const ScreenRect& bar : bars) {
        if (bar.w <= 0 || bar.h <= 0) continue;
        if (!scissor) gl.Enable(GL_SCISSOR_TEST);
        scissor = true;
        gl.Scissor(bar.x, bar.y, bar.w, bar.h);
        ClearBound();
    }
    if (scissor) gl.Disable(GL_SCISSOR_TEST);
    // The target holds the top row first; the window wants the bottom row first.
    // Shrunk (a small embed), the nearest pixel would drop whole rows of text:
    // there the copy blends neighbours instead.
    const bool shrunk = fit.w < s.width || fit.h < s.height;
    gl.BlitFramebuffer(0, 0, s.width, s.height, fit.x, fit.y + fit.h, fit.x + fit.w, fit.y,
                       GL_COLOR_BUFFER_BIT, shrunk ? GL_LINEAR : GL_NEAREST);
}

// What was drawn becomes the shown frame; the next one starts empty.
void BecomeShown(State& s, int drawableWidth, int drawableHeight) {
    // Shown or not (a minimised window), the offscreen target now holds the
    // latest picture, which the next frame may build on.
    if (s.target == Target::Offscreen) s.offscreenCurrent = true;
    if (s.target == Target::Window) DropOffscreen(s);
    std::swap(s.current, s.shown);
    s.shownUsable = true;
    s.shownWidth = drawableWidth;
    s.shownHeight = drawableHeight;
    s.current->Reset(false);
    s.target = Target::None;
    s.executed = 0;
    s.openOpaque = -1;
}

int NonEmptyBatches(const Frame& f) {
    int batches = 0;
    for (int b = 0; b < f.batchCount; ++b)
        batches += f.batches[b].quads.empty() ? 0 : 1;
    return batches;
}

} // namespace

// Makes sure everything recorded for this frame is drawn into its target,
// choosing the target on first use: the window itself when the picture needs
// no scaling and does not build on the previous one, else the offscreen target.
void Execute(State& s, int drawableWidth, int drawableHeight) {
    Frame& f = *s.current;
    if (s.target == Target::None) {
        const bool direct = f.cleared && drawableWidth == s.width && drawableHeight == s.height;
        if (direct) {
            s.target = Target::Window;
            BindWindow(drawableWidth, drawableHeight);
            ClearBound();
            s.offscreenCurrent = false;
        } else {
            s.target = Target::Offscreen;
            BindOffscreen(s);
            if (f.cleared) {
                ClearBound();
            } else if (!s.offscreenCurrent) {
                // The picture so far was drawn into the window: rebuild it here.
                ClearBound();
                DrawBatches(s, *s.shown, 0, s.shown->batchCount, false);
            }
            s.offscreenCurrent = false; // until this frame is shown
        }
    }
    DrawBatches(s, f, s.executed, f.batchCount, true);
    s.executed = f.batchCount;
    s.openOpaque = -1; // drawn batches take no more quads
}

int CurrentDrawableWidth(const State& s) {
    return s.shownWidth > 0 ? s.shownWidth : s.width;
}
int CurrentDrawableHeight(const State& s) {
    return s.shownHeight > 0 ? s.shownHeight : s.height;
}

ScreenRect FitPicture(int pictureW, int pictureH, int areaW, int areaH) {
    if (pictureW <= 0 || pictureH <= 0 || areaW <= 0 || areaH <= 0) return {};
    // A whole-number scale keeps every game pixel the same size. Below twice the
    // picture that would leave most of the area empty, so there the picture is
    // fitted with its aspect kept instead.
    const int whole = std::min(areaW / pictureW, areaH / pictureH);
    int w = pictureW * whole, h = pictureH * whole;
    if (whole < 2) {
        const double scale =
            std::min(static_cast<double>(areaW) / pictureW, static_cast<double>(areaH) / pictureH);
        w = std::min(areaW, static_cast<int>(std::lround(pictureW * scale)));
        h = std::min(areaH, static_cast<int>(std::lround(pictureH * scale)));
    }
    return {(areaW - w) / 2, (areaH - h) / 2, w, h};
}

bool PresentTo(int drawableWidth, int drawableHeight) {
    if (!renderState) return false;
    State& s = *renderState;
    Frame& f = *s.current;
    const bool sameWindow = drawableWidth == s.shownWidth && drawableHeight == s.shownHeight;
    // Nothing new to show: the same recording over a picture it cannot change.
    const bool unchanged = s.target == Target::None && s.shownUsable && sameWindow &&
                           (f.cleared || f.idempotent) && f.SameAs(*s.shown);
    s.frameDrawCalls = NonEmptyBatches(f);
    if (unchanged) {
        f.Reset(false);
        s.openOpaque = -1;
        return false;
    }
    const ScreenRect fit = FitPicture(s.width, s.height, drawableWidth, drawableHeight);
    if (fit.w <= 0 || fit.h <= 0) { // e.g. a minimised window: keep drawing offscreen
        Execute(s, -1, -1);
    } else {
        Execute(s, drawableWidth, drawableHeight);
        if (s.target == Target::Offscreen) BlitScaled(s, fit, drawableWidth, drawableHeight);
    }
    BecomeShown(s, drawableWidth, drawableHeight);
    return true;
}

void Invalidate() {
    if (renderState) renderState->shownUsable = false;
}

bool ChangedSincePresent() {
    if (!renderState) return false;
    const Frame& f = *renderState->current;
    return renderState->target != Target::None || f.cleared || f.quadCount > 0;
}

int TakeDrawCalls() {
    if (!renderState) return 0;
    const int calls = renderState->frameDrawCalls;
    renderState->frameDrawCalls = 0;
    return calls;
}

} // namespace render
