#include <algorithm>
#include <string>

#include "media/gfx/render_state.h"
#include "media/program.h"

namespace render {
namespace {

// The shaders are written once in the language both contexts share; only
// the first lines differ. ES needs a float precision in fragment shaders, and
// highp keeps its output equal to the desktop's (and is faster on software
// rasterisers than mediump).
const char* const kDesktopHeader = "#version 330 core\n";
const char* const kEsHeader =
    "#version 300 es\nprecision highp float;\nprecision highp sampler2D;\n";

const char* const kVertexShader = R"(
layout(location = 0) in vec2 aPosition;
layout(location = 1) in vec2 aUv;
layout(location = 2) in vec4 aColour;
uniform vec2 uTargetSize;
uniform float uFlipY; // 1 into the offscreen target, -1 into the window
out vec2 vUv;
out vec4 vColour;
void main() {
    // Screen row 0 goes to texture row 0, so reading the target back needs no flip.
    vec2 p = aPosition / uTargetSize * 2.0 - 1.0;
    gl_Position = vec4(p.x, p.y * uFlipY, 0.0, 1.0);
    vUv = aUv;
    vColour = aColour;
}
)";

// Kept to a bare multiply (and the alpha test in its own variant): software
// rasterisers have fast paths only for such simple shaders.
const char* const kFragmentShader = R"(
in vec2 vUv;
in vec4 vColour;
uniform sampler2D uTexture;
out vec4 fragColour;
void main() {
    vec4 colour = texture(uTexture, vUv) * vColour;
#ifdef ALPHA_TEST
    if (colour.a < 0.5) discard;
    colour.a = 1.0;
#endif
    fragColour = colour;
}
)";

GLuint CompileShader(GLenum kind, const char* body, bool alphaTest) {
    const char* const parts[3] = {gl.es ? kEsHeader : kDesktopHeader,
                                  alphaTest ? "#define ALPHA_TEST\n" : "", body};
    GLuint shader = gl.CreateShader(kind);
    gl.ShaderSource(shader, 3, parts, nullptr);
    gl.CompileShader(shader);
    GLint ok = 0;
    gl.GetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[1024] = {};
        gl.GetShaderInfoLog(shader, sizeof log, nullptr, log);
        DebugLog(std::string("shader compile failed: ") + log);
        gl.DeleteShader(shader);
        return 0;
    }
    return shader;
}

GLuint LinkProgram(bool alphaTest) {
    GLuint vs = CompileShader(GL_VERTEX_SHADER, kVertexShader, false);
    GLuint fs = CompileShader(GL_FRAGMENT_SHADER, kFragmentShader, alphaTest);
    GLuint program = 0;
    if (vs && fs) {
        program = gl.CreateProgram();
        gl.AttachShader(program, vs);
        gl.AttachShader(program, fs);
        gl.LinkProgram(program);
        GLint ok = 0;
        gl.GetProgramiv(program, GL_LINK_STATUS, &ok);
        if (!ok) {
            char log[1024] = {};
            gl.GetProgramInfoLog(program, sizeof log, nullptr, log);
            DebugLog(std::string("shader link failed: ") + log);
            gl.DeleteProgram(program);
            program = 0;
        }
    }
    if (vs) gl.DeleteShader(vs);
    if (fs) gl.DeleteShader(fs);
    return program;
}

void UseProgram(State& s, int index) {
    const float flip = s.target == Target::Window ? -1.0f : 1.0f;
    if (s.usedProgram != index) {
        s.usedProgram = index;
        gl.UseProgram(s.programs[index]);
    }
    if (s.programFlip[index] != flip) {
        s.programFlip[index] = flip;
        gl.Uniform1f(gl.GetUniformLocation(s.programs[index], "uFlipY"), flip);
    }
}

void MakeSamplers(State& s) {
    gl.GenSamplers(3, s.samplers);
    const GLint minFilters[3] = {GL_NEAREST, GL_LINEAR, GL_LINEAR_MIPMAP_LINEAR};
    const GLint magFilters[3] = {GL_NEAREST, GL_LINEAR, GL_LINEAR};
    for (int i = 0; i < 3; ++i) {
        gl.SamplerParameteri(s.samplers[i], GL_TEXTURE_MIN_FILTER, minFilters[i]);
        gl.SamplerParameteri(s.samplers[i], GL_TEXTURE_MAG_FILTER, magFilters[i]);
        gl.SamplerParameteri(s.samplers[i], GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        gl.SamplerParameteri(s.samplers[i], GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        gl.SamplerParameterf(s.samplers[i], GL_TEXTURE_MAX_LOD, TextureAtlas::kMipLevels - 1);
    }
}

bool MakePrograms(State& s) {
    for (int variant = 0; variant < 2; ++variant) {
        const GLuint program = LinkProgram(variant == 1);
        if (!program) return false;
        s.programs[variant] = program;
        gl.UseProgram(program);
        gl.Uniform2f(gl.GetUniformLocation(program, "uTargetSize"), static_cast<float>(s.width),
                     static_cast<float>(s.height));
        gl.Uniform1f(gl.GetUniformLocation(program, "uFlipY"), 1.0f);
        gl.Uniform1i(gl.GetUniformLocation(program, "uTexture"), 0);
    }
    s.usedProgram = 1;
    return true;
}

void MakeBuffers(State& s) {
    gl.GenVertexArrays(1, &s.vao);
    gl.BindVertexArray(s.vao);
    gl.GenBuffers(1, &s.vbo);
    gl.BindBuffer(GL_ARRAY_BUFFER, s.vbo);
    EnsureBuffers(s, kInitialQuads);
    const auto offset = [](size_t bytes) { return reinterpret_cast<const void*>(bytes); };
    gl.EnableVertexAttribArray(0);
    gl.VertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex), offset(0));
    gl.EnableVertexAttribArray(1);
    gl.VertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex), offset(8));
    gl.EnableVertexAttribArray(2);
    gl.VertexAttribPointer(2, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(Vertex), offset(16));
    gl.GenBuffers(1, &s.ibo);
    gl.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, s.ibo);
    s.iboQuads = kInitialQuads;
    gl.BufferData(GL_ELEMENT_ARRAY_BUFFER,
                  static_cast<GLsizeiptr>(s.iboQuads * 6 * sizeof(uint32_t)), nullptr,
                  GL_STREAM_DRAW);
    s.indices.resize(size_t{kInitialQuads} * 6);
    // Both frames get the same room, so drawing allocates nothing once warm.
    for (Frame& f : s.frames) {
        f.vertices.resize(size_t{kInitialQuads} * 4);
        f.batches.resize(16);
        for (Batch& b : f.batches)
            b.quads.reserve(kInitialQuads);
    }
}

bool MakeOffscreen(State& s) {
    gl.GenTextures(1, &s.targetTexture);
    gl.BindTexture(GL_TEXTURE_2D, s.targetTexture);
    s.boundPage = -1;
    gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    gl.TexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, s.width, s.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                  nullptr);
    gl.GenFramebuffers(1, &s.framebuffer);
    gl.BindFramebuffer(GL_FRAMEBUFFER, s.framebuffer);
    gl.FramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, s.targetTexture,
                            0);
    return gl.CheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

} // namespace

void ApplyBlend(State& s, int blend) {
    if (s.appliedBlend != blend) {
        s.appliedBlend = blend;
        // Destination alpha stays as cleared (opaque); only colour is blended.
        switch (blend) {
        case BLEND_ALPHA:
            gl.Enable(GL_BLEND);
            gl.BlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ZERO, GL_ONE);
            break;
        case BLEND_LIGHT:
            gl.Enable(GL_BLEND);
            gl.BlendFuncSeparate(GL_SRC_ALPHA, GL_ONE, GL_ZERO, GL_ONE);
            break;
        case BLEND_SHADE:
            gl.Enable(GL_BLEND);
            gl.BlendFuncSeparate(GL_DST_COLOR, GL_ZERO, GL_ZERO, GL_ONE);
            break;
        default:
            gl.Disable(GL_BLEND);
            break;
        }
    }
    UseProgram(s, blend == BLEND_MASK ? 1 : 0);
}

void BindTexture(State& s, int page, int sampling) {
    if (s.boundPage != page) {
        s.boundPage = page;
        gl.BindTexture(GL_TEXTURE_2D, s.atlas.Texture(page));
    }
    if (s.boundSampling != sampling) {
        s.boundSampling = sampling;
        gl.BindSampler(0, s.samplers[sampling]);
    }
}

void BindWindow(int drawableWidth, int drawableHeight) {
    gl.BindFramebuffer(GL_FRAMEBUFFER, 0);
    gl.Viewport(0, 0, drawableWidth, drawableHeight);
}

// The offscreen target is only needed while frames are scaled or build on the
// one before; while play draws straight into the window its memory goes back.
void DropOffscreen(State& s) {
    if (s.framebuffer) gl.DeleteFramebuffers(1, &s.framebuffer);
    if (s.targetTexture) gl.DeleteTextures(1, &s.targetTexture);
    s.framebuffer = s.targetTexture = 0;
    s.offscreenCurrent = false;
}

void BindOffscreen(State& s) {
    if (!s.framebuffer) MakeOffscreen(s);
    gl.BindFramebuffer(GL_FRAMEBUFFER, s.framebuffer);
    gl.Viewport(0, 0, s.width, s.height);
}

void ClearBound() {
    gl.ClearColor(0, 0, 0, 1);
    gl.Clear(GL_COLOR_BUFFER_BIT);
}

void EnsureBuffers(State& s, size_t quads) {
    if (quads <= s.vboQuads) return;
    size_t capacity = std::max<size_t>(s.vboQuads, kInitialQuads);
    while (capacity < quads)
        capacity *= 2;
    s.vboQuads = capacity;
    gl.BindBuffer(GL_ARRAY_BUFFER, s.vbo);
    gl.BufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(capacity * 4 * sizeof(Vertex)), nullptr,
                  GL_STREAM_DRAW);
}

void ResizeMask(State& s) {
    s.maskColumns = (s.width + kMaskCell - 1) / kMaskCell;
    s.maskRows = (s.height + kMaskCell - 1) / kMaskCell;
    s.mask.assign((static_cast<size_t>(s.maskColumns) * s.maskRows + 63) / 64, 0);
}

void DeleteObjects(State& s) {
    s.atlas.RestorePixels();
    s.atlas.Close();
    for (GLuint program : s.programs)
        if (program) gl.DeleteProgram(program);
    if (s.vbo) gl.DeleteBuffers(1, &s.vbo);
    if (s.ibo) gl.DeleteBuffers(1, &s.ibo);
    if (s.vao) gl.DeleteVertexArrays(1, &s.vao);
    if (s.samplers[0]) gl.DeleteSamplers(3, s.samplers);
    if (s.framebuffer) gl.DeleteFramebuffers(1, &s.framebuffer);
    if (s.targetTexture) gl.DeleteTextures(1, &s.targetTexture);
}

bool CreateObjects(State& s) {
    if (!MakePrograms(s)) return false;
    MakeSamplers(s);
    MakeBuffers(s);
    if (!MakeOffscreen(s)) return false;
    gl.Viewport(0, 0, s.width, s.height);
    ClearBound();

    ResizeMask(s);

    GLint maxTexture = 0;
    gl.GetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTexture);
    s.atlas.Open(std::min(kAtlasPageSize, static_cast<int>(maxTexture)), maxTexture);
    return gl.GetError() == GL_NO_ERROR;
}

} // namespace render
