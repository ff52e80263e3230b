// PNG decoding of every colour type and bit depth, hostile files, and the one
// PNG writer read back.
#include <fstream>

#include <sys/resource.h>
#include <zlib.h>

#include "graphics_test_support.h"
#include "media/gfx/image_data.h"
#include "media/gfx/native/png_writer.h"
#include "media/gfx/png_decoder.h"

namespace {
PngFixture Fixture(int w, int h, int colorType, int bitDepth, std::vector<uint8_t> rows) {
    PngFixture fixture;
    fixture.width = w;
    fixture.height = h;
    fixture.colorType = colorType;
    fixture.bitDepth = bitDepth;
    fixture.rows = std::move(rows);
    return fixture;
}

PixmapPtr RoundTrip(const TempDir& scratch, const PngFixture& fixture) {
    const std::string path = scratch / "fixture.png";
    if (!WriteTestPng(path, fixture)) return nullptr;
    return LoadPixmapFile(path);
}

long PeakMemoryKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}
} // namespace

TEST(PngDecode, GreyTypesBecomeIntensityOrRgba) {
    TempDir scratch;
    PixmapPtr grey = RoundTrip(scratch, Fixture(2, 1, PNG_COLOR_TYPE_GRAY, 8, {0x00, 0x7F}));
    ASSERT_TRUE(grey);
    EXPECT_EQ(PixmapFormat(grey), PF_I8);
    EXPECT_EQ(ReadPixel(grey, 1, 0), 0xFF7F7F7Fu);

    // 1-bit grey: 1 0 1 1 expands to full white and black.
    PixmapPtr bits = RoundTrip(scratch, Fixture(4, 1, PNG_COLOR_TYPE_GRAY, 1, {0xB0}));
    ASSERT_TRUE(bits);
    EXPECT_EQ(PixmapFormat(bits), PF_I8);
    EXPECT_EQ(ReadPixel(bits, 0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(ReadPixel(bits, 1, 0), 0xFF000000u);
    EXPECT_EQ(ReadPixel(bits, 3, 0), 0xFFFFFFFFu);

    // 16-bit grey keeps the high byte.
    PixmapPtr deep = RoundTrip(scratch, Fixture(1, 1, PNG_COLOR_TYPE_GRAY, 16, {0xAB, 0xCD}));
    ASSERT_TRUE(deep);
    EXPECT_EQ(ReadPixel(deep, 0, 0), 0xFFABABABu);

    PixmapPtr greyAlpha =
        RoundTrip(scratch, Fixture(1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {0x40, 0x80}));
    ASSERT_TRUE(greyAlpha);
    EXPECT_EQ(PixmapFormat(greyAlpha), PF_RGBA8888);
    EXPECT_EQ(ReadPixel(greyAlpha, 0, 0), 0x80404040u);
}

TEST(PngDecode, ColourAndPaletteTypes) {
    TempDir scratch;
    PixmapPtr rgb = RoundTrip(scratch, Fixture(1, 2, PNG_COLOR_TYPE_RGB, 8, {1, 2, 3, 4, 5, 6}));
    ASSERT_TRUE(rgb);
    EXPECT_EQ(PixmapFormat(rgb), PF_RGB888);
    EXPECT_EQ(ReadPixel(rgb, 0, 1), Rgb(4, 5, 6));

    PixmapPtr rgb16 =
        RoundTrip(scratch, Fixture(1, 1, PNG_COLOR_TYPE_RGB, 16, {0x11, 0, 0x22, 0, 0x33, 0xFF}));
    ASSERT_TRUE(rgb16);
    EXPECT_EQ(ReadPixel(rgb16, 0, 0), Rgb(0x11, 0x22, 0x33));

    PixmapPtr rgba = RoundTrip(scratch, Fixture(1, 1, PNG_COLOR_TYPE_RGB_ALPHA, 8, {9, 8, 7, 6}));
    ASSERT_TRUE(rgba);
    EXPECT_EQ(PixmapFormat(rgba), PF_RGBA8888);
    EXPECT_EQ(ReadPixel(rgba, 0, 0), 0x06090807u);

    // 4-bit palette: indices 1 and 2.
    PngFixture palette = Fixture(2, 1, PNG_COLOR_TYPE_PALETTE, 4, {0x12});
    palette.palette = {{0, 0, 0}, {255, 0, 0}, {0, 0, 200}};
    PixmapPtr indexed = RoundTrip(scratch, palette);
    ASSERT_TRUE(indexed);
    EXPECT_EQ(PixmapFormat(indexed), PF_RGB888);
    EXPECT_EQ(ReadPixel(indexed, 0, 0), Rgb(255, 0, 0));
    EXPECT_EQ(ReadPixel(indexed, 1, 0), Rgb(0, 0, 200));

    palette.paletteAlpha = {255, 0x33};
    PixmapPtr transparent = RoundTrip(scratch, palette);
    ASSERT_TRUE(transparent);
    EXPECT_EQ(PixmapFormat(transparent), PF_RGBA8888);
    EXPECT_EQ(ReadPixel(transparent, 0, 0), 0x33FF0000u);
    EXPECT_EQ(ReadPixel(transparent, 1, 0), 0xFF0000C8u) << "entries past tRNS are opaque";
}

TEST(PngDecode, InterlacedPicturesDecodeLikePlainOnes) {
    TempDir scratch;
    PngFixture fixture = Fixture(13, 11, PNG_COLOR_TYPE_RGB, 8, {});
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 13; ++x)
            fixture.rows.insert(fixture.rows.end(),
                                {uint8_t(x * 19), uint8_t(y * 23), uint8_t(x ^ y)});
    fixture.interlaced = true;
    PixmapPtr pixmap = RoundTrip(scratch, fixture);
    ASSERT_TRUE(pixmap);
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 13; ++x)
            ASSERT_EQ(ReadPixel(pixmap, x, y), Rgb(x * 19, y * 23, x ^ y)) << x << "," << y;
}

TEST(PngDecode, HostileFilesGiveNullWithoutHugeAllocations) {
    TempDir scratch;
    PngFixture fixture =
        Fixture(64, 64, PNG_COLOR_TYPE_RGB, 8, std::vector<uint8_t>(64 * 64 * 3, 0x5A));
    const std::string good = scratch / "good.png";
    ASSERT_TRUE(WriteTestPng(good, fixture));
    const std::string bytes = ReadBytes(good);
    ASSERT_TRUE(media_internal::DecodePngMemory(reinterpret_cast<const uint8_t*>(bytes.data()),
                                                bytes.size()));

    const auto decode = [](const std::string& data) {
        return media_internal::DecodePngMemory(reinterpret_cast<const uint8_t*>(data.data()),
                                               data.size());
    };
    // Cut short at many points, including inside the header and the pixel data.
    for (size_t cut : {size_t{0}, size_t{7}, size_t{8}, size_t{20}, size_t{33}, size_t{60},
                       bytes.size() / 2, bytes.size() - 13})
        EXPECT_FALSE(decode(bytes.substr(0, cut))) << "cut at " << cut;

    // A flipped bit in the pixel data breaks the chunk checksum.
    std::string corrupt = bytes;
    corrupt[bytes.size() / 2] ^= 0x10;
    EXPECT_FALSE(decode(corrupt));

    // Headers claiming absurd sizes (the checksum is fixed up so only the size
    // is wrong): refused before any pixel memory is reserved.
    const auto withSize = [&](uint32_t w, uint32_t h, uint8_t colourType = 2) {
        std::string data = bytes;
        const unsigned char size[8] = {uint8_t(w >> 24), uint8_t(w >> 16), uint8_t(w >> 8),
                                       uint8_t(w),       uint8_t(h >> 24), uint8_t(h >> 16),
                                       uint8_t(h >> 8),  uint8_t(h)};
        std::copy(size, size + 8, data.begin() + 16);
        data[25] = static_cast<char>(colourType);
        const uint32_t crc =
            static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(data.data() + 12), 17));
        for (int i = 0; i < 4; ++i)
            data[29 + i] = static_cast<char>(crc >> (24 - 8 * i));
        return data;
    };
    EXPECT_FALSE(decode(withSize(100000, 100000)));
    EXPECT_FALSE(decode(withSize(16384, 16384))) << "1 GiB of RGB is over the cap";
    EXPECT_FALSE(decode(withSize(0, 10)));
    EXPECT_FALSE(decode(withSize(64, 128))) << "more rows claimed than stored";
    // Within the side and byte caps (256 MiB of grey) yet far more than a file
    // of a few hundred bytes can hold: refused without touching that memory.
    const long peakBefore = PeakMemoryKiB();
    EXPECT_FALSE(decode(withSize(16384, 16384, 0)));
    EXPECT_LT(PeakMemoryKiB() - peakBefore, 64 * 1024);

    EXPECT_FALSE(decode("\x89PNG\r\n\x1a\n garbage after a valid signature"));
    EXPECT_FALSE(LoadPixmapFile(scratch / "missing.png"));
    const std::string text = scratch / "text.png";
    std::ofstream(text) << "just some text";
    EXPECT_FALSE(LoadPixmapFile(text));
    EXPECT_FALSE(LoadImage(text, -1));
    EXPECT_FALSE(LoadImageStrip(text, 32, 32, 0, 1, -1));

    // The size alone comes from the header as it stands, however large; a
    // caller's own bound on decoding is kept.
    int w = 0, h = 0;
    EXPECT_TRUE(PictureSize(good, w, h) && w == 64 && h == 64);
    const std::string huge = scratch / "huge.png";
    std::ofstream(huge, std::ios::binary) << withSize(100000, 70000);
    EXPECT_TRUE(PictureSize(huge, w, h) && w == 100000 && h == 70000);
    std::ofstream(scratch / "empty.png", std::ios::binary) << withSize(0, 10);
    std::ofstream(scratch / "cut.png", std::ios::binary) << bytes.substr(0, 20);
    for (const char* name : {"missing.png", "text.png", "empty.png", "cut.png"})
        EXPECT_FALSE(PictureSize(scratch / name, w, h)) << name;
    EXPECT_FALSE(LoadPixmapFile(good, 63));
    EXPECT_TRUE(LoadPixmapFile(good, 64));

    // The loader's reason, so the map loader need not ask the disk again.
    const struct {
        std::string path;
        int maxSide, fault;
    } reasons[] = {
        {good, 64, PICTURE_LOADED},           {good, 63, PICTURE_TOO_LARGE},
        {huge, 0, PICTURE_TOO_LARGE},         {scratch / "missing.png", 0, PICTURE_MISSING},
        {text, 0, PICTURE_DAMAGED},           {scratch / "cut.png", 0, PICTURE_DAMAGED},
        {scratch.path(), 0, PICTURE_DAMAGED}, // a folder: there, but no picture
    };
    for (const auto& r : reasons) {
        int fault = -1;
        EXPECT_EQ(LoadPixmapFile(r.path, r.maxSide, &fault) != nullptr, r.fault == PICTURE_LOADED)
            << r.path;
        EXPECT_EQ(fault, r.fault) << r.path << " at most " << r.maxSide;
    }
}

TEST(PngDecode, ReadPixelCoversEveryFormat) {
    auto pixmap = std::make_shared<Pixmap>();
    pixmap->width = 2;
    pixmap->height = 1;
    // Two equal pixels: the row reader must step by the format's size and
    // agree with the single-pixel reader.
    const auto read = [&](int format, std::vector<uint8_t> bytes) {
        pixmap->format = format;
        pixmap->pitch = static_cast<int>(2 * bytes.size());
        pixmap->pixels = bytes;
        pixmap->pixels.insert(pixmap->pixels.end(), bytes.begin(), bytes.end());
        uint32_t row[2] = {};
        ReadPixelRow(pixmap, 0, row);
        EXPECT_EQ(row[0], ReadPixel(pixmap, 0, 0)) << "format " << format;
        EXPECT_EQ(row[1], ReadPixel(pixmap, 0, 0)) << "format " << format;
        return ReadPixel(pixmap, 1, 0);
    };
    EXPECT_EQ(read(PF_I8, {0x12}), 0xFF121212u);
    EXPECT_EQ(read(PF_A8, {0x34}), 0x34FFFFFFu);
    EXPECT_EQ(read(PF_BGR888, {1, 2, 3}), 0xFF030201u);
    EXPECT_EQ(read(PF_RGB888, {1, 2, 3}), 0xFF010203u);
    EXPECT_EQ(read(PF_BGRA8888, {1, 2, 3, 4}), 0x04030201u);
    EXPECT_EQ(read(PF_RGBA8888, {1, 2, 3, 4}), 0x04010203u);
    EXPECT_EQ(ReadPixel(pixmap, 2, 0), 0u) << "outside the buffer";
}

TEST(PngWriter, RoundTripsThroughTheReaderAtEveryLevel) {
    // Odd sizes and every byte value: catches filter, stride and CRC mistakes.
    for (int level :
         {media_internal::kPngFastest, media_internal::kPngDefault, media_internal::kPngSmallest})
        for (int channels : {3, 4}) {
            const int w = 37, h = 11;
            std::vector<uint8_t> px(static_cast<size_t>(w) * h * channels);
            for (size_t i = 0; i < px.size(); ++i)
                px[i] = static_cast<uint8_t>(i * 7 + i / 13);
            const std::vector<uint8_t> png = media_internal::EncodePng(w, h, channels, px, level);
            const PixmapPtr d = media_internal::DecodePngMemory(png.data(), png.size());
            ASSERT_TRUE(d) << channels << " channels, level " << level;
            ASSERT_EQ(d->width, w);
            ASSERT_EQ(d->height, h);
            EXPECT_EQ(d->format, channels == 4 ? PF_RGBA8888 : PF_RGB888);
            ASSERT_EQ(d->pixels, px) << channels << " channels, level " << level;
        }
}

TEST(PngWriter, RefusesInconsistentInput) {
    EXPECT_TRUE(media_internal::EncodePng(4, 4, 3, std::vector<uint8_t>(10)).empty());
    EXPECT_TRUE(media_internal::EncodePng(0, 4, 4, {}).empty());
    EXPECT_TRUE(media_internal::EncodePng(2, 2, 2, std::vector<uint8_t>(8)).empty());
    TempDir scratch;
    const uint8_t pixel[3] = {1, 2, 3};
    EXPECT_TRUE(media_internal::WritePng(scratch / "one.png", 1, 1, 3, pixel));
    EXPECT_FALSE(media_internal::WritePng(scratch / "no/such/dir/one.png", 1, 1, 3, pixel));
    EXPECT_FALSE(media_internal::WritePng(scratch / "none.png", 1, 1, 3, nullptr));
}
