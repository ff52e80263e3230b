#include "media/gfx/renderer.h"

#include <memory>

#include "media/gfx/render_state.h"

namespace render {

State* g_state = nullptr;
unsigned g_generation = 0;

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
    g_state = state.release();
    ++g_generation;
    Clear();
    return true;
}

void Close() {
    if (!g_state) return;
    DeleteObjects(*g_state);
    delete g_state;
    g_state = nullptr;
    ++g_generation;
}

bool IsOpen() {
    return g_state != nullptr;
}
unsigned Generation() {
    return g_generation;
}

} // namespace render
