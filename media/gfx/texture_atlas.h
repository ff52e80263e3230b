// Packs image frames into a few textures so a whole play frame draws from one.
// Small frames share pages, which keep a white block for rectangles; frames
// that ask for mipmaps go to pages with three levels, filled per frame on the
// CPU so adding a frame never re-filters a whole page. Large pictures get a
// texture of their own sized to them, so a picture released frees its memory.
#pragma once

#include <cstdint>
#include <vector>

#include "media/gfx/gl_functions.h"
#include "media/gfx/image_data.h"

namespace media_internal {

class TextureAtlas {
  public:
    // Border each frame gets (its edge pixels repeated) so filtering and the
    // smaller mipmap levels never pick up a neighbour.
    static constexpr int kPadding = 4;
    static constexpr int kMipLevels = 3;

    // Needs a current GL context.
    void Open(int pageSize, int maxTextureSize);
    void Close(); // deletes the textures
    // Uploads `frame` (width x height RGBA) and fills its slot; false when no
    // texture can hold it.
    bool Place(ImageFrame& frame, int width, int height, unsigned generation, bool mipmapped);
    // Returns true when the page became empty and was deleted.
    bool Release(int page);
    // Before the context goes: gives frames whose pixels were dropped after
    // upload their pixels back from their textures, so a new mode can upload them again.
    void RestorePixels();
    // A page to draw rectangles from when nothing else is bound.
    int AnyPage();
    GLuint Texture(int page) const { return pages_[page].texture; }
    // Pages made for one oversized frame have no white block.
    bool HasWhite(int page) const { return pages_[page].texture && pages_[page].shared; }
    // Texture coordinates of a white texel on a page that has one.
    void WhiteTexel(int page, float& u, float& v) const;

  private:
    struct Shelf {
        int y, height, x;
    };
    struct Page {
        GLuint texture = 0;
        int width = 0, height = 0;
        int live = 0;
        bool shared = true;          // false: a page made for one large frame
        int levels = 1;              // mipmap levels stored
        ImageFrame* owner = nullptr; // the frame of a page of its own, pixels dropped
        int ownerWidth = 0, ownerHeight = 0;
        std::vector<Shelf> shelves;
        int nextShelfY = 0;
    };

    int NewPage(int width, int height, bool shared, int levels);
    bool Allocate(Page& page, int w, int h, int& x, int& y);
    void Upload(const Page& page, int x, int y, int blockW, int blockH, const uint8_t* rgba,
                int width, int height);

    std::vector<Page> pages_;
    int pageSize_ = 0;
    int maxTextureSize_ = 0;
    std::vector<uint8_t> scratch_; // padded block and its mip levels
};

} // namespace media_internal
