// The GL table in the browser: WebGL 2 is OpenGL ES 3.0, and Emscripten's GL
// library provides every entry point directly, so the table takes their
// addresses instead of asking a loader.
#include "media/gfx/gl_functions.h"
#include "media/program.h"

namespace media_internal {

GlFunctions gl;

namespace {
std::string GlString(GLenum name) {
    const GLubyte* text = gl.GetString ? gl.GetString(name) : nullptr;
    return text ? reinterpret_cast<const char*>(text) : "";
}
} // namespace

bool LoadGlFunctions(bool es) {
    if (!es) {
        gl = GlFunctions{};
        return false; // a page has no desktop OpenGL
    }
#define PALMUT_GL_TAKE(type, name) gl.name = &gl##name;
    PALMUT_GL_FUNCTIONS(PALMUT_GL_TAKE)
#undef PALMUT_GL_TAKE
    gl.es = true;
    return true;
}

std::string GlContextDescription() {
    return GlString(GL_VERSION) + ", " + GlString(GL_RENDERER);
}

} // namespace media_internal
