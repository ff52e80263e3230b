// An RGBA drawing surface with the few primitives the pixel art needs.
// Coordinates outside the surface are clipped silently.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

struct Rgba {
    uint8_t r = 0, g = 0, b = 0, a = 255;
    bool operator==(const Rgba&) const = default;
};

inline constexpr Rgba kClear{0, 0, 0, 0};

// Scales a colour's brightness by percent (100 = unchanged), clamped.
Rgba Shade(Rgba c, int percent);
// Mixes a and b, t percent of b.
Rgba Mix(Rgba a, Rgba b, int t);

struct Point {
    double x, y;
};

class Canvas {
  public:
    Canvas(int width, int height, Rgba fill = kClear);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    void Set(int x, int y, Rgba c);
    Rgba Get(int x, int y) const;
    void Fill(Rgba c);
    void FillRect(int x, int y, int w, int h, Rgba c);
    void FrameRect(int x, int y, int w, int h, Rgba c);
    // Pixels whose centre lies inside the ellipse.
    void FillEllipse(double cx, double cy, double rx, double ry, Rgba c);
    void Line(int x0, int y0, int x1, int y1, Rgba c);
    // Even-odd scanline fill, sampled at pixel centres.
    void FillPolygon(const std::vector<Point>& pts, Rgba c);
    // Paints c on every transparent pixel that touches an opaque one (4-neighbourhood):
    // gives every sprite the same one-pixel dark rim.
    void Outline(Rgba c);
    // Copies src with its top-left at (dx, dy); transparent source pixels are skipped.
    void Blit(const Canvas& src, int dx, int dy);
    // Replaces every pixel equal to from.
    void Replace(Rgba from, Rgba to);

    // Raw bytes for the PNG writer: 3 (alpha dropped) or 4 channels.
    std::vector<uint8_t> Bytes(int channels) const;

  private:
    int width_, height_;
    std::vector<Rgba> px_;
};

} // namespace assetgen
