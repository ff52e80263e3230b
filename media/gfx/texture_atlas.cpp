#include "media/gfx/texture_atlas.h"

#include <algorithm>

namespace {
constexpr int WHITE_BLOCK = 4; // aligned so the last mip level keeps one white texel

int RoundUp4(int v) {
    return (v + 3) & ~3;
}

// Halves an RGBA block (even sizes) by averaging 2 x 2 texels.
void Downsample(const uint8_t* src, int w, int h, uint8_t* dst) {
    const int dw = w / 2, dh = h / 2;
    for (int y = 0; y < dh; ++y) {
        const uint8_t* row0 = src + static_cast<size_t>(2 * y) * w * 4;
        const uint8_t* row1 = row0 + static_cast<size_t>(w) * 4;
        for (int x = 0; x < dw; ++x) {
            for (int c = 0; c < 4; ++c) {
                const int sum =
                    row0[8 * x + c] + row0[8 * x + 4 + c] + row1[8 * x + c] + row1[8 * x + 4 + c];
                dst[(static_cast<size_t>(y) * dw + x) * 4 + c] =
                    static_cast<uint8_t>((sum + 2) / 4);
            }
        }
    }
}
} // namespace

void TextureAtlas::Open(int pageSize, int maxTextureSize) {
    Close();
    pageSize_ = pageSize;
    maxTextureSize_ = maxTextureSize;
}

void TextureAtlas::Close() {
    for (Page& page : pages_)
        if (page.texture) gl.DeleteTextures(1, &page.texture);
    pages_.clear();
}

int TextureAtlas::NewPage(int width, int height, bool shared) {
    size_t index = 0;
    while (index < pages_.size() && pages_[index].texture)
        ++index;
    if (index == pages_.size()) pages_.emplace_back();
    Page& page = pages_[index];
    page = Page{};
    page.width = width;
    page.height = height;
    page.shared = shared;
    gl.GenTextures(1, &page.texture);
    gl.BindTexture(GL_TEXTURE_2D, page.texture);
    gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
    gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, MIP_LEVELS - 1);
    // Zero-filled so unused space never shows garbage through a filter.
    std::vector<uint8_t> zeros(static_cast<size_t>(width) * height * 4, 0);
    for (int level = 0; level < MIP_LEVELS; ++level)
        gl.TexImage2D(GL_TEXTURE_2D, level, GL_RGBA8, std::max(1, width >> level),
                      std::max(1, height >> level), 0, GL_RGBA, GL_UNSIGNED_BYTE, zeros.data());
    if (shared) {
        std::vector<uint8_t> white(WHITE_BLOCK * WHITE_BLOCK * 4, 255);
        Upload(page, 0, 0, WHITE_BLOCK, WHITE_BLOCK, white.data(), WHITE_BLOCK, WHITE_BLOCK);
        page.shelves.push_back(Shelf{0, WHITE_BLOCK, WHITE_BLOCK});
        page.nextShelfY = WHITE_BLOCK;
    }
    return static_cast<int>(index);
}

bool TextureAtlas::Allocate(Page& page, int w, int h, int& x, int& y) {
    for (Shelf& shelf : page.shelves) {
        // Reuse a shelf only when the frame fills most of its height.
        if (h <= shelf.height && h * 4 >= shelf.height * 3 && shelf.x + w <= page.width) {
            x = shelf.x;
            y = shelf.y;
            shelf.x += w;
            return true;
        }
    }
    if (page.nextShelfY + h > page.height || w > page.width) return false;
    page.shelves.push_back(Shelf{page.nextShelfY, h, w});
    x = 0;
    y = page.nextShelfY;
    page.nextShelfY += h;
    return true;
}

void TextureAtlas::Upload(const Page& page, int x, int y, int blockW, int blockH,
                          const uint8_t* rgba, int width, int height) {
    // Level 0: the frame centred in the block, its edge pixels repeated outwards.
    const int pad = PADDING;
    const size_t level0 = static_cast<size_t>(blockW) * blockH * 4;
    scratch_.resize(level0 + level0 / 4 + level0 / 16);
    uint8_t* block = scratch_.data();
    for (int by = 0; by < blockH; ++by) {
        const int sy = std::clamp(by - pad, 0, height - 1);
        for (int bx = 0; bx < blockW; ++bx) {
            const int sx = std::clamp(bx - pad, 0, width - 1);
            const uint8_t* s = rgba + (static_cast<size_t>(sy) * width + sx) * 4;
            std::copy(s, s + 4, block + (static_cast<size_t>(by) * blockW + bx) * 4);
        }
    }
    gl.BindTexture(GL_TEXTURE_2D, page.texture);
    gl.PixelStorei(GL_UNPACK_ALIGNMENT, 1);
    uint8_t* levelData = block;
    int w = blockW, h = blockH;
    for (int level = 0; level < MIP_LEVELS; ++level) {
        gl.TexSubImage2D(GL_TEXTURE_2D, level, x >> level, y >> level, w, h, GL_RGBA,
                         GL_UNSIGNED_BYTE, levelData);
        if (level + 1 == MIP_LEVELS || w < 2 || h < 2) break;
        uint8_t* next = levelData + static_cast<size_t>(w) * h * 4;
        Downsample(levelData, w, h, next);
        levelData = next;
        w /= 2;
        h /= 2;
    }
}

bool TextureAtlas::Place(ImageFrame& frame, int width, int height, unsigned generation) {
    AtlasSlot& slot = frame.slot;
    slot = AtlasSlot{};
    slot.generation = generation;
    if (width <= 0 || height <= 0 || frame.rgba.size() != static_cast<size_t>(width) * height * 4) {
        slot.failed = true;
        return false;
    }
    const int blockW = RoundUp4(width + 2 * PADDING);
    const int blockH = RoundUp4(height + 2 * PADDING);
    int pageIndex = -1, x = 0, y = 0;
    if (blockW <= pageSize_ - WHITE_BLOCK && blockH <= pageSize_ - WHITE_BLOCK) {
        for (size_t i = 0; i < pages_.size() && pageIndex < 0; ++i)
            if (pages_[i].texture && pages_[i].shared && Allocate(pages_[i], blockW, blockH, x, y))
                pageIndex = static_cast<int>(i);
        if (pageIndex < 0) {
            pageIndex = NewPage(pageSize_, pageSize_, true);
            Allocate(pages_[pageIndex], blockW, blockH, x, y);
        }
    } else if (blockW <= maxTextureSize_ && blockH <= maxTextureSize_) {
        pageIndex = NewPage(blockW, blockH, false);
    } else {
        slot.failed = true;
        return false;
    }
    Page& page = pages_[pageIndex];
    Upload(page, x, y, blockW, blockH, frame.rgba.data(), width, height);
    ++page.live;
    slot.page = pageIndex;
    slot.u0 = static_cast<float>(x + PADDING) / page.width;
    slot.v0 = static_cast<float>(y + PADDING) / page.height;
    slot.u1 = static_cast<float>(x + PADDING + width) / page.width;
    slot.v1 = static_cast<float>(y + PADDING + height) / page.height;
    return true;
}

bool TextureAtlas::Release(int index) {
    if (index < 0 || index >= static_cast<int>(pages_.size())) return false;
    Page& page = pages_[index];
    if (!page.texture || --page.live > 0) return false;
    gl.DeleteTextures(1, &page.texture);
    page = Page{};
    return true;
}

int TextureAtlas::AnyPage() {
    for (size_t i = 0; i < pages_.size(); ++i)
        if (pages_[i].texture && pages_[i].shared) return static_cast<int>(i);
    return NewPage(pageSize_, pageSize_, true);
}

void TextureAtlas::WhiteTexel(int index, float& u, float& v) const {
    const Page& page = pages_[index];
    u = 1.5f / page.width;
    v = 1.5f / page.height;
}
