#include "media/gfx/texture_atlas.h"

#include <algorithm>

#include <malloc.h>

namespace media_internal {

namespace {
constexpr int kWhiteBlock = 4; // aligned so the last mip level keeps one white texel

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

void TextureAtlas::RestorePixels() {
    GLuint framebuffer = 0;
    for (Page& page : pages_) {
        if (!page.texture || !page.owner) continue;
        if (!framebuffer) gl.GenFramebuffers(1, &framebuffer);
        gl.BindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
        gl.FramebufferTexture2D(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D,
                                page.texture, 0);
        std::vector<uint8_t>& rgba = page.owner->rgba;
        rgba.resize(static_cast<size_t>(page.ownerWidth) * page.ownerHeight * 4);
        gl.PixelStorei(GL_PACK_ALIGNMENT, 1);
        // Uploaded top row first, so texture row 0 is the picture's top row.
        gl.ReadPixels(kPadding, kPadding, page.ownerWidth, page.ownerHeight, GL_RGBA,
                      GL_UNSIGNED_BYTE, rgba.data());
        page.owner = nullptr;
    }
    if (framebuffer) gl.DeleteFramebuffers(1, &framebuffer);
}

void TextureAtlas::Close() {
    for (Page& page : pages_)
        if (page.texture) gl.DeleteTextures(1, &page.texture);
    pages_.clear();
}

int TextureAtlas::NewPage(int width, int height, bool shared, int levels) {
    size_t index = 0;
    while (index < pages_.size() && pages_[index].texture)
        ++index;
    if (index == pages_.size()) pages_.emplace_back();
    Page& page = pages_[index];
    page = Page{};
    page.width = width;
    page.height = height;
    page.shared = shared;
    page.levels = levels;
    gl.GenTextures(1, &page.texture);
    gl.BindTexture(GL_TEXTURE_2D, page.texture);
    gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
    gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, levels - 1);
    // Shared pages are zero-filled so unused space never shows garbage through
    // a filter; a page of its own is filled whole by its frame.
    std::vector<uint8_t> zeros(shared ? static_cast<size_t>(width) * height * 4 : 0, 0);
    for (int level = 0; level < levels; ++level)
        gl.TexImage2D(GL_TEXTURE_2D, level, GL_RGBA8, std::max(1, width >> level),
                      std::max(1, height >> level), 0, GL_RGBA, GL_UNSIGNED_BYTE,
                      shared ? zeros.data() : nullptr);
    if (shared) {
        std::vector<uint8_t> white(static_cast<size_t>(kWhiteBlock) * kWhiteBlock * 4, 255);
        Upload(page, 0, 0, kWhiteBlock, kWhiteBlock, white.data(), kWhiteBlock, kWhiteBlock);
        page.shelves.push_back(Shelf{0, kWhiteBlock, kWhiteBlock});
        page.nextShelfY = kWhiteBlock;
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
    const int pad = kPadding;
    const size_t level0 = static_cast<size_t>(blockW) * blockH * 4;
    scratch_.resize(page.levels > 1 ? level0 + level0 / 4 + level0 / 16 : level0);
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
    for (int level = 0; level < page.levels; ++level) {
        gl.TexSubImage2D(GL_TEXTURE_2D, level, x >> level, y >> level, w, h, GL_RGBA,
                         GL_UNSIGNED_BYTE, levelData);
        if (level + 1 == page.levels || w < 2 || h < 2) break;
        uint8_t* next = levelData + static_cast<size_t>(w) * h * 4;
        Downsample(levelData, w, h, next);
        levelData = next;
        w /= 2;
        h /= 2;
    }
    // A large picture's block is not worth keeping around for the next upload.
    if (scratch_.size() > (256u << 10)) std::vector<uint8_t>().swap(scratch_);
}

bool TextureAtlas::Place(ImageFrame& frame, int width, int height, unsigned generation,
                         bool mipmapped) {
    AtlasSlot& slot = frame.slot;
    slot = AtlasSlot{};
    slot.generation = generation;
    if (width <= 0 || height <= 0 || frame.rgba.size() != static_cast<size_t>(width) * height * 4) {
        slot.failed = true;
        return false;
    }
    const int blockW = RoundUp4(width + 2 * kPadding);
    const int blockH = RoundUp4(height + 2 * kPadding);
    const int levels = mipmapped ? kMipLevels : 1;
    // Mipmapped frames are a font's glyphs: a smaller page holds a screen's worth.
    const int pageSize = mipmapped ? pageSize_ / 2 : pageSize_;
    int pageIndex = -1, x = 0, y = 0;
    if (blockW <= pageSize / 2 && blockH <= pageSize / 2) {
        for (size_t i = 0; i < pages_.size() && pageIndex < 0; ++i)
            if (pages_[i].texture && pages_[i].shared && pages_[i].levels == levels &&
                Allocate(pages_[i], blockW, blockH, x, y))
                pageIndex = static_cast<int>(i);
        if (pageIndex < 0) {
            pageIndex = NewPage(pageSize, pageSize, true, levels);
            Allocate(pages_[pageIndex], blockW, blockH, x, y);
        }
    } else if (blockW <= maxTextureSize_ && blockH <= maxTextureSize_) {
        pageIndex = NewPage(blockW, blockH, false, levels);
    } else {
        slot.failed = true;
        return false;
    }
    Page& page = pages_[pageIndex];
    Upload(page, x, y, blockW, blockH, frame.rgba.data(), width, height);
    slot.opaque = slot.binaryAlpha = true;
    for (size_t i = 3; i < frame.rgba.size(); i += 4) {
        const uint8_t a = frame.rgba[i];
        if (a != 255) slot.opaque = false;
        if (a != 255 && a != 0) slot.binaryAlpha = false;
    }
    if (!page.shared) {
        // A picture's pixels live on in its texture; RestorePixels brings them
        // back before a mode change needs them again.
        std::vector<uint8_t>().swap(frame.rgba);
        page.owner = &frame;
        page.ownerWidth = width;
        page.ownerHeight = height;
    }
    ++page.live;
    slot.page = pageIndex;
    slot.u0 = static_cast<float>(x + kPadding) / page.width;
    slot.v0 = static_cast<float>(y + kPadding) / page.height;
    slot.u1 = static_cast<float>(x + kPadding + width) / page.width;
    slot.v1 = static_cast<float>(y + kPadding + height) / page.height;
    return true;
}

bool TextureAtlas::Release(int index) {
    if (index < 0 || index >= static_cast<int>(pages_.size())) return false;
    Page& page = pages_[index];
    if (!page.texture || --page.live > 0) return false;
    gl.DeleteTextures(1, &page.texture);
    const bool large = static_cast<size_t>(page.width) * page.height >= (256u << 10);
    page = Page{};
    // A picture's texture is big and freed in the middle of the heap: hand the
    // memory back to the system instead of keeping it resident (a glibc
    // call; other C libraries, such as the browser build's, keep the heap).
#ifdef __GLIBC__
    if (large) malloc_trim(0);
#else
    (void)large;
#endif
    return true;
}

int TextureAtlas::AnyPage() {
    for (size_t i = 0; i < pages_.size(); ++i)
        if (pages_[i].texture && pages_[i].shared) return static_cast<int>(i);
    return NewPage(pageSize_, pageSize_, true, 1);
}

void TextureAtlas::WhiteTexel(int index, float& u, float& v) const {
    const Page& page = pages_[index];
    u = 1.5f / page.width;
    v = 1.5f / page.height;
}

} // namespace media_internal
