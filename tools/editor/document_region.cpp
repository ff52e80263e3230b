// Edits of many cells at once: copying, clearing, pasting and moving a region,
// painting a shape's cells, and the scatter brush.
#include <algorithm>

#include "document.h"

namespace editor {
namespace {

// A cell's fate under one scatter seed: a hash of the seed and the cell, so it
// does not depend on the order the stroke visits cells in.
bool ScatterHit(uint32_t seed, int x, int y, int percent) {
    uint32_t h =
        seed ^ (static_cast<uint32_t>(x) * 0x9E3779B1u) ^ (static_cast<uint32_t>(y) * 0x85EBCA77u);
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return static_cast<int>(h % 100) < percent;
}

} // namespace

// Never 0, which means "no seed".
uint32_t Document::NextSeed() {
    const uint32_t seed = seeds_.Next32();
    return seed != 0 ? seed : 1;
}

Region Document::Clamp(Region r) const {
    const int x0 = std::max(r.x, 0), y0 = std::max(r.y, 0);
    const int x1 = std::min(r.x + r.w, Width()), y1 = std::min(r.y + r.h, Height());
    if (x1 <= x0 || y1 <= y0) return {};
    return {x0, y0, x1 - x0, y1 - y0};
}

Clip Document::Copy(Region r) const {
    r = Clamp(r);
    Clip clip;
    clip.w = r.w;
    clip.h = r.h;
    const size_t cells = static_cast<size_t>(r.w) * static_cast<size_t>(r.h);
    clip.ground.reserve(cells);
    clip.items.reserve(cells);
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x) {
            clip.ground.push_back(static_cast<uint8_t>(Ground(x, y)));
            clip.items.push_back(static_cast<uint8_t>(Item(x, y)));
        }
    if (!r.Empty() && r.Has(mark_.x, mark_.y)) {
        clip.markX = mark_.x - r.x;
        clip.markY = mark_.y - r.y;
    }
    return clip;
}

void Document::Clear(Region r) {
    r = Clamp(r);
    if (r.Empty()) return;
    const bool own = !stroking_;
    if (own) BeginStroke();
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x)
            SetCell(x, y, TKarte::SEA, 0);
    if (r.Has(mark_.x, mark_.y)) PutMark({});
    if (own) EndStroke();
}

void Document::Paste(const Clip& clip, int x, int y) {
    if (clip.w <= 0 || clip.h <= 0 ||
        clip.ground.size() != static_cast<size_t>(clip.w) * static_cast<size_t>(clip.h) ||
        clip.items.size() != clip.ground.size())
        return;
    const bool own = !stroking_;
    if (own) BeginStroke();
    for (int cy = 0; cy < clip.h; ++cy)
        for (int cx = 0; cx < clip.w; ++cx) {
            const size_t i = static_cast<size_t>(cy) * static_cast<size_t>(clip.w) + cx;
            SetCell(x + cx, y + cy, clip.ground[i], clip.items[i]);
        }
    if (clip.markX >= 0) PutMark({x + clip.markX, y + clip.markY});
    if (own) EndStroke();
}

void Document::Move(Region r, int dx, int dy) {
    r = Clamp(r);
    if (r.Empty() || (dx == 0 && dy == 0)) return;
    const Clip clip = Copy(r);
    const Region to{r.x + dx, r.y + dy, r.w, r.h};
    const bool own = !stroking_;
    if (own) BeginStroke();
    // Only the cells the region leaves become sea: each cell changes once.
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x)
            if (!to.Has(x, y)) SetCell(x, y, TKarte::SEA, 0);
    Paste(clip, to.x, to.y);
    if (own) EndStroke();
}

void Document::PaintCells(const std::vector<Cell>& cells, Layer layer, int value) {
    const bool own = !stroking_;
    if (own) BeginStroke();
    for (const Cell& c : cells) {
        if (!Contains(c.x, c.y)) continue;
        if (layer == Layer::Ground)
            SetCell(c.x, c.y, value, Item(c.x, c.y));
        else
            SetCell(c.x, c.y, Ground(c.x, c.y), value);
    }
    if (own) EndStroke();
}

int Document::Scatter(int x, int y, int size, int item, int percent) {
    const int r = std::max(size, 1) / 2;
    const bool own = !stroking_;
    if (own) BeginStroke();
    if (open_.seed == 0) open_.seed = NextSeed();
    int placed = 0;
    for (int cy = y - r; cy <= y + r; ++cy)
        for (int cx = x - r; cx <= x + r; ++cx) {
            if (!Contains(cx, cy) || Ground(cx, cy) == TKarte::SEA || Item(cx, cy) != 0 ||
                !ScatterHit(open_.seed, cx, cy, percent))
                continue;
            SetCell(cx, cy, Ground(cx, cy), item);
            ++placed;
        }
    if (own) EndStroke();
    return placed;
}

} // namespace editor
