// Drawing half of the media layer: one window, textured quads, images, text.
// Only the game thread calls these. Coordinates are screen pixels, (0,0) top-left.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

struct Image;
struct Font;
struct Pixmap;
using ImagePtr = std::shared_ptr<Image>;
using FontPtr = std::shared_ptr<Font>;
using PixmapPtr = std::shared_ptr<Pixmap>;

// Image flags.
constexpr int IMAGE_MASKED = 1;
constexpr int IMAGE_FILTERED = 2;
constexpr int IMAGE_MIPMAPPED = 4;
constexpr int IMAGE_DEFAULT = -1; // masked + filtered

// Blend modes.
constexpr int BLEND_MASK = 1;
constexpr int BLEND_SOLID = 2;
constexpr int BLEND_ALPHA = 3;
constexpr int BLEND_LIGHT = 4;
constexpr int BLEND_SHADE = 5;

// Font styles.
constexpr int FONT_SMOOTH = 4;

// Pixel formats of a Pixmap.
constexpr int PF_I8 = 1;
constexpr int PF_A8 = 2;
constexpr int PF_BGR888 = 3;
constexpr int PF_RGB888 = 4;
constexpr int PF_BGRA8888 = 5;
constexpr int PF_RGBA8888 = 6;

// Called by start-up before the window opens: the window's caption.
void SetWindowTitle(const std::string& title);
// Called by start-up before the first window opens: names the program for the
// desktop, `name` for mixers and taskbars, `appId` as the window class its
// desktop entry matches.
void SetApplicationIdentity(const std::string& name, const std::string& appId);
// Called by start-up: a PNG (RGB or RGBA) shown as the icon of every window
// opened afterwards; a missing or unreadable file leaves the desktop's default icon.
void SetWindowIcon(const std::string& path);

// Called by start-up and the map choice: closes any open mode, then opens a window
// (depth 0) or full screen (depth 32). Returns false when no mode could be opened.
// Starts a fresh drawing state and keeps loaded images and fonts usable.
bool OpenGraphics(int width, int height, int depth, int hertz, int flags);
// Called by tests and by the program end: closes the open mode, if any.
void CloseGraphics();
// Called by the map choice to leave full screen for the dialog: 32 while full
// screen is open, 0 for a window or no mode.
int CurrentDepth();
// Called at the end of every pass of every screen: presents the back buffer
// (-1 = paced to the mode's rate, 0 = at once, 1 = with vertical sync) and
// processes pending window events. The back buffer's content is undefined after.
void Flip(int sync);
// Called by the island editor at the start of each frame, to lay itself out:
// the window's size in its own pixels (more than the window's size on a
// high-density screen); 0 x 0 while no mode is open.
void WindowPixelSize(int& width, int& height);
// Called by the island editor when its layout changes: frames are drawn at
// width x height drawing pixels from now on (the game keeps the size it opened
// with) and shown as every picture is, centred at the largest whole scale that
// fits. What was drawn since the last Flip is dropped; the frame starts black.
void SetPictureSize(int width, int height);
// Called by the island editor after opening its window: the smallest size the
// window may be given, in window pixels (OpenGraphics allows half the picture).
void SetWindowMinimumSize(int width, int height);
// Called after Flip by the screens that redraw everything: clears to black.
void Cls();
// Called by start-up and the screens around the file dialog; leaves the
// pointer shown (1) or hidden (0) over the window.
void SetMouseVisible(int visible);

// Called before drawing by every screen: the tint (0-255 per channel) and the
// opacity (0-1) of what is drawn next, until changed or the mode is reopened.
void SetColor(int r, int g, int b);
void SetAlpha(float alpha);
// Called by start-up and the title screens: one of the BLEND_* modes for what is
// drawn next; unknown modes draw solid.
void SetBlend(int mode);
// Called by the castaway's drawing: scale and rotation (degrees, clockwise)
// applied around each image's handle until changed back.
void SetDrawScale(float sx, float sy);
void SetDrawRotation(float degrees);
// Called by the gauges and the selection overlay: a filled rectangle in the
// current colour, alpha and blend mode.
void DrawRect(float x, float y, float w, float h);
// Called by every screen: one frame of an image at (x, y) measured to its handle,
// with the current colour, alpha, blend, scale and rotation. image must not be
// null (a null image is a fatal error).
void DrawImage(const ImagePtr& image, float x, float y, int frame);
// Called by the screens and the messages: text in the current font and colour with
// its top-left at (x, y). text is UTF-8; a character the font lacks draws as a
// hollow box, a control character as nothing.
void DrawText(const std::string& text, float x, float y);

// Called by start-up between loading the title and the play images: images loaded
// from now on take their handle at their centre (1) or top-left corner (0).
void SetCentredHandles(int flag);
// Called by start-up and the intro: loads a PNG (IMAGE_* flags, -1 default) as one
// frame; null when the file is missing or not a picture the layer can use.
ImagePtr LoadImage(const std::string& path, int flags);
// Called by start-up for the sprite sheets: `count` frames of cellWidth x
// cellHeight read left to right, top to bottom, from frame `first`; null on failure.
ImagePtr LoadImageStrip(const std::string& path, int cellWidth, int cellHeight, int first,
                        int count, int flags);
// Called by the drawing code of the map and critters (and by tests): the size of one
// frame and the number of frames; a null image is a fatal error.
int ImageWidth(const ImagePtr& image);
int ImageHeight(const ImagePtr& image);
int ImageFrames(const ImagePtr& image);
// A one-frame image from width * height pixels 0xAARRGGBB, handle at the
// top-left corner, drawn unfiltered. Called by the island editor for its overview.
ImagePtr CreateImage(int width, int height, const uint32_t* argb);

// Called by start-up: a TrueType font at `size` pixels (FONT_SMOOTH: anti-aliased);
// null when the file is missing or not a usable font.
FontPtr LoadFont(const std::string& path, int size, int style);
// Called by the screens before drawing text. null selects the built-in 8 x 16 font.
void SetFont(const FontPtr& font);
// Called by start-up to remember the font in use; null for the built-in one.
FontPtr GetFont();
// Called by the centring of the screens and by the fit tests: the pixels `text`
// (UTF-8) advances the pen in `font` at its size (null: the built-in font), as
// DrawText draws it unscaled, a lacking character's box included.
float TextWidth(const FontPtr& font, const std::string& text);
// Called by the tests of the catalogs: true when `font` (null: the built-in
// one) has a glyph for every character of `text`.
bool FontHasGlyphs(const FontPtr& font, const std::string& text);

// Why LoadPixmapFile gave no pixmap; PICTURE_LOADED when it gave one.
constexpr int PICTURE_LOADED = 0;
constexpr int PICTURE_MISSING = 1;
constexpr int PICTURE_TOO_LARGE = 2; // a side over the limit, by the header
constexpr int PICTURE_DAMAGED = 3;   // not a PNG, cut short or broken
// Called by the map loader: a PNG decoded into memory for reading pixels, not
// for drawing; null when the file is missing or damaged, or when a side is
// over `maxSide` (checked before any pixel is decoded; 0: the decoder's own limit).
// `fault`, when given, receives one of the PICTURE_* reasons above.
PixmapPtr LoadPixmapFile(const std::string& path, int maxSide = 0, int* fault = nullptr);
// Called by the asset loader to count a sprite sheet's frames: a PNG's width
// and height from its header alone, before anything is allocated; false when
// the file is missing or not a PNG. The sizes are as the header states them,
// which may be more than LoadPixmapFile and the image loaders accept.
bool PictureSize(const std::string& path, int& width, int& height);
// Size and PF_* format of a pixmap; a null pixmap is a fatal error.
int PixmapWidth(const PixmapPtr& pixmap);
int PixmapHeight(const PixmapPtr& pixmap);
int PixmapFormat(const PixmapPtr& pixmap);
// Called by tests for single pixels (the map loader reads whole rows): the pixel
// as 0xAARRGGBB; x and y must lie inside the buffer.
uint32_t ReadPixel(const PixmapPtr& pixmap, int x, int y);
// Called by the map loader per row, the same values as ReadPixel for every x
// of row y into out (PixmapWidth entries); a row outside the buffer reads 0.
void ReadPixelRow(const PixmapPtr& pixmap, int y, uint32_t* out);
