#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace assetgen {

Rgba Shade(Rgba c, int percent) {
    auto f = [percent](int v) {
        return static_cast<uint8_t>(std::clamp(v * percent / 100, 0, 255));
    };
    return {f(c.r), f(c.g), f(c.b), c.a};
}

Rgba Mix(Rgba a, Rgba b, int t) {
    auto f = [t](int x, int y) { return static_cast<uint8_t>((x * (100 - t) + y * t) / 100); };
    return {f(a.r, b.r), f(a.g, b.g), f(a.b, b.b), f(a.a, b.a)};
}

Canvas::Canvas(int width, int height, Rgba fill)
    : width_(width), height_(height), px_(static_cast<size_t>(width) * height, fill) {}

void Canvas::Set(int x, int y, Rgba c) {
    if (Inside(x, y)) px_[static_cast<size_t>(y) * width_ + x] = c;
}

Rgba Canvas::Get(int x, int y) const {
    return Inside(x, y) ? px_[static_cast<size_t>(y) * width_ + x] : kClear;
}

void Canvas::Fill(Rgba c) {
    std::fill(px_.begin(), px_.end(), c);
}

void Canvas::FillRect(int x, int y, int w, int h, Rgba c) {
    for (int yy = y; yy < y + h; ++yy)
        for (int xx = x; xx < x + w; ++xx)
            Set(xx, yy, c);
}

void Canvas::FrameRect(int x, int y, int w, int h, Rgba c) {
    FillRect(x, y, w, 1, c);
    FillRect(x, y + h - 1, w, 1, c);
    FillRect(x, y, 1, h, c);
    FillRect(x + w - 1, y, 1, h, c);
}

void Canvas::FillEllipse(double cx, double cy, double rx, double ry, Rgba c) {
    if (rx <= 0 || ry <= 0) return;
    int x0 = static_cast<int>(std::floor(cx - rx)), x1 = static_cast<int>(std::ceil(cx + rx));
    int y0 = static_cast<int>(std::floor(cy - ry)), y1 = static_cast<int>(std::ceil(cy + ry));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1.0) Set(x, y, c);
        }
}

void Canvas::Line(int x0, int y0, int x1, int y1, Rgba c) {
    int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        Set(x0, y0, c);
        if (x0 == x1 && y0 == y1) break;
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Canvas::FillPolygon(const std::vector<Point>& pts, Rgba c) {
    if (pts.size() < 3) return;
    for (int y = 0; y < height_; ++y) {
        double sy = y + 0.5;
        std::vector<double> xs;
        for (size_t i = 0; i < pts.size(); ++i) {
            Point a = pts[i], b = pts[(i + 1) % pts.size()];
            if ((a.y <= sy && b.y > sy) || (b.y <= sy && a.y > sy))
                xs.push_back(a.x + (sy - a.y) * (b.x - a.x) / (b.y - a.y));
        }
        std::sort(xs.begin(), xs.end());
        for (size_t i = 0; i + 1 < xs.size(); i += 2)
            for (int x = 0; x < width_; ++x)
                if (x + 0.5 >= xs[i] && x + 0.5 < xs[i + 1]) Set(x, y, c);
    }
}

void Canvas::Outline(Rgba c) {
    std::vector<Rgba> copy = px_;
    auto solid = [&](int x, int y) {
        return Inside(x, y) && copy[static_cast<size_t>(y) * width_ + x].a != 0;
    };
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (!solid(x, y) &&
                (solid(x - 1, y) || solid(x + 1, y) || solid(x, y - 1) || solid(x, y + 1)))
                Set(x, y, c);
}

void Canvas::Blit(const Canvas& src, int dx, int dy) {
    for (int y = 0; y < src.Height(); ++y)
        for (int x = 0; x < src.Width(); ++x) {
            Rgba p = src.Get(x, y);
            if (p.a != 0) Set(dx + x, dy + y, p);
        }
}

void Canvas::Replace(Rgba from, Rgba to) {
    for (auto& p : px_)
        if (p == from) p = to;
}

std::vector<uint8_t> Canvas::Bytes(int channels) const {
    std::vector<uint8_t> out;
    out.reserve(px_.size() * channels);
    for (const Rgba& p : px_) {
        out.push_back(p.r);
        out.push_back(p.g);
        out.push_back(p.b);
        if (channels == 4) out.push_back(p.a);
    }
    return out;
}

} // namespace assetgen
