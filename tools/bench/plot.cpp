// Draws the report's plot with the game's own renderer and writes it as PNG:
// frame time (top) and per-pass logic cost (bottom) against the island's side,
// before and after, on a doubling scale of sizes.
//   data lines: "<panel 0|1> <series 0|1> <side> <value>"
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "bench.h"
#include "media/graphics.h"
#include "media/test_seams.h"

namespace bench {
namespace {

struct Point {
    int panel, series;
    double side, value;
};

void Line(float x0, float y0, float x1, float y1, float width) {
    const float dx = x1 - x0, dy = y1 - y0;
    const float length = std::sqrt(dx * dx + dy * dy);
    SetDrawRotation(std::atan2(dy, dx) * 180.0f / 3.14159265f);
    DrawRect(x0, y0 - width / 2, length, width);
    SetDrawRotation(0);
}

std::string Label(double v) {
    char text[32];
    std::snprintf(text, sizeof text, v >= 10 ? "%.0f" : v >= 1 ? "%.1f" : "%.2f", v);
    return text;
}

void SetRgb(int rgb) {
    SetColor(rgb >> 16, (rgb >> 8) & 255, rgb & 255);
}

std::vector<Point> ReadPoints(const std::string& path) {
    std::ifstream in(path);
    std::vector<Point> points;
    Point p{};
    while (in >> p.panel >> p.series >> p.side >> p.value)
        if (p.panel >= 0 && p.panel < 2 && p.series >= 0 && p.series < 2 && p.side > 0)
            points.push_back(p);
    return points;
}

// The axis caption and which colour is before, which after.
void DrawLegend(const int colours[2]) {
    SetColor(0, 0, 0);
    DrawText("island side, cells (doubling)", 250, 462);
    SetRgb(colours[0]);
    DrawRect(440, 8, 10, 10);
    SetColor(0, 0, 0);
    DrawText("before", 456, 6);
    SetRgb(colours[1]);
    DrawRect(530, 8, 10, 10);
    SetColor(0, 0, 0);
    DrawText("after", 546, 6);
}

} // namespace

int PlotMain(const Options& options) {
    const std::vector<Point> points = ReadPoints(options.Get("data", ""));
    if (points.empty() || !OpenGraphics(640, 480, 0, 60, 0)) return 1;
    const std::string titles[2] = {options.Get("title0", "frame time, ms"),
                                   options.Get("title1", "logic per pass, us")};
    const int colours[2] = {0x909090, 0x30C060}; // before, after
    double minSide = 1e9, maxSide = 0;
    for (const Point& q : points)
        minSide = std::min(minSide, q.side), maxSide = std::max(maxSide, q.side);
    const double span = std::max(1.0, std::log2(maxSide / minSide));

    SetColor(255, 255, 255);
    Cls();
    SetBlend(BLEND_SOLID);
    SetColor(250, 250, 250);
    DrawRect(0, 0, 640, 480);
    SetBlend(BLEND_ALPHA); // text: only the glyphs' own pixels
    for (int panel = 0; panel < 2; ++panel) {
        const float left = 70, right = 610, top = 40.0f + panel * 220, bottom = top + 160;
        double maxValue = 0;
        for (const Point& q : points)
            if (q.panel == panel) maxValue = std::max(maxValue, q.value);
        maxValue = maxValue > 0 ? maxValue * 1.15 : 1;
        const auto px = [&](double side) {
            return left + static_cast<float>(std::log2(side / minSide) / span) * (right - left);
        };
        const auto py = [&](double value) {
            return bottom - static_cast<float>(value / maxValue) * (bottom - top);
        };
        SetColor(0, 0, 0);
        DrawText(titles[panel], left, top - 26);
        Line(left, bottom, right, bottom, 1);
        Line(left, top, left, bottom, 1);
        for (int tick = 0; tick <= 4; ++tick) {
            const double v = maxValue * tick / 4;
            SetColor(220, 220, 220);
            if (tick > 0) Line(left + 1, py(v), right, py(v), 1);
            SetColor(0, 0, 0);
            DrawText(Label(v), 4, py(v) - 8);
        }
        for (double side = minSide; side <= maxSide * 1.01; side *= 2) {
            const std::string text = std::to_string(static_cast<int>(side));
            DrawText(text, px(side) - 4.0f * text.size(), bottom + 4);
        }
        for (int series = 0; series < 2; ++series) {
            SetRgb(colours[series]);
            const Point* last = nullptr;
            for (const Point& q : points) {
                if (q.panel != panel || q.series != series) continue;
                DrawRect(px(q.side) - 3, py(q.value) - 3, 6, 6);
                if (last) Line(px(last->side), py(last->value), px(q.side), py(q.value), 2);
                last = &q;
            }
        }
    }
    DrawLegend(colours);
    const bool ok = CaptureFrame(options.Get("out", "performance.png"));
    CloseGraphics();
    return ok ? 0 : 1;
}

} // namespace bench
