#include "media/gfx/gl_functions.h"

#include <SDL2/SDL_video.h>

GlFunctions gl;

bool LoadGlFunctions() {
    GlFunctions loaded;
    bool complete = true;
#define PALMUT_GL_LOAD(type, name)                                                                 \
    loaded.name = reinterpret_cast<type>(SDL_GL_GetProcAddress("gl" #name));                       \
    if (!loaded.name) complete = false;
    PALMUT_GL_FUNCTIONS(PALMUT_GL_LOAD)
#undef PALMUT_GL_LOAD
    gl = complete ? loaded : GlFunctions{};
    return complete;
}
