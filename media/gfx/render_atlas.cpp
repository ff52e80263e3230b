// The renderer's side of the texture atlas: placing frames, and releasing their
// space without pulling texels from under quads that are still to be drawn.
#include "media/gfx/render_state.h"

namespace render {

// The atlas binds textures while uploading; forget what we think is bound.
void AfterAtlasChange(State& s) {
    s.boundPage = -1;
    s.shownUsable = false; // texels under the shown frame's quads may have changed
}

bool PrepareFrame(ImageFrame& frame, int width, int height, bool mipmapped) {
    if (!renderState) return false;
    if (frame.slot.generation == renderGeneration) return !frame.slot.failed;
    const bool placed = renderState->atlas.Place(frame, width, height, renderGeneration, mipmapped);
    AfterAtlasChange(*renderState);
    return placed;
}

} // namespace render

void ReleaseAtlasSlot(const media_internal::AtlasSlot& slot) {
    using namespace render;
    if (!renderState || slot.generation != renderGeneration || slot.failed || slot.page < 0) return;
    State& s = *renderState;
    const auto uses = [&](const Frame& f, int from) {
        for (int b = from; b < f.batchCount; ++b)
            if (f.batches[b].page == slot.page && !f.batches[b].quads.empty()) return true;
        return false;
    };
    // Pending quads may still sample the page that is about to go, and a
    // picture that must be rebuilt offscreen may too: draw them first.
    if (!s.offscreenCurrent && s.shownUsable && uses(*s.shown, 0) && s.target == Target::None &&
        !s.current->cleared)
        Execute(s, CurrentDrawableWidth(s), CurrentDrawableHeight(s)); // rebuilds it offscreen
    if (uses(*s.current, s.executed)) Execute(s, CurrentDrawableWidth(s), CurrentDrawableHeight(s));
    if (s.atlas.Release(slot.page) && s.boundPage == slot.page) s.boundPage = -1;
    s.shownUsable = false;
}
