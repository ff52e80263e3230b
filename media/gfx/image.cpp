// Images: one picture or a strip of cells cut from a sheet, kept as RGBA
// frames so textures can be re-made whenever the graphics mode is re-opened.
#include <cstdint>

#include "media/files.h"
#include "media/gfx/image_data.h"
#include "media/gfx/png_decoder.h"
#include "media/gfx/renderer.h"
#include "media/graphics.h"
#include "media/program.h"

namespace {
bool centredHandles = false;
constexpr int kDefaultImageFlags = IMAGE_MASKED | IMAGE_FILTERED;

const Image& Checked(const ImagePtr& image) {
    if (!image) FatalError("Image does not exist");
    return *image;
}

std::shared_ptr<Image> NewImage(int width, int height, int flags) {
    auto image = std::make_shared<Image>();
    image->width = width;
    image->height = height;
    image->flags = flags == -1 ? kDefaultImageFlags : flags;
    if (centredHandles) {
        image->handleX = width * 0.5f;
        image->handleY = height * 0.5f;
    }
    return image;
}

void AddFrame(Image& image, const Pixmap& sheet, int x, int y) {
    media_internal::ImageFrame frame;
    frame.rgba = media_internal::PixmapRegionToRgba(sheet, x, y, image.width, image.height,
                                                    (image.flags & IMAGE_MASKED) != 0, image.maskR,
                                                    image.maskG, image.maskB);
    image.frames.push_back(std::move(frame));
}
} // namespace

Image::~Image() {
    for (media_internal::ImageFrame& frame : frames)
        ReleaseAtlasSlot(frame.slot);
}

void SetCentredHandles(int flag) {
    centredHandles = flag != 0;
}

ImagePtr LoadImage(const std::string& path, int flags) {
    PixmapPtr sheet =
        media_internal::DecodePngFile(ResolvePath(path), media_internal::kImageMaxSide);
    if (!sheet) return nullptr;
    auto image = NewImage(sheet->width, sheet->height, flags);
    AddFrame(*image, *sheet, 0, 0);
    return image;
}

ImagePtr LoadImageStrip(const std::string& path, int cellWidth, int cellHeight, int first,
                        int count, int flags) {
    if (cellWidth <= 0 || cellHeight <= 0 || first < 0 || count <= 0) return nullptr;
    PixmapPtr sheet =
        media_internal::DecodePngFile(ResolvePath(path), media_internal::kImageMaxSide);
    if (!sheet) return nullptr;
    const int columns = sheet->width / cellWidth;
    const int rows = sheet->height / cellHeight;
    if (int64_t{first} + count > int64_t{columns} * rows) return nullptr;
    if (size_t{static_cast<size_t>(count)} * cellWidth * cellHeight * 4 >
        media_internal::kImageMaxRgbaBytes)
        return nullptr;

    auto image = NewImage(cellWidth, cellHeight, flags);
    image->frames.reserve(count);
    for (int k = 0; k < count; ++k) {
        const int cell = first + k;
        AddFrame(*image, *sheet, (cell % columns) * cellWidth, (cell / columns) * cellHeight);
    }
    return image;
}

ImagePtr media_internal::MakeImageFromRgba(int width, int height, int flags,
                                           std::vector<std::vector<uint8_t>> frames) {
    auto image = std::make_shared<Image>();
    image->width = width;
    image->height = height;
    image->flags = flags;
    image->frames.resize(frames.size());
    for (size_t i = 0; i < frames.size(); ++i)
        image->frames[i].rgba = std::move(frames[i]);
    return image;
}

ImagePtr CreateImage(int width, int height, const uint32_t* argb) {
    if (width <= 0 || height <= 0 || !argb) return nullptr;
    const size_t count = static_cast<size_t>(width) * height;
    std::vector<uint8_t> rgba(count * 4);
    for (size_t i = 0; i < count; ++i) {
        rgba[i * 4] = static_cast<uint8_t>(argb[i] >> 16);
        rgba[i * 4 + 1] = static_cast<uint8_t>(argb[i] >> 8);
        rgba[i * 4 + 2] = static_cast<uint8_t>(argb[i]);
        rgba[i * 4 + 3] = static_cast<uint8_t>(argb[i] >> 24);
    }
    std::vector<std::vector<uint8_t>> frames;
    frames.push_back(std::move(rgba));
    return media_internal::MakeImageFromRgba(width, height, 0, std::move(frames));
}

int ImageWidth(const ImagePtr& image) {
    return Checked(image).width;
}
int ImageHeight(const ImagePtr& image) {
    return Checked(image).height;
}
int ImageFrames(const ImagePtr& image) {
    return static_cast<int>(Checked(image).frames.size());
}
