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

// Start-up sets the caption before the window opens.
void SetWindowTitle(const std::string& title);

// Closes any open mode, then opens a window (depth 0) or full screen (depth 32).
// Returns false when no mode could be opened. Starts a fresh drawing state.
bool OpenGraphics(int width, int height, int depth, int hertz, int flags);
// Closes the open mode, if any. The program end does this too.
void CloseGraphics();
int CurrentDepth();
// Presents the back buffer; -1 = paced presentation.
void Flip(int sync);
void Cls();
void SetMouseVisible(int visible);

void SetColor(int r, int g, int b);
void SetAlpha(float alpha);
void SetBlend(int mode);
void SetDrawScale(float sx, float sy);
void SetDrawRotation(float degrees);
void DrawRect(float x, float y, float w, float h);
// image must not be null (a null image is a fatal error).
void DrawImage(const ImagePtr& image, float x, float y, int frame);
// text is UTF-8; characters the font lacks are skipped.
void DrawText(const std::string& text, float x, float y);

void SetCentredHandles(int flag);
ImagePtr LoadImage(const std::string& path, int flags);
ImagePtr LoadImageStrip(const std::string& path, int cellWidth, int cellHeight, int first,
                        int count, int flags);
int ImageWidth(const ImagePtr& image);
int ImageHeight(const ImagePtr& image);
int ImageFrames(const ImagePtr& image);

FontPtr LoadFont(const std::string& path, int size, int style);
// null selects the built-in 8 x 16 font.
void SetFont(const FontPtr& font);
FontPtr GetFont();

PixmapPtr LoadPixmapFile(const std::string& path);
int PixmapWidth(const PixmapPtr& pixmap);
int PixmapHeight(const PixmapPtr& pixmap);
int PixmapFormat(const PixmapPtr& pixmap);
// 0xAARRGGBB; x and y must lie inside the buffer.
uint32_t ReadPixel(const PixmapPtr& pixmap, int x, int y);
