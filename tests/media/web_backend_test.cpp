// The browser backend's own PNG decoder and key translation, checked on the
// desktop: the page must see the same pixels and key codes the desktop does.
#include <filesystem>
#include <fstream>

#include <zlib.h>

#include "graphics_test_support.h"
#include "media/gfx/image_data.h"
#include "media/gfx/png_decoder.h"
#include "media/gfx/web/png_format.h"
#include "media/input/web/dom_keys.h"
#include "media/keyboard.h"
#include "media/language.h"
#include "media/system/mo_catalog.h"
#include "media/test_seams.h"

namespace {

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

PixmapPtr DesktopDecode(const std::string& bytes) {
    return media_internal::DecodePngMemory(reinterpret_cast<const uint8_t*>(bytes.data()),
                                           bytes.size());
}

PixmapPtr WebDecode(const std::string& bytes) {
    return media_internal::DecodePngBytes(reinterpret_cast<const uint8_t*>(bytes.data()),
                                          bytes.size(), media_internal::kPngMaxSide);
}

void ExpectSameDecoding(const std::string& bytes, const std::string& what) {
    const PixmapPtr want = DesktopDecode(bytes);
    const PixmapPtr got = WebDecode(bytes);
    ASSERT_TRUE(want) << what;
    ASSERT_TRUE(got) << what;
    EXPECT_EQ(got->format, want->format) << what;
    EXPECT_EQ(got->width, want->width) << what;
    EXPECT_EQ(got->height, want->height) << what;
    EXPECT_EQ(got->pitch, want->pitch) << what;
    EXPECT_TRUE(got->pixels == want->pixels) << what;
}

// A picture of every PNG kind, 13 x 7 so rows end inside a byte and every
// row filter gets used.
PngFixture Kind(int colorType, int bitDepth) {
    PngFixture fixture;
    fixture.width = 13;
    fixture.height = 7;
    fixture.colorType = colorType;
    fixture.bitDepth = bitDepth;
    const int channels = colorType == PNG_COLOR_TYPE_RGB_ALPHA    ? 4
                         : colorType == PNG_COLOR_TYPE_RGB        ? 3
                         : colorType == PNG_COLOR_TYPE_GRAY_ALPHA ? 2
                                                                  : 1;
    const size_t rowBytes = (13u * channels * bitDepth + 7) / 8;
    for (size_t i = 0; i < rowBytes * 7; ++i)
        fixture.rows.push_back(static_cast<uint8_t>(i * 37 + i / rowBytes * 11));
    if (colorType == PNG_COLOR_TYPE_PALETTE) {
        for (int c = 0; c < (1 << bitDepth); ++c)
            fixture.palette.push_back({uint8_t(c * 9), uint8_t(255 - c), uint8_t(c * 3)});
        fixture.paletteAlpha = {0, 128, 255};
    }
    return fixture;
}

} // namespace

TEST(WebBackend, OwnPngDecoderGivesTheDesktopsPixels) {
    namespace fs = std::filesystem;
    int pictures = 0;
    for (const auto& entry : fs::recursive_directory_iterator(PALMUT_ASSET_DIR))
        if (entry.path().extension() == ".png") {
            ExpectSameDecoding(FileBytes(entry.path().string()), entry.path().string());
            ++pictures;
        }
    EXPECT_GT(pictures, 50);

    TempDir scratch;
    const std::string path = scratch / "kind.png";
    const std::pair<int, int> kinds[] = {
        {PNG_COLOR_TYPE_GRAY, 1},        {PNG_COLOR_TYPE_GRAY, 2},
        {PNG_COLOR_TYPE_GRAY, 4},        {PNG_COLOR_TYPE_GRAY, 8},
        {PNG_COLOR_TYPE_GRAY, 16},       {PNG_COLOR_TYPE_GRAY_ALPHA, 8},
        {PNG_COLOR_TYPE_GRAY_ALPHA, 16}, {PNG_COLOR_TYPE_RGB, 8},
        {PNG_COLOR_TYPE_RGB, 16},        {PNG_COLOR_TYPE_RGB_ALPHA, 8},
        {PNG_COLOR_TYPE_RGB_ALPHA, 16},  {PNG_COLOR_TYPE_PALETTE, 1},
        {PNG_COLOR_TYPE_PALETTE, 2},     {PNG_COLOR_TYPE_PALETTE, 4},
        {PNG_COLOR_TYPE_PALETTE, 8},
    };
    for (const auto& [type, depth] : kinds) {
        ASSERT_TRUE(WriteTestPng(path, Kind(type, depth)));
        ExpectSameDecoding(FileBytes(path),
                           "type " + std::to_string(type) + " depth " + std::to_string(depth));
    }
}

TEST(WebBackend, OwnPngDecoderRefusesDamage) {
    TempDir scratch;
    const std::string path = scratch / "good.png";
    PngFixture fixture = Kind(PNG_COLOR_TYPE_RGB, 8);
    ASSERT_TRUE(WriteTestPng(path, fixture));
    const std::string bytes = FileBytes(path);
    ASSERT_TRUE(WebDecode(bytes));
    for (size_t cut : {size_t{0}, size_t{8}, size_t{33}, bytes.size() / 2, bytes.size() - 13})
        EXPECT_FALSE(WebDecode(bytes.substr(0, cut))) << "cut at " << cut;
    for (size_t at = 8; at < bytes.size(); at += 7) {
        std::string flipped = bytes;
        flipped[at] ^= 0x10;
        EXPECT_FALSE(WebDecode(flipped)) << "flipped byte " << at;
    }
    EXPECT_FALSE(media_internal::DecodePngBytes(reinterpret_cast<const uint8_t*>(bytes.data()),
                                                bytes.size(), 12))
        << "wider than asked for";
    // A chunk type is four letters: anything else is damage on the desktop too.
    const std::string body("\xFF\xFF\xFF\xFFx", 5);
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(body.data()), 5);
    std::string oddChunk = std::string("\0\0\0\1", 4) + body;
    for (int i = 0; i < 4; ++i)
        oddChunk += static_cast<char>(crc >> (24 - 8 * i));
    const std::string odd = std::string(bytes).insert(bytes.size() - 12, oddChunk);
    EXPECT_FALSE(DesktopDecode(odd));
    EXPECT_FALSE(WebDecode(odd)) << "chunk type not made of letters";
    // Interlaced pictures are refused: the game ships none.
    fixture.interlaced = true;
    ASSERT_TRUE(WriteTestPng(path, fixture));
    EXPECT_FALSE(WebDecode(FileBytes(path)));
}

TEST(WebBackend, PageKeysGiveTheDesktopsKeyCodes) {
    struct Row {
        const char* key;
        const char* code;
        int vk;
    };
    // Letters and digits by what the key types; the rest by position.
    const Row rows[] = {
        {"z", "KeyY", KEY_Z},
        {"A", "KeyA", KEY_A},
        {"\xD1\x84", "KeyA", KEY_A},
        {"1", "Digit1", KEY_0 + 1},
        {"&", "Digit1", KEY_0 + 1},
        {"1", "Numpad1", 97},
        {"Enter", "Enter", KEY_ENTER},
        {"Enter", "NumpadEnter", KEY_ENTER},
        {"Escape", "Escape", KEY_ESCAPE},
        {" ", "Space", KEY_SPACE},
        {"ArrowUp", "ArrowUp", KEY_UP},
        {"Shift", "ShiftRight", KEY_RSHIFT},
        {"AltGraph", "AltRight", KEY_RALT},
        {"F5", "F5", KEY_F5},
        {"\xC3\xB6", "Semicolon", 0xBA},
        {"Unidentified", "", 0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(media_internal::VirtualKeyFromDom(row.key, row.code), row.vk)
            << row.key << " " << row.code;
    EXPECT_EQ(media_internal::TypedCharFromDom("\xC3\xA4"), U'\u00E4');
    EXPECT_EQ(media_internal::TypedCharFromDom("a"), U'a');
    EXPECT_EQ(media_internal::TypedCharFromDom("Enter"), 0u);
    EXPECT_EQ(media_internal::TypedCharFromDom("Dead"), 0u);
}

TEST(WebBackend, OwnCatalogReaderTranslatesAsGettextDoes) {
    const std::string locales = PALMUT_ASSET_DIR "/locale";
    const std::string bytes = FileBytes(locales + "/en/LC_MESSAGES/palmut.mo");
    std::unordered_map<std::string, std::string> texts;
    ASSERT_TRUE(media_internal::ParseMoCatalog(reinterpret_cast<const uint8_t*>(bytes.data()),
                                               bytes.size(), texts));
    EXPECT_GT(texts.size(), 50u);
    ASSERT_TRUE(UseCatalog(locales, "en"));
    for (const auto& [german, english] : texts)
        EXPECT_STREQ(english.c_str(), Translate(german.c_str())) << german; // a count's first form
    ResetMediaForTests();

    // Cut short or with a table pointing past the end: refused, nothing kept.
    for (size_t cut : {size_t{0}, size_t{19}, size_t{28}, bytes.size() / 2})
        EXPECT_FALSE(media_internal::ParseMoCatalog(reinterpret_cast<const uint8_t*>(bytes.data()),
                                                    cut, texts))
            << "cut at " << cut;
    EXPECT_TRUE(texts.empty());

    // Tables whose strings overlap, each entry longer than the last: a small
    // file would ask for far more text than it holds.
    std::string overlapping(4096, 'x');
    const auto word = [&](size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i)
            overlapping[at + i] = static_cast<char>(value >> (8 * i));
    };
    const uint32_t count = 200, originals = 20, translations = originals + count * 8;
    word(0, 0x950412de), word(8, count), word(12, originals), word(16, translations);
    for (uint32_t i = 0; i < count; ++i) {
        word(originals + i * 8, i + 1), word(originals + i * 8 + 4, 2048);
        word(translations + i * 8, 2048), word(translations + i * 8 + 4, 2048);
    }
    EXPECT_FALSE(media_internal::ParseMoCatalog(
        reinterpret_cast<const uint8_t*>(overlapping.data()), overlapping.size(), texts));
    EXPECT_TRUE(texts.empty());
}
