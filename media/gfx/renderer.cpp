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
