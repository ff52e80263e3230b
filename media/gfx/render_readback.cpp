// Reading the picture back for screenshots and tests, top row first.
#include <algorithm>

#include "media/gfx/render_state.h"

namespace render {

namespace {
// Draws what is pending and binds where it went for reading.
void ExecuteForRead(State& s) {
    Execute(s, CurrentDrawableWidth(s), CurrentDrawableHeight(s));
    gl.BindFramebuffer(GL_READ_FRAMEBUFFER, s.target == Target::Window ? 0 : s.framebuffer);
}
} // namespace

bool ReadTarget(std::vector<uint8_t>& rgba, int& width, int& height) {
    if (!renderState) return false;
    State& s = *renderState;
    ExecuteForRead(s);
    width = s.width;
    height = s.height;
    rgba.resize(static_cast<size_t>(width) * height * 4);
    gl.PixelStorei(GL_PACK_ALIGNMENT, 1);
    gl.ReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    if (s.target == Target::Window) { // the window holds the bottom row first
        const size_t row = static_cast<size_t>(width) * 4;
        for (int y = 0; y < height / 2; ++y)
            std::swap_ranges(rgba.begin() + static_cast<std::ptrdiff_t>(y * row),
                             rgba.begin() + static_cast<std::ptrdiff_t>((y + 1) * row),
                             rgba.begin() + static_cast<std::ptrdiff_t>((height - 1 - y) * row));
    }
    for (size_t i = 3; i < rgba.size(); i += 4)
        rgba[i] = 255;
    return true;
}

bool ReadTargetPixel(int x, int y, uint8_t rgba[4]) {
    if (!renderState || x < 0 || y < 0 || x >= renderState->width || y >= renderState->height)
        return false;
    State& s = *renderState;
    ExecuteForRead(s);
    gl.PixelStorei(GL_PACK_ALIGNMENT, 1);
    gl.ReadPixels(x, s.target == Target::Window ? s.height - 1 - y : y, 1, 1, GL_RGBA,
                  GL_UNSIGNED_BYTE, rgba);
    rgba[3] = 255;
    return true;
}

} // namespace render
