// Internal layout of images and pixel buffers, shared by the loaders
// and the renderer. The game only sees the opaque pointers of graphics.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "media/graphics.h"

struct Pixmap {
    int width = 0;
    int height = 0;
    int pitch = 0;  // bytes per row
    int format = 0; // PF_*
    std::vector<uint8_t> pixels;
};

namespace media_internal {

// Where a frame's texture lives in the current mode. Stale when `generation`
// differs from the renderer's: then it is uploaded again on the next draw.
struct AtlasSlot {
    unsigned generation = 0;
    bool failed = false; // the texture could not be made in this generation
    int page = -1;
    float u0 = 0, v0 = 0, u1 = 0, v1 = 0;
    // From the frame's alpha: every texel opaque (drawing it blended changes
    // nothing), or every texel fully opaque or fully clear.
    bool opaque = false, binaryAlpha = false;
};

// What the game keeps of a picture is bounded: every frame's sides (and a
// strip's sheet) at most kImageMaxSide, so a frame with the atlas padding
// fits any texture an OpenGL 3.3 driver offers in practice (8192 and up), and
// the RGBA frames kept for re-making textures at most kImageMaxRgbaBytes.
constexpr int kImageMaxSide = 4096;
constexpr size_t kImageMaxRgbaBytes = size_t{64} << 20;

struct ImageFrame {
    std::vector<uint8_t> rgba; // width * height * 4, kept to re-create the texture
    AtlasSlot slot;
};

} // namespace media_internal

struct Image {
    int width = 0;
    int height = 0;
    int flags = 0;
    int maskR = 0, maskG = 0, maskB = 0;
    float handleX = 0, handleY = 0;
    std::vector<media_internal::ImageFrame> frames;

    Image() = default;
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;
    ~Image(); // gives the frames' atlas space back
};

namespace media_internal {

// The texture sampling an image's flags ask for.
// SampleExact: the quad maps pixel centres onto texel centres, where every
// filter gives the same colour, so it can share a batch of any sampling.
enum Sampling : uint8_t { SampleNearest = 0, SampleLinear = 1, SampleMipmap = 2, SampleExact = 3 };
inline Sampling SamplingFor(int flags) {
    if (!(flags & IMAGE_FILTERED)) return SampleNearest;
    return (flags & IMAGE_MIPMAPPED) ? SampleMipmap : SampleLinear;
}

// Converts a window of a pixel buffer to RGBA. With `masked`, buffers without
// alpha get alpha 0 where a pixel equals the mask colour exactly, else 255.
std::vector<uint8_t> PixmapRegionToRgba(const Pixmap& pixmap, int x, int y, int w, int h,
                                        bool masked, int maskR, int maskG, int maskB);

// An image made directly from RGBA frames (glyphs, tests); handle at (0, 0).
ImagePtr MakeImageFromRgba(int width, int height, int flags,
                           std::vector<std::vector<uint8_t>> frames);

} // namespace media_internal
