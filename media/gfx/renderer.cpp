#include "media/gfx/renderer.h"

#include <algorithm>
#include <cmath>
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

constexpr int INITIAL_QUADS = 1024; // grows when a frame needs more, never shrinks
// Shared pages hold the sprite sheets and glyphs of a screen with room to spare;
// pictures get textures of their own.
constexpr int ATLAS_PAGE_SIZE = 512;
constexpr int MASK_CELL = 16; // pixels per cell of the overlap mask

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

// A run of quads drawn with one draw call.
struct Batch {
    int page = -1;
    int blend = BLEND_SOLID;
    int sampling = SAMPLE_NEAREST;
    bool samplingFixed = false;  // false while every quad in it samples texel centres
    bool opaque = false;         // drawn without blending, ahead of later batches
    std::vector<uint32_t> quads; // indices into the frame's quads, in drawing order
};

// Everything drawn since the last presentation, kept until the next one so
// an unchanged frame need not be drawn and shown again.
struct Frame {
    std::vector<Vertex> vertices; // 4 per quad, in the order the quads came
    int quadCount = 0;
    std::vector<Batch> batches; // a pool: the first batchCount are in use
    int batchCount = 0;
    bool cleared = false;   // starts with Cls: does not depend on the picture before
    bool idempotent = true; // drawing it again over its own result changes nothing

    void Reset(bool clear) {
        quadCount = 0;
        batchCount = 0;
        cleared = clear;
        idempotent = true;
    }
    bool SameAs(const Frame& o) const {
        if (cleared != o.cleared || quadCount != o.quadCount || batchCount != o.batchCount)
            return false;
        for (int i = 0; i < batchCount; ++i) {
            const Batch& a = batches[i];
            const Batch& b = o.batches[i];
            if (a.page != b.page || a.blend != b.blend || a.sampling != b.sampling ||
                a.opaque != b.opaque || a.quads != b.quads)
                return false;
        }
        return std::memcmp(vertices.data(), o.vertices.data(),
                           static_cast<size_t>(quadCount) * 4 * sizeof(Vertex)) == 0;
    }
};

enum class Target { NONE, WINDOW, OFFSCREEN };

struct State {
    int width = 0, height = 0;
    GLuint programs[2] = {}; // plain, alpha-tested
    float programFlip[2] = {1, 1};
    GLuint vao = 0, vbo = 0, ibo = 0;
    size_t vboQuads = 0, iboQuads = 0; // capacities of the GL buffers
    GLuint framebuffer = 0, targetTexture = 0;
    GLuint samplers[3] = {}; // by Sampling
    TextureAtlas atlas;
    Frame frames[2];
    Frame* current = &frames[0];
    Frame* shown = &frames[1]; // the last presented frame
    bool shownUsable = false;  // shown may stand in for an identical frame
    int shownWidth = 0, shownHeight = 0;
    Target target = Target::NONE; // where the current frame is being drawn
    int executed = 0;             // batches of the current frame already drawn
    bool offscreenCurrent = true; // the offscreen target holds the shown picture
    int openOpaque = -1;          // batch that opaque quads may still join
    int maskColumns = 0, maskRows = 0;
    std::vector<uint64_t> mask;    // cells covered by blended quads after openOpaque
    std::vector<uint32_t> indices; // scratch for one upload
    int appliedBlend = -1;
    int usedProgram = -1;
    int boundPage = -1;
    int boundSampling = -1;
    int frameDrawCalls = 0;
    int drawCalls = 0;
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

void UseProgram(State& s, int index) {
    const float flip = s.target == Target::WINDOW ? -1.0f : 1.0f;
    if (s.usedProgram != index) {
        s.usedProgram = index;
        gl.UseProgram(s.programs[index]);
    }
    if (s.programFlip[index] != flip) {
        s.programFlip[index] = flip;
        gl.Uniform1f(gl.GetUniformLocation(s.programs[index], "uFlipY"), flip);
    }
}

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

// The atlas binds textures while uploading; forget what we think is bound.
void AfterAtlasChange(State& s) {
    s.boundPage = -1;
    s.shownUsable = false; // texels under the shown frame's quads may have changed
}

void BindWindow(int drawableWidth, int drawableHeight) {
    gl.BindFramebuffer(GL_FRAMEBUFFER, 0);
    gl.Viewport(0, 0, drawableWidth, drawableHeight);
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
    size_t capacity = std::max<size_t>(s.vboQuads, INITIAL_QUADS);
    while (capacity < quads)
        capacity *= 2;
    s.vboQuads = capacity;
    gl.BindBuffer(GL_ARRAY_BUFFER, s.vbo);
    gl.BufferData(GL_ARRAY_BUFFER, capacity * 4 * sizeof(Vertex), nullptr, GL_STREAM_DRAW);
}

// Draws batches [from, to) of `frame` into whatever is bound.
void DrawBatches(State& s, const Frame& frame, int from, int to, bool count) {
    if (from >= to || frame.quadCount == 0) return;
    size_t total = 0;
    for (int b = from; b < to; ++b)
        total += frame.batches[b].quads.size();
    if (total == 0) return;
    EnsureBuffers(s, frame.quadCount);
    if (s.indices.size() < total * 6) s.indices.resize(total * 6);
    if (s.iboQuads < total) {
        s.iboQuads = std::max(total, s.vboQuads);
        gl.BufferData(GL_ELEMENT_ARRAY_BUFFER, s.iboQuads * 6 * sizeof(uint32_t), nullptr,
                      GL_STREAM_DRAW);
    }
    size_t at = 0;
    for (int b = from; b < to; ++b)
        for (uint32_t q : frame.batches[b].quads) {
            const uint32_t v = q * 4;
            const uint32_t quad[6] = {v, v + 1, v + 2, v, v + 2, v + 3};
            std::copy(quad, quad + 6, s.indices.begin() + static_cast<std::ptrdiff_t>(at));
            at += 6;
        }
    gl.BindBuffer(GL_ARRAY_BUFFER, s.vbo);
    // Orphan the stores so the driver need not wait for the previous frame.
    gl.BufferData(GL_ARRAY_BUFFER, s.vboQuads * 4 * sizeof(Vertex), nullptr, GL_STREAM_DRAW);
    gl.BufferSubData(GL_ARRAY_BUFFER, 0,
                     static_cast<GLsizeiptr>(frame.quadCount) * 4 * sizeof(Vertex),
                     frame.vertices.data());
    gl.BufferData(GL_ELEMENT_ARRAY_BUFFER, s.iboQuads * 6 * sizeof(uint32_t), nullptr,
                  GL_STREAM_DRAW);
    gl.BufferSubData(GL_ELEMENT_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(at * sizeof(uint32_t)),
                     s.indices.data());
    size_t offset = 0;
    for (int b = from; b < to; ++b) {
        const Batch& batch = frame.batches[b];
        if (batch.quads.empty()) continue;
        ApplyBlend(s, batch.opaque ? BLEND_SOLID : batch.blend);
        BindTexture(s, batch.page, batch.sampling);
        const size_t n = batch.quads.size() * 6;
        gl.DrawElements(GL_TRIANGLES, static_cast<GLsizei>(n), GL_UNSIGNED_INT,
                        reinterpret_cast<const void*>(offset * sizeof(uint32_t)));
        offset += n;
        if (count) ++s.drawCalls;
    }
}

// Makes sure everything recorded for this frame is drawn into its target,
// choosing the target on first use: the window itself when the picture needs
// no scaling and does not build on the previous one, else the offscreen target.
void Execute(State& s, int drawableWidth, int drawableHeight) {
    Frame& f = *s.current;
    if (s.target == Target::NONE) {
        const bool direct = f.cleared && drawableWidth == s.width && drawableHeight == s.height;
        if (direct) {
            s.target = Target::WINDOW;
            BindWindow(drawableWidth, drawableHeight);
            ClearBound();
            s.offscreenCurrent = false;
        } else {
            s.target = Target::OFFSCREEN;
            BindOffscreen(s);
            if (f.cleared) {
                ClearBound();
            } else if (!s.offscreenCurrent) {
                // The picture so far was drawn into the window: rebuild it here.
                ClearBound();
                DrawBatches(s, *s.shown, 0, s.shown->batchCount, false);
            }
            s.offscreenCurrent = false; // until this frame is shown
        }
    }
    DrawBatches(s, f, s.executed, f.batchCount, true);
    s.executed = f.batchCount;
    s.openOpaque = -1; // drawn batches take no more quads
}

int CurrentDrawableWidth(State& s) {
    return s.shownWidth > 0 ? s.shownWidth : s.width;
}
int CurrentDrawableHeight(State& s) {
    return s.shownHeight > 0 ? s.shownHeight : s.height;
}

// Cells of the overlap mask under the bounding box of `c`; false when it is off the target.
bool MaskRange(const State& s, const Corners& c, int& x0, int& y0, int& x1, int& y1) {
    float minX = c.x[0], maxX = c.x[0], minY = c.y[0], maxY = c.y[0];
    for (int i = 1; i < 4; ++i) {
        minX = std::min(minX, c.x[i]);
        maxX = std::max(maxX, c.x[i]);
        minY = std::min(minY, c.y[i]);
        maxY = std::max(maxY, c.y[i]);
    }
    if (!(maxX > 0 && maxY > 0 && minX < s.width && minY < s.height)) return false; // also NaN
    x0 = std::max(0, static_cast<int>(std::floor(minX / MASK_CELL)));
    y0 = std::max(0, static_cast<int>(std::floor(minY / MASK_CELL)));
    x1 = std::min(s.maskColumns - 1, static_cast<int>(std::ceil(maxX / MASK_CELL)) - 1);
    y1 = std::min(s.maskRows - 1, static_cast<int>(std::ceil(maxY / MASK_CELL)) - 1);
    return x0 <= x1 && y0 <= y1;
}

bool MaskHits(const State& s, const Corners& c) {
    int x0, y0, x1, y1;
    if (!MaskRange(s, c, x0, y0, x1, y1)) return false;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const int bit = y * s.maskColumns + x;
            if (s.mask[bit / 64] >> (bit % 64) & 1) return true;
        }
    return false;
}

void MaskAdd(State& s, const Corners& c) {
    int x0, y0, x1, y1;
    if (!MaskRange(s, c, x0, y0, x1, y1)) return;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const int bit = y * s.maskColumns + x;
            s.mask[bit / 64] |= uint64_t{1} << (bit % 64);
        }
}

// Whether a quad of `sampling` may join `batch`, upgrading it if needed.
bool SamplingFits(Batch& batch, int sampling, bool apply) {
    if (sampling == SAMPLE_EXACT) return true;
    if (batch.samplingFixed) return batch.sampling == sampling;
    if (apply) {
        batch.sampling = sampling;
        batch.samplingFixed = true;
    }
    return true;
}

Batch& NewBatch(State& s, int page, int blend, int sampling, bool opaque) {
    Frame& f = *s.current;
    if (f.batchCount == static_cast<int>(f.batches.size())) f.batches.emplace_back();
    Batch& b = f.batches[f.batchCount++];
    b.page = page;
    b.blend = blend;
    b.sampling = sampling == SAMPLE_EXACT ? SAMPLE_NEAREST : sampling;
    b.samplingFixed = sampling != SAMPLE_EXACT;
    b.opaque = opaque;
    b.quads.clear();
    return b;
}

// Records one quad. Opaque quads (no blending needed) join the open opaque
// batch, which is drawn before the blended batches recorded after it, as long
// as none of those blended quads lies under them.
void Push(State& s, int page, int blend, int sampling, bool opaque, bool idempotent,
          const Corners& c, float u0, float v0, float u1, float v1, uint32_t colour) {
    Frame& f = *s.current;
    if (static_cast<size_t>(f.quadCount + 1) * 4 > f.vertices.size())
        f.vertices.resize(std::max<size_t>(f.vertices.size() * 2, INITIAL_QUADS * 4));
    const uint32_t quad = static_cast<uint32_t>(f.quadCount++);
    Vertex* v = f.vertices.data() + quad * 4;
    const float us[4] = {u0, u1, u1, u0};
    const float vs[4] = {v0, v0, v1, v1};
    for (int i = 0; i < 4; ++i)
        v[i] = Vertex{c.x[i], c.y[i], us[i], vs[i], colour};
    f.idempotent = f.idempotent && idempotent;

    if (opaque && s.openOpaque >= 0) {
        Batch& open = f.batches[s.openOpaque];
        if (open.page == page && SamplingFits(open, sampling, false) && !MaskHits(s, c)) {
            SamplingFits(open, sampling, true);
            open.quads.push_back(quad);
            return;
        }
    }
    if (f.batchCount > s.executed) {
        Batch& last = f.batches[f.batchCount - 1];
        // Joining as an ordinary quad keeps the batch count down; an opaque
        // quad drawn blended looks the same.
        const bool fits = last.page == page && SamplingFits(last, sampling, false) &&
                          (last.opaque ? opaque : last.blend == blend);
        if (fits) {
            SamplingFits(last, sampling, true);
            last.quads.push_back(quad);
            if (!last.opaque && s.openOpaque >= 0) MaskAdd(s, c);
            return;
        }
    }
    Batch& b = NewBatch(s, page, blend, sampling, opaque);
    b.quads.push_back(quad);
    if (opaque) {
        s.openOpaque = f.batchCount - 1;
        std::fill(s.mask.begin(), s.mask.end(), 0);
    } else if (s.openOpaque >= 0) {
        MaskAdd(s, c);
    }
}

// Quads that need no blending: solid mode, or an opaque texture at full alpha
// under mask or alpha blending.
bool IsOpaque(int blend, bool opaqueTexels, uint32_t colour) {
    if (blend == BLEND_SOLID) return true;
    return (blend == BLEND_ALPHA || blend == BLEND_MASK) && opaqueTexels && (colour >> 24) == 255;
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
    EnsureBuffers(s, INITIAL_QUADS);
    const auto offset = [](size_t bytes) { return reinterpret_cast<const void*>(bytes); };
    gl.EnableVertexAttribArray(0);
    gl.VertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex), offset(0));
    gl.EnableVertexAttribArray(1);
    gl.VertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex), offset(8));
    gl.EnableVertexAttribArray(2);
    gl.VertexAttribPointer(2, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(Vertex), offset(16));
    gl.GenBuffers(1, &s.ibo);
    gl.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, s.ibo);
    s.iboQuads = INITIAL_QUADS;
    gl.BufferData(GL_ELEMENT_ARRAY_BUFFER, s.iboQuads * 6 * sizeof(uint32_t), nullptr,
                  GL_STREAM_DRAW);
    s.indices.resize(INITIAL_QUADS * 6);
    // Both frames get the same room, so drawing allocates nothing once warm.
    for (Frame& f : s.frames) {
        f.vertices.resize(INITIAL_QUADS * 4);
        f.batches.resize(16);
        for (Batch& b : f.batches)
            b.quads.reserve(INITIAL_QUADS);
    }

    if (!MakeOffscreen(s)) return false;
    gl.Viewport(0, 0, s.width, s.height);
    ClearBound();

    s.maskColumns = (s.width + MASK_CELL - 1) / MASK_CELL;
    s.maskRows = (s.height + MASK_CELL - 1) / MASK_CELL;
    s.mask.assign((static_cast<size_t>(s.maskColumns) * s.maskRows + 63) / 64, 0);

    GLint maxTexture = 0;
    gl.GetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTexture);
    s.atlas.Open(std::min(ATLAS_PAGE_SIZE, static_cast<int>(maxTexture)), maxTexture);
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

bool PrepareFrame(ImageFrame& frame, int width, int height, bool mipmapped) {
    if (!g_state) return false;
    if (frame.slot.generation == g_generation) return !frame.slot.failed;
    const bool placed = g_state->atlas.Place(frame, width, height, g_generation, mipmapped);
    AfterAtlasChange(*g_state);
    return placed;
}

void AddQuad(const AtlasSlot& slot, Sampling sampling, const Corners& corners, uint32_t colour,
             int blend) {
    if (!g_state) return;
    const bool opaque = IsOpaque(blend, slot.opaque, colour);
    // Drawing a frame again over itself changes nothing when every texel it
    // writes replaces the one below whole.
    const bool idempotent =
        opaque || ((blend == BLEND_ALPHA || blend == BLEND_MASK) && slot.binaryAlpha &&
                   sampling == SAMPLE_EXACT && (colour >> 24) == 255);
    Push(*g_state, slot.page, blend, sampling, opaque, idempotent, corners, slot.u0, slot.v0,
         slot.u1, slot.v1, colour);
}

void AddRect(const Corners& corners, uint32_t colour, int blend) {
    if (!g_state) return;
    State& s = *g_state;
    Frame& f = *s.current;
    // Any shared page has a white block: keep the current one so rectangles do not split batches.
    int page = f.batchCount > s.executed ? f.batches[f.batchCount - 1].page : s.boundPage;
    if (page < 0 || !s.atlas.HasWhite(page)) {
        page = s.atlas.AnyPage();
        AfterAtlasChange(s);
    }
    float u = 0, v = 0;
    s.atlas.WhiteTexel(page, u, v);
    const bool opaque = IsOpaque(blend, true, colour);
    // The white block reads white under any filter.
    Push(s, page, blend, SAMPLE_EXACT, opaque, opaque, corners, u, v, u, v, colour);
}

void Clear() {
    if (!g_state) return;
    State& s = *g_state;
    if (s.target != Target::NONE) {
        // Part of this frame is drawn already: clear its target for real.
        ClearBound();
        s.executed = 0;
    }
    s.current->Reset(true);
    s.openOpaque = -1;
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

bool PresentTo(int drawableWidth, int drawableHeight) {
    if (!g_state) return false;
    State& s = *g_state;
    Frame& f = *s.current;
    const bool sameWindow = drawableWidth == s.shownWidth && drawableHeight == s.shownHeight;
    // Nothing new to show: the same recording over a picture it cannot change.
    const bool unchanged = s.target == Target::NONE && s.shownUsable && sameWindow &&
                           (f.cleared || f.idempotent) && f.SameAs(*s.shown);
    int batches = 0;
    for (int b = 0; b < f.batchCount; ++b)
        batches += f.batches[b].quads.empty() ? 0 : 1;
    s.frameDrawCalls = batches;
    if (unchanged) {
        f.Reset(false);
        s.openOpaque = -1;
        return false;
    }
    const ScreenRect fit = FitPicture(s.width, s.height, drawableWidth, drawableHeight);
    if (fit.w <= 0 || fit.h <= 0) { // e.g. a minimised window: keep drawing offscreen
        Execute(s, -1, -1);
    } else {
        Execute(s, drawableWidth, drawableHeight);
        if (s.target == Target::OFFSCREEN) {
            gl.BindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
            gl.BindFramebuffer(GL_READ_FRAMEBUFFER, s.framebuffer);
            gl.Viewport(0, 0, drawableWidth, drawableHeight);
            // Black bars: only the strips beside the picture, not the whole window.
            const ScreenRect bars[4] = {
                {0, 0, fit.x, drawableHeight},
                {fit.x + fit.w, 0, drawableWidth - fit.x - fit.w, drawableHeight},
                {fit.x, 0, fit.w, fit.y},
                {fit.x, fit.y + fit.h, fit.w, drawableHeight - fit.y - fit.h}};
            bool scissor = false;
            for (const ScreenRect& bar : bars) {
                if (bar.w <= 0 || bar.h <= 0) continue;
                if (!scissor) gl.Enable(GL_SCISSOR_TEST);
                scissor = true;
                gl.Scissor(bar.x, bar.y, bar.w, bar.h);
                ClearBound();
            }
            if (scissor) gl.Disable(GL_SCISSOR_TEST);
            // The target holds the top row first; the window wants the bottom row first.
            gl.BlitFramebuffer(0, 0, s.width, s.height, fit.x, fit.y + fit.h, fit.x + fit.w, fit.y,
                               GL_COLOR_BUFFER_BIT, GL_NEAREST);
        }
    }
    // Shown or not (a minimised window), the offscreen target now holds the
    // latest picture, which the next frame may build on.
    if (s.target == Target::OFFSCREEN) s.offscreenCurrent = true;
    if (s.target == Target::WINDOW) DropOffscreen(s);
    // What was drawn becomes the shown frame; the next one starts empty.
    std::swap(s.current, s.shown);
    s.shownUsable = true;
    s.shownWidth = drawableWidth;
    s.shownHeight = drawableHeight;
    s.current->Reset(false);
    s.target = Target::NONE;
    s.executed = 0;
    s.openOpaque = -1;
    return true;
}

void Invalidate() {
    if (g_state) g_state->shownUsable = false;
}

bool ChangedSincePresent() {
    if (!g_state) return false;
    const Frame& f = *g_state->current;
    return g_state->target != Target::NONE || f.cleared || f.quadCount > 0;
}

int TakeDrawCalls() {
    if (!g_state) return 0;
    const int calls = g_state->frameDrawCalls;
    g_state->frameDrawCalls = 0;
    return calls;
}

namespace {
// Draws what is pending so the current picture can be read; false when none is open.
bool ExecuteForRead(State& s) {
    Execute(s, CurrentDrawableWidth(s), CurrentDrawableHeight(s));
    if (s.target == Target::WINDOW) {
        gl.BindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        return true;
    }
    gl.BindFramebuffer(GL_READ_FRAMEBUFFER, s.framebuffer);
    return true;
}
} // namespace

bool ReadTarget(std::vector<uint8_t>& rgba, int& width, int& height) {
    if (!g_state) return false;
    State& s = *g_state;
    ExecuteForRead(s);
    width = s.width;
    height = s.height;
    rgba.resize(static_cast<size_t>(width) * height * 4);
    gl.PixelStorei(GL_PACK_ALIGNMENT, 1);
    gl.ReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    if (s.target == Target::WINDOW) { // the window holds the bottom row first
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
    if (!g_state || x < 0 || y < 0 || x >= g_state->width || y >= g_state->height) return false;
    State& s = *g_state;
    ExecuteForRead(s);
    gl.PixelStorei(GL_PACK_ALIGNMENT, 1);
    gl.ReadPixels(x, s.target == Target::WINDOW ? s.height - 1 - y : y, 1, 1, GL_RGBA,
                  GL_UNSIGNED_BYTE, rgba);
    rgba[3] = 255;
    return true;
}

} // namespace render

void ReleaseAtlasSlot(const AtlasSlot& slot) {
    using namespace render;
    if (!g_state || slot.generation != g_generation || slot.failed || slot.page < 0) return;
    State& s = *g_state;
    const auto uses = [&](const Frame& f, int from) {
        for (int b = from; b < f.batchCount; ++b)
            if (f.batches[b].page == slot.page && !f.batches[b].quads.empty()) return true;
        return false;
    };
    // Pending quads may still sample the page that is about to go, and a
    // picture that must be rebuilt offscreen may too: draw them first.
    if (!s.offscreenCurrent && s.shownUsable && uses(*s.shown, 0) && s.target == Target::NONE &&
        !s.current->cleared)
        Execute(s, CurrentDrawableWidth(s), CurrentDrawableHeight(s)); // rebuilds it offscreen
    if (uses(*s.current, s.executed)) Execute(s, CurrentDrawableWidth(s), CurrentDrawableHeight(s));
    if (s.atlas.Release(slot.page) && s.boundPage == slot.page) s.boundPage = -1;
    s.shownUsable = false;
}
