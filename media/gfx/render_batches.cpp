// Batch recording: each quad joins the last batch, or the open opaque batch
// when no blended quad recorded after it lies under the quad (the overlap mask).
#include <algorithm>
#include <cmath>

#include "media/gfx/render_state.h"

namespace render {
namespace {

// Cells of the overlap mask under the bounding box of `c`; false when it is off the target.
bool MaskRange(const State& s, const Corners& c, int& x0, int& y0, int& x1, int& y1) {
    float minX = c.x[0], maxX = c.x[0], minY = c.y[0], maxY = c.y[0];
    for (int i = 1; i < 4; ++i) {
        minX = std::min(minX, c.x[i]);
        maxX = std::max(maxX, c.x[i]);
        minY = std::min(minY, c.y[i]);
        maxY = std::max(maxY, c.y[i]);
    }
    if (!(maxX > 0 && maxY > 0 && minX < s.width && minY < s.height)) return false; // also NaN
    x0 = std::max(0, static_cast<int>(std::floor(minX / kMaskCell)));
    y0 = std::max(0, static_cast<int>(std::floor(minY / kMaskCell)));
    x1 = std::min(s.maskColumns - 1, static_cast<int>(std::ceil(maxX / kMaskCell)) - 1);
    y1 = std::min(s.maskRows - 1, static_cast<int>(std::ceil(maxY / kMaskCell)) - 1);
    return x0 <= x1 && y0 <= y1;
}

bool MaskHits(const State& s, const Corners& c) {
    int x0, y0, x1, y1;
    if (!MaskRange(s, c, x0, y0, x1, y1)) return false;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const int bit = y * s.maskColumns + x;
            if (s.mask[bit / 64] >> (bit % 64) & 1) return true;
        }
    return false;
}

void MaskAdd(State& s, const Corners& c) {
    int x0, y0, x1, y1;
    if (!MaskRange(s, c, x0, y0, x1, y1)) return;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const int bit = y * s.maskColumns + x;
            s.mask[bit / 64] |= uint64_t{1} << (bit % 64);
        }
}

// Whether a quad of `sampling` may join `batch`, upgrading it if needed.
bool SamplingFits(Batch& batch, int sampling, bool apply) {
    if (sampling == SampleExact) return true;
    if (batch.samplingFixed) return batch.sampling == sampling;
    if (apply) {
        batch.sampling = sampling;
        batch.samplingFixed = true;
    }
    return true;
}

Batch& NewBatch(State& s, int page, int blend, int sampling, bool opaque) {
    Frame& f = *s.current;
    if (f.batchCount == static_cast<int>(f.batches.size())) f.batches.emplace_back();
    Batch& b = f.batches[f.batchCount++];
    b.page = page;
    b.blend = blend;
    b.sampling = sampling == SampleExact ? SampleNearest : sampling;
    b.samplingFixed = sampling != SampleExact;
    b.opaque = opaque;
    b.quads.clear();
    return b;
}

// Records one quad. Opaque quads (no blending needed) join the open opaque
// batch, which is drawn before the blended batches recorded after it, as long
// as none of those blended quads lies under them.
void Push(State& s, int page, int blend, int sampling, bool opaque, bool idempotent,
          const Corners& c, float u0, float v0, float u1, float v1, uint32_t colour) {
    Frame& f = *s.current;
    if (static_cast<size_t>(f.quadCount + 1) * 4 > f.vertices.size())
        f.vertices.resize(std::max<size_t>(f.vertices.size() * 2, size_t{kInitialQuads} * 4));
    const uint32_t quad = static_cast<uint32_t>(f.quadCount++);
    Vertex* v = f.vertices.data() + size_t{quad} * 4;
    const float us[4] = {u0, u1, u1, u0};
    const float vs[4] = {v0, v0, v1, v1};
    for (int i = 0; i < 4; ++i)
        v[i] = Vertex{c.x[i], c.y[i], us[i], vs[i], colour};
    f.idempotent = f.idempotent && idempotent;

    if (opaque && s.openOpaque >= 0) {
        Batch& open = f.batches[s.openOpaque];
        if (open.page == page && SamplingFits(open, sampling, false) && !MaskHits(s, c)) {
            SamplingFits(open, sampling, true);
            open.quads.push_back(quad);
            return;
        }
    }
    if (f.batchCount > s.executed) {
        Batch& last = f.batches[f.batchCount - 1];
        // Joining as an ordinary quad keeps the batch count down; an opaque
        // quad drawn blended looks the same.
        const bool fits = last.page == page && SamplingFits(last, sampling, false) &&
                          (last.opaque ? opaque : last.blend == blend);
        if (fits) {
            SamplingFits(last, sampling, true);
            last.quads.push_back(quad);
            if (!last.opaque && s.openOpaque >= 0) MaskAdd(s, c);
            return;
        }
    }
    Batch& b = NewBatch(s, page, blend, sampling, opaque);
    b.quads.push_back(quad);
    if (opaque) {
        s.openOpaque = f.batchCount - 1;
        std::fill(s.mask.begin(), s.mask.end(), 0);
    } else if (s.openOpaque >= 0) {
        MaskAdd(s, c);
    }
}

// Quads that need no blending: solid mode, or an opaque texture at full alpha
// under mask or alpha blending.
bool IsOpaque(int blend, bool opaqueTexels, uint32_t colour) {
    if (blend == BLEND_SOLID) return true;
    return (blend == BLEND_ALPHA || blend == BLEND_MASK) && opaqueTexels && (colour >> 24) == 255;
}

} // namespace

void AddQuad(const AtlasSlot& slot, Sampling sampling, const Corners& corners, uint32_t colour,
             int blend) {
    if (!renderState) return;
    const bool opaque = IsOpaque(blend, slot.opaque, colour);
    // Drawing a frame again over itself changes nothing when every texel it
    // writes replaces the one below whole.
    const bool idempotent =
        opaque || ((blend == BLEND_ALPHA || blend == BLEND_MASK) && slot.binaryAlpha &&
                   sampling == SampleExact && (colour >> 24) == 255);
    Push(*renderState, slot.page, blend, sampling, opaque, idempotent, corners, slot.u0, slot.v0,
         slot.u1, slot.v1, colour);
}

void AddRect(const Corners& corners, uint32_t colour, int blend) {
    if (!renderState) return;
    State& s = *renderState;
    Frame& f = *s.current;
    // Any shared page has a white block: keep the current one so rectangles do not split batches.
    int page = f.batchCount > s.executed ? f.batches[f.batchCount - 1].page : s.boundPage;
    if (page < 0 || !s.atlas.HasWhite(page)) {
        page = s.atlas.AnyPage();
        AfterAtlasChange(s);
    }
    float u = 0, v = 0;
    s.atlas.WhiteTexel(page, u, v);
    const bool opaque = IsOpaque(blend, true, colour);
    // The white block reads white under any filter.
    Push(s, page, blend, SampleExact, opaque, opaque, corners, u, v, u, v, colour);
}

void Clear() {
    if (!renderState) return;
    State& s = *renderState;
    if (s.target != Target::None) {
        // Part of this frame is drawn already: clear its target for real.
        ClearBound();
        s.executed = 0;
    }
    s.current->Reset(true);
    s.openOpaque = -1;
}

} // namespace render
