// The renderer's state and the steps its files share: GL objects, batch
// recording, presentation, read-back and atlas release each live in a file of
// their own (render_*.cpp) and meet here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "media/gfx/gl_functions.h"
#include "media/gfx/renderer.h"
#include "media/gfx/texture_atlas.h"

namespace render {

using media_internal::gl;
using media_internal::TextureAtlas;

struct Vertex {
    float x, y, u, v;
    uint32_t colour;
};
static_assert(sizeof(Vertex) == 20);

constexpr int kInitialQuads = 1024; // grows when a frame needs more, never shrinks
// Shared pages hold the sprite sheets and glyphs of a screen with room to spare;
// pictures get textures of their own.
constexpr int kAtlasPageSize = 512;
constexpr int kMaskCell = 16; // pixels per cell of the overlap mask

// A run of quads drawn with one draw call.
struct Batch {
    int page = -1;
    int blend = BLEND_SOLID;
    int sampling = SampleNearest;
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
    bool SameAs(const Frame& o) const;
};

enum class Target { None, Window, Offscreen };

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
    Target target = Target::None; // where the current frame is being drawn
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

// The open renderer (null while none is), and a count that changes with every Open.
extern State* renderState;
extern unsigned renderGeneration;

// GL objects (render_gl.cpp).
bool CreateObjects(State& s);
void DeleteObjects(State& s);
void BindWindow(int drawableWidth, int drawableHeight);
void BindOffscreen(State& s);
void DropOffscreen(State& s);
void ClearBound();
// Sizes the overlap mask to the picture.
void ResizeMask(State& s);
void EnsureBuffers(State& s, size_t quads);
void ApplyBlend(State& s, int blend);
void BindTexture(State& s, int page, int sampling);

// Drawing and presentation (render_present.cpp).
// Makes sure everything recorded for this frame is drawn into its target.
void Execute(State& s, int drawableWidth, int drawableHeight);
int CurrentDrawableWidth(const State& s);
int CurrentDrawableHeight(const State& s);

// The atlas (render_atlas.cpp): called after it bound or changed textures.
void AfterAtlasChange(State& s);

} // namespace render
