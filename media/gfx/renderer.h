// Batch renderer: records a frame's textured, tinted quads into batches (a new
// one only when the texture page, the blend mode or a needed filter changes)
// and draws them when the frame is read or shown. Opaque quads are drawn
// first without blending, where no blended quad recorded before lies under
// them. A frame that needs no scaling and starts with a clear is drawn
// straight into the window; others go through an offscreen target of the
// game's resolution, which is then copied scaled. A frame recorded exactly
// like the one on screen is neither drawn nor shown again.
#pragma once

#include <cstdint>
#include <vector>

#include "media/gfx/image_data.h"

namespace render {

using media_internal::AtlasSlot;
using media_internal::ImageFrame;
using media_internal::SampleExact;
using media_internal::SampleNearest;
using media_internal::Sampling;

// Creates the GL objects in the current context; false when that fails.
bool Open(int width, int height);
// Deletes them; the context must still be current.
void Close();
// Frames are drawn at width x height from now on; the frame being recorded
// starts again from black, and the next one is drawn and shown even if
// unchanged. False (nothing changed) for an empty size or without a renderer.
bool Resize(int width, int height);
bool IsOpen();
// Changes with every Open, so textures from an earlier mode are re-made.
unsigned Generation();

// Makes sure `frame` has a texture in this mode; false when it cannot have one.
bool PrepareFrame(ImageFrame& frame, int width, int height, bool mipmapped);

// Corners in screen pixels, clockwise from the top-left of the source:
// x0,y0 (u0,v0) x1,y1 (u1,v0) x2,y2 (u1,v1) x3,y3 (u0,v1).
struct Corners {
    float x[4];
    float y[4];
};
// colour is 0xAABBGGRR in memory order r, g, b, a.
void AddQuad(const AtlasSlot& slot, Sampling sampling, const Corners& corners, uint32_t colour,
             int blend);
void AddRect(const Corners& corners, uint32_t colour, int blend);

void Clear(); // the frame starts again from black
struct ScreenRect {
    int x = 0, y = 0, w = 0, h = 0;
};
// Where a picture lands in an area, centred with black bars around it: the
// largest whole-number scale that fits, or, when not even twice the picture
// fits, as large as fits with the aspect kept. Empty when either size is empty.
ScreenRect FitPicture(int pictureW, int pictureH, int areaW, int areaH);

// Puts the frame into the window's back buffer, placed by FitPicture. False
// when the frame equals the one on screen: then nothing was drawn and there is
// nothing to swap.
bool PresentTo(int drawableWidth, int drawableHeight);
// True when anything was drawn or cleared since the last presentation.
bool ChangedSincePresent();
// The window's picture was lost (exposed, resized): the next frame is drawn.
void Invalidate();
// Draw calls the last presented frame consists of (also when it was unchanged
// and not drawn again); Flip calls it once per frame.
int TakeDrawCalls();
// Reads the target (top row first) as RGBA.
bool ReadTarget(std::vector<uint8_t>& rgba, int& width, int& height);
bool ReadTargetPixel(int x, int y, uint8_t rgba[4]);

} // namespace render

// Called when an image is destroyed: hands its texture space back.
void ReleaseAtlasSlot(const media_internal::AtlasSlot& slot);
