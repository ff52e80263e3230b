#include "media/gfx/gl_functions.h"

#include <SDL2/SDL_video.h>

#include "media/program.h"

namespace media_internal {

GlFunctions gl;

namespace {
std::string GlString(const GlFunctions& table, GLenum name) {
    const GLubyte* text = table.GetString ? table.GetString(name) : nullptr;
    return text ? reinterpret_cast<const char*>(text) : "";
}

// Asking for a version is no promise of getting it (an old EGL may hand out
// ES 2.0 for an ES 3.0 request), so check what the context says it is.
bool ContextFits(const GlFunctions& table, bool es) {
    const std::string version = GlString(table, GL_VERSION);
    const bool isEs = version.rfind("OpenGL ES", 0) == 0;
    GLint major = 0, minor = 0;
    table.GetIntegerv(GL_MAJOR_VERSION, &major); // unknown before 3.0: stays 0
    table.GetIntegerv(GL_MINOR_VERSION, &minor);
    for (int i = 0; i < 8 && table.GetError() != GL_NO_ERROR; ++i) {
    } // a bounded drain: a lost context may keep reporting
    const int need = es ? 30 : 33;
    if (isEs != es || major * 10 + minor < need) {
        DebugLog("GL context unsuitable: \"" + version + "\"");
        return false;
    }
    return true;
}
} // namespace

namespace {
// One entry point into `slot`; false (and a note) when the driver lacks it.
template <typename Function> bool LoadEntryPoint(Function& slot, const char* name) {
    slot = reinterpret_cast<Function>(SDL_GL_GetProcAddress(name));
    if (!slot) DebugLog(std::string("GL entry point missing: ") + name);
    return slot != nullptr;
}
} // namespace

bool LoadGlFunctions(bool es) {
    GlFunctions loaded;
    loaded.es = es;
    bool complete = true;
#define PALMUT_GL_LOAD(type, name) complete &= LoadEntryPoint<type>(loaded.name, "gl" #name);
    PALMUT_GL_FUNCTIONS(PALMUT_GL_LOAD)
#undef PALMUT_GL_LOAD
    if (complete) complete = ContextFits(loaded, es);
    gl = complete ? loaded : GlFunctions{};
    return complete;
}

std::string GlContextDescription() {
    return GlString(gl, GL_VERSION) + ", " + GlString(gl, GL_RENDERER);
}

} // namespace media_internal
