#include "media/gfx/renderer.h"

#include <memory>

#include "media/gfx/render_state.h"

namespace render {

State* renderState = nullptr;
unsigned renderGeneration = 0;

bool Open(int width, int height) {
    Close();
    if (width <= 0 || height <= 0) return false;
    auto state = std::make_unique<State>();
    state->width = width;
    state->height = height;
    if (!CreateObjects(*state)) {
        DeleteObjects(*state);
        return false;
    }
    renderState = state.release();
    ++renderGeneration;
    Clear();
    return true;
}

bool Resize(int width, int height) {
    if (!renderState || width <= 0 || height <= 0) return false;
    State& s = *renderState;
    if (s.width == width && s.height == height) return true;
    s.width = width;
    s.height = height;
    // The offscreen target and the overlap mask have the picture's size.
    DropOffscreen(s);
    ResizeMask(s);
    for (GLuint program : s.programs) {
        gl.UseProgram(program);
        gl.Uniform2f(gl.GetUniformLocation(program, "uTargetSize"), static_cast<float>(width),
                     static_cast<float>(height));
    }
    s.usedProgram = -1;
    s.current->Reset(true);
    s.target = Target::None;
    s.executed = 0;
    s.openOpaque = -1;
    s.shownUsable = false;
    return true;
}

void Close() {
    if (!renderState) return;
    DeleteObjects(*renderState);
    delete renderState;
    renderState = nullptr;
    ++renderGeneration;
}

bool IsOpen() {
    return renderState != nullptr;
}
unsigned Generation() {
    return renderGeneration;
}

} // namespace render
