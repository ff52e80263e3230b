#include "media/gfx/png_decoder.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include <png.h>

#include "media/files.h"
#include "media/gfx/image_data.h"

namespace {

struct MemoryReader {
    const uint8_t* data;
    size_t size;
    size_t offset;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (length > reader->size - reader->offset) png_error(png, "truncated");
    std::memcpy(out, reader->data + reader->offset, length);
    reader->offset += length;
}

void ReadFromFile(png_structp png, png_bytep out, png_size_t length) {
    auto* file = static_cast<FILE*>(png_get_io_ptr(png));
    if (std::fread(out, 1, length, file) != length) png_error(png, "truncated");
}

constexpr double kMaxDeflateRatio = 1100; // 1032:1 plus room for rounding

[[noreturn]] void OnError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void OnWarning(png_structp, png_const_charp) {}

// Everything that must survive a longjmp lives outside Decode's frame.
struct DecodeJob {
    png_rw_ptr read;
    void* source;
    size_t sourceBytes; // whole file, to judge whether the header can be true
    int maxSide;
    PixmapPtr result;
    std::vector<png_bytep> rows;
};

// Deflate shrinks data at most about 1032:1, so a file far smaller than its
// pixel stream / 1032 must be cut short: refuse it before reserving memory.
void RefuseTruncatedStream(png_structp png, png_infop info, const DecodeJob& job,
                           png_uint_32 height) {
    const double streamBytes = (static_cast<double>(png_get_rowbytes(png, info)) + 1) * height;
    if (streamBytes / kMaxDeflateRatio > static_cast<double>(job.sourceBytes))
        png_error(png, "file too small for its size");
}

// Every PNG kind becomes 8-bit grey, RGB or RGBA, not interlaced.
void AskForEightBitChannels(png_structp png, png_infop info, int bitDepth, int colorType) {
    if (bitDepth == 16) png_set_strip_16(png);
    if (colorType == PNG_COLOR_TYPE_PALETTE) {
        png_set_palette_to_rgb(png);
        if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
    } else if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) {
        png_set_expand_gray_1_2_4_to_8(png);
    } else if (colorType == PNG_COLOR_TYPE_GRAY_ALPHA) {
        png_set_gray_to_rgb(png);
    }
    if (bitDepth < 8) png_set_packing(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
}

int PixelFormatOf(png_structp png, png_infop info) {
    switch (png_get_channels(png, info)) {
    case 1:
        return PF_I8;
    case 3:
        return PF_RGB888;
    case 4:
        return PF_RGBA8888;
    default:
        png_error(png, "unexpected channel count");
    }
}

// Called after the header is read and the format set; a decode error longjmps
// out of here, so no locals with destructors.
void ReadPixels(png_structp png, png_infop info, DecodeJob& job, png_uint_32 width,
                png_uint_32 height) {
    const int format = PixelFormatOf(png, info);
    const size_t pitch = size_t{width} * static_cast<size_t>(png_get_channels(png, info));
    if (png_get_rowbytes(png, info) != pitch) png_error(png, "unexpected row size");
    if (width == 0 || height == 0 || pitch * height > media_internal::kPngMaxBytes)
        png_error(png, "too large");
    job.result = std::make_shared<Pixmap>();
    Pixmap* pixmap = job.result.get();
    pixmap->width = static_cast<int>(width);
    pixmap->height = static_cast<int>(height);
    pixmap->pitch = static_cast<int>(pitch);
    pixmap->format = format;
    pixmap->pixels.resize(pitch * height);
    job.rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
        job.rows[y] = pixmap->pixels.data() + pitch * y;
    png_read_image(png, job.rows.data());
    png_read_end(png, nullptr);
}

void Decode(DecodeJob& job) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (!png) return;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return;
    }
    if (setjmp(png_jmpbuf(png))) {
        job.result.reset();
        png_destroy_read_struct(&png, &info, nullptr);
        return;
    }
    png_set_read_fn(png, job.source, job.read);
    png_set_user_limits(png, job.maxSide, job.maxSide);
    png_set_chunk_malloc_max(png, 16 << 20);
    png_read_info(png, info);

    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colorType = 0, interlace = 0;
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colorType, &interlace, nullptr, nullptr);
    RefuseTruncatedStream(png, info, job, height);
    AskForEightBitChannels(png, info, bitDepth, colorType);
    ReadPixels(png, info, job, width, height);
    png_destroy_read_struct(&png, &info, nullptr);
}

} // namespace

PixmapPtr media_internal::DecodePngFile(const std::string& realPath, int maxSide) {
    size_t size = 0;
    FILE* file = OpenRegularFile(realPath, size);
    if (!file) return nullptr;
    DecodeJob job{ReadFromFile, file, size, maxSide, nullptr, {}};
    Decode(job);
    std::fclose(file);
    return job.result;
}

PixmapPtr media_internal::DecodePngMemory(const uint8_t* data, size_t size) {
    MemoryReader reader{data, size, 0};
    DecodeJob job{ReadFromMemory, &reader, size, kPngMaxSide, nullptr, {}};
    Decode(job);
    return job.result;
}
