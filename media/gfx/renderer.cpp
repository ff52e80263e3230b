#include "media/gfx/renderer.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "media/gfx/gl_functions.h"
#include "media/gfx/texture_atlas.h"
#include "media/program.h"

namespace render {
namespace {

struct Vertex {
    float x, y, u, v;
    uint32_t colour;
};
static_assert(sizeof(Vertex) == 20);

constexpr int MAX_QUADS = 4096; // index values must fit 16 bits
constexpr int ATLAS_PAGE_SIZE = 2048;

// The shaders are written once in the language both contexts share; only
// the first lines differ. ES needs a float precision in fragment shaders, and
// highp keeps its output equal to the desktop's (and is faster on software
// rasterisers than mediump).
const char* const DESKTOP_HEADER = "#version 330 core\n";
const char* const ES_HEADER =
    "#version 300 es\nprecision highp float;\nprecision highp sampler2D;\n";

const char* const VERTEX_SHADER = R"(
layout(location = 0) in vec2 aPosition;
layout(location = 1) in vec2 aUv;
layout(location = 2) in vec4 aColour;
uniform vec2 uTargetSize;
out vec2 vUv;
out vec4 vColour;
void main() {
    // Screen row 0 goes to texture row 0, so reading the target back needs no flip.
    gl_Position = vec4(aPosition / uTargetSize * 2.0 - 1.0, 0.0, 1.0);
    vUv = aUv;
    vColour = aColour;
}
)";

// Kept to a bare multiply (and the alpha test in its own variant): software
// rasterisers have fast paths only for such simple shaders.
const char* const FRAGMENT_SHADER = R"(
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

struct State {
    int width = 0, height = 0;
    GLuint programs[2] = {}; // plain, alpha-tested
    GLuint vao = 0, vbo = 0, ibo = 0;
    GLuint framebuffer = 0, target = 0;
    GLuint samplers[3] = {}; // by Sampling
    TextureAtlas atlas;
    std::unique_ptr<Vertex[]> vertices;
    int quadCount = 0;
    // What the pending quads need; a quad needing anything else flushes first.
    int batchPage = -1;
    int batchBlend = -1;
    int batchSampling = SAMPLE_NEAREST;
    int appliedBlend = -1;
    int boundPage = -1;
    int boundSampling = -1;
    int drawCalls = 0;
    bool changedSincePresent = false;
};

State* g_state = nullptr;
unsigned g_generation = 0;

GLuint CompileShader(GLenum kind, const char* body, bool alphaTest) {
    const char* const parts[3] = {gl.es ? ES_HEADER : DESKTOP_HEADER,
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
    GLuint vs = CompileShader(GL_VERTEX_SHADER, VERTEX_SHADER, false);
    GLuint fs = CompileShader(GL_FRAGMENT_SHADER, FRAGMENT_SHADER, alphaTest);
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

void ApplyBlend(State& s, int blend) {
    if (s.appliedBlend == blend) return;
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
    gl.UseProgram(s.programs[blend == BLEND_MASK ? 1 : 0]);
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

void FlushState(State& s) {
    if (s.quadCount == 0) return;
    ApplyBlend(s, s.batchBlend);
    BindTexture(s, s.batchPage, s.batchSampling);
    const GLsizeiptr bytes = static_cast<GLsizeiptr>(s.quadCount) * 4 * sizeof(Vertex);
    // Orphan the store so the driver need not wait for the previous batch.
    gl.BufferData(GL_ARRAY_BUFFER, MAX_QUADS * 4 * sizeof(Vertex), nullptr, GL_STREAM_DRAW);
    gl.BufferSubData(GL_ARRAY_BUFFER, 0, bytes, s.vertices.get());
    gl.DrawElements(GL_TRIANGLES, s.quadCount * 6, GL_UNSIGNED_SHORT, nullptr);
    ++s.drawCalls;
    s.quadCount = 0;
}

// The atlas binds textures while uploading; forget what we think is bound.
void AfterAtlasChange(State& s) {
    s.boundPage = -1;
}

void Push(State& s, int page, int blend, int sampling, const Corners& c, float u0, float v0,
          float u1, float v1, uint32_t colour) {
    s.changedSincePresent = true;
    if (s.quadCount > 0 &&
        (page != s.batchPage || blend != s.batchBlend || sampling != s.batchSampling))
        FlushState(s);
    if (s.quadCount == MAX_QUADS) FlushState(s);
    s.batchPage = page;
    s.batchBlend = blend;
    s.batchSampling = sampling;
    Vertex* v = s.vertices.get() + s.quadCount * 4;
    const float us[4] = {u0, u1, u1, u0};
    const float vs[4] = {v0, v0, v1, v1};
    for (int i = 0; i < 4; ++i)
        v[i] = Vertex{c.x[i], c.y[i], us[i], vs[i], colour};
    ++s.quadCount;
}

void DeleteObjects(State& s) {
    s.atlas.Close();
    for (GLuint program : s.programs)
        if (program) gl.DeleteProgram(program);
    if (s.vbo) gl.DeleteBuffers(1, &s.vbo);
    if (s.ibo) gl.DeleteBuffers(1, &s.ibo);
    if (s.vao) gl.DeleteVertexArrays(1, &s.vao);
    if (s.samplers[0]) gl.DeleteSamplers(3, s.samplers);
    if (s.framebuffer) gl.DeleteFramebuffers(1, &s.framebuffer);
    if (s.target) gl.DeleteTextures(1, &s.target);
}

bool CreateObjects(State& s) {
    for (int variant = 0; variant < 2; ++variant) {
        const GLuint program = LinkProgram(variant == 1);
        if (!program) return false;
        s.programs[variant] = program;
        gl.UseProgram(program);
        gl.Uniform2f(gl.GetUniformLocation(program, "uTargetSize"), static_cast<float>(s.width),
                     static_cast<float>(s.height));
        gl.Uniform1i(gl.GetUniformLocation(program, "uTexture"), 0);
    }

    gl.GenSamplers(3, s.samplers);
    const GLint minFilters[3] = {GL_NEAREST, GL_LINEAR, GL_LINEAR_MIPMAP_LINEAR};
    const GLint magFilters[3] = {GL_NEAREST, GL_LINEAR, GL_LINEAR};
    for (int i = 0; i < 3; ++i) {
        gl.SamplerParameteri(s.samplers[i], GL_TEXTURE_MIN_FILTER, minFilters[i]);
        gl.SamplerParameteri(s.samplers[i], GL_TEXTURE_MAG_FILTER, magFilters[i]);
        gl.SamplerParameteri(s.samplers[i], GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        gl.SamplerParameteri(s.samplers[i], GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        gl.SamplerParameterf(s.samplers[i], GL_TEXTURE_MAX_LOD, TextureAtlas::MIP_LEVELS - 1);
    }

    gl.GenVertexArrays(1, &s.vao);
    gl.BindVertexArray(s.vao);
    gl.GenBuffers(1, &s.vbo);
    gl.BindBuffer(GL_ARRAY_BUFFER, s.vbo);
    gl.BufferData(GL_ARRAY_BUFFER, MAX_QUADS * 4 * sizeof(Vertex), nullptr, GL_STREAM_DRAW);
    const auto offset = [](size_t bytes) { return reinterpret_cast<const void*>(bytes); };
    gl.EnableVertexAttribArray(0);
    gl.VertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex), offset(0));
    gl.EnableVertexAttribArray(1);
    gl.VertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex), offset(8));
    gl.EnableVertexAttribArray(2);
    gl.VertexAttribPointer(2, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(Vertex), offset(16));

    std::vector<uint16_t> indices(MAX_QUADS * 6);
    for (int q = 0; q < MAX_QUADS; ++q) {
        const uint16_t b = static_cast<uint16_t>(q * 4);
        const uint16_t quad[6] = {b, uint16_t(b + 1), uint16_t(b + 2),
                                  b, uint16_t(b + 2), uint16_t(b + 3)};
        std::copy(quad, quad + 6, indices.begin() + q * 6);
    }
    gl.GenBuffers(1, &s.ibo);
    gl.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, s.ibo);
    gl.BufferData(GL_ELEMENT_ARRAY_BUFFER, indices.size() * sizeof(uint16_t), indices.data(),
                  GL_STATIC_DRAW);

    gl.GenTextures(1, &s.target);
    gl.BindTexture(GL_TEXTURE_2D, s.target);
    gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    gl.TexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, s.width, s.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                  nullptr);
    gl.GenFramebuffers(1, &s.framebuffer);
    gl.BindFramebuffer(GL_FRAMEBUFFER, s.framebuffer);
    gl.FramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, s.target, 0);
    if (gl.CheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) return false;
    gl.Viewport(0, 0, s.width, s.height);

    GLint maxTexture = 0;
    gl.GetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTexture);
    s.atlas.Open(std::min(ATLAS_PAGE_SIZE, static_cast<int>(maxTexture)), maxTexture);
    s.vertices = std::make_unique<Vertex[]>(MAX_QUADS * 4);
    return gl.GetError() == GL_NO_ERROR;
}

} // namespace

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

bool PrepareFrame(ImageFrame& frame, int width, int height) {
    if (!g_state) return false;
    if (frame.slot.generation == g_generation) return !frame.slot.failed;
    const bool placed = g_state->atlas.Place(frame, width, height, g_generation);
    AfterAtlasChange(*g_state);
    return placed;
}

void AddQuad(const AtlasSlot& slot, Sampling sampling, const Corners& corners, uint32_t colour,
             int blend) {
    if (!g_state) return;
    Push(*g_state, slot.page, blend, sampling, corners, slot.u0, slot.v0, slot.u1, slot.v1, colour);
}

void AddRect(const Corners& corners, uint32_t colour, int blend) {
    if (!g_state) return;
    State& s = *g_state;
    // Any page has a white block: keep the current one so rectangles do not split batches.
    int page = s.quadCount > 0 ? s.batchPage : s.boundPage;
    if (page < 0 || !s.atlas.HasWhite(page)) {
        page = s.atlas.AnyPage();
        AfterAtlasChange(s);
    }
    float u = 0, v = 0;
    s.atlas.WhiteTexel(page, u, v);
    // The white block reads white under any filter, so keep the batch's too.
    const int sampling = s.quadCount > 0 ? s.batchSampling : std::max(s.boundSampling, 0);
    Push(s, page, blend, sampling, corners, u, v, u, v, colour);
}

void Flush() {
    if (g_state) FlushState(*g_state);
}

void Clear() {
    if (!g_state) return;
    g_state->changedSincePresent = true;
    FlushState(*g_state);
    gl.ClearColor(0, 0, 0, 1);
    gl.Clear(GL_COLOR_BUFFER_BIT);
}

ScreenRect FitPicture(int pictureW, int pictureH, int areaW, int areaH) {
    if (pictureW <= 0 || pictureH <= 0 || areaW <= 0 || areaH <= 0) return {};
    // A whole-number scale keeps every game pixel the same size. Below twice the
    // picture that would leave most of the area empty, so there the picture is
    // fitted with its aspect kept instead.
    const int whole = std::min(areaW / pictureW, areaH / pictureH);
    int w = pictureW * whole, h = pictureH * whole;
    if (whole < 2) {
        const double scale =
            std::min(static_cast<double>(areaW) / pictureW, static_cast<double>(areaH) / pictureH);
        w = std::min(areaW, static_cast<int>(pictureW * scale + 0.5));
        h = std::min(areaH, static_cast<int>(pictureH * scale + 0.5));
    }
    return {(areaW - w) / 2, (areaH - h) / 2, w, h};
}

void PresentTo(int drawableWidth, int drawableHeight) {
    if (!g_state) return;
    State& s = *g_state;
    FlushState(s);
    const ScreenRect fit = FitPicture(s.width, s.height, drawableWidth, drawableHeight);
    if (fit.w <= 0 || fit.h <= 0) return; // e.g. a minimised window
    const int x = fit.x, y = fit.y, w = fit.w, h = fit.h;
    gl.BindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    gl.BindFramebuffer(GL_READ_FRAMEBUFFER, s.framebuffer);
    gl.Viewport(0, 0, drawableWidth, drawableHeight);
    if (w != drawableWidth || h != drawableHeight) { // black bars around the picture
        gl.ClearColor(0, 0, 0, 1);
        gl.Clear(GL_COLOR_BUFFER_BIT);
    }
    // The target holds the top row first; the window wants the bottom row first.
    gl.BlitFramebuffer(0, 0, s.width, s.height, x, y + h, x + w, y, GL_COLOR_BUFFER_BIT,
                       GL_NEAREST);
    gl.BindFramebuffer(GL_FRAMEBUFFER, s.framebuffer);
    gl.Viewport(0, 0, s.width, s.height);
    s.changedSincePresent = false;
}

bool ChangedSincePresent() {
    return g_state && g_state->changedSincePresent;
}

int TakeDrawCalls() {
    if (!g_state) return 0;
    const int calls = g_state->drawCalls;
    g_state->drawCalls = 0;
    return calls;
}

bool ReadTarget(std::vector<uint8_t>& rgba, int& width, int& height) {
    if (!g_state) return false;
    FlushState(*g_state);
    width = g_state->width;
    height = g_state->height;
    rgba.resize(static_cast<size_t>(width) * height * 4);
    gl.PixelStorei(GL_PACK_ALIGNMENT, 1);
    gl.ReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    for (size_t i = 3; i < rgba.size(); i += 4)
        rgba[i] = 255;
    return true;
}

bool ReadTargetPixel(int x, int y, uint8_t rgba[4]) {
    if (!g_state || x < 0 || y < 0 || x >= g_state->width || y >= g_state->height) return false;
    FlushState(*g_state);
    gl.PixelStorei(GL_PACK_ALIGNMENT, 1);
    gl.ReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    rgba[3] = 255;
    return true;
}

} // namespace render

void ReleaseAtlasSlot(const AtlasSlot& slot) {
    using namespace render;
    if (!g_state || slot.generation != g_generation || slot.failed || slot.page < 0) return;
    State& s = *g_state;
    // Pending quads may still sample the page that is about to go.
    if (s.quadCount > 0 && s.batchPage == slot.page) FlushState(s);
    if (s.atlas.Release(slot.page) && s.boundPage == slot.page) s.boundPage = -1;
}
