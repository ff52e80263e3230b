// Shared helpers for the drawing tests: an offscreen window per test, PNG
// fixtures written at test time, and pixel comparisons with a tolerance.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <png.h>

#include "media/graphics.h"
#include "media/program.h"
#include "media/test_seams.h"
#include "support/temp_dir.h"

struct PngFixture {
    int width = 1, height = 1;
    int colorType = PNG_COLOR_TYPE_RGB;
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<uint8_t> rows; // packed rows as libpng expects them
    std::vector<png_color> palette;
    std::vector<uint8_t> paletteAlpha; // tRNS for palette images
};

inline bool WriteTestPng(const std::string& path, const PngFixture& fixture) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, fixture.width, fixture.height, fixture.bitDepth, fixture.colorType,
                 fixture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!fixture.palette.empty())
        png_set_PLTE(png, info, fixture.palette.data(), static_cast<int>(fixture.palette.size()));
    if (!fixture.paletteAlpha.empty())
        png_set_tRNS(png, info, fixture.paletteAlpha.data(),
                     static_cast<int>(fixture.paletteAlpha.size()), nullptr);
    png_write_info(png, info);
    const size_t rowBytes = fixture.rows.size() / fixture.height;
    std::vector<png_bytep> rows(fixture.height);
    for (int y = 0; y < fixture.height; ++y)
        rows[y] = const_cast<png_bytep>(fixture.rows.data() + rowBytes * y);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

// An 8-bit RGB or RGBA picture from a per-pixel function returning 0xAARRGGBB.
template <typename PixelFn>
bool WriteColourPng(const std::string& path, int width, int height, bool alpha, PixelFn pixel) {
    PngFixture fixture;
    fixture.width = width;
    fixture.height = height;
    fixture.colorType = alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t p = pixel(x, y);
            fixture.rows.push_back(static_cast<uint8_t>(p >> 16));
            fixture.rows.push_back(static_cast<uint8_t>(p >> 8));
            fixture.rows.push_back(static_cast<uint8_t>(p));
            if (alpha) fixture.rows.push_back(static_cast<uint8_t>(p >> 24));
        }
    return WriteTestPng(path, fixture);
}

constexpr unsigned Rgb(unsigned r, unsigned g, unsigned b) {
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

// True when every channel of the two 0xAARRGGBB values differs by at most tolerance.
inline ::testing::AssertionResult ColourNear(unsigned got, unsigned want, int tolerance = 2) {
    for (int shift = 0; shift < 24; shift += 8) {
        const int d =
            static_cast<int>((got >> shift) & 0xFF) - static_cast<int>((want >> shift) & 0xFF);
        if (d > tolerance || d < -tolerance)
            return ::testing::AssertionFailure()
                   << std::hex << "colour 0x" << got << " is not near 0x" << want;
    }
    return ::testing::AssertionSuccess();
}

// Each test gets a freshly opened 640 x 480 window (offscreen under test) with
// no pacing, a cleared target and top-left handles.
class GraphicsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ThrowOnProgramExit(true);
        SetCentredHandles(0);
        ASSERT_TRUE(OpenGraphics(640, 480, 0, 0, 0));
        Cls();
    }
    void TearDown() override {
        CloseGraphics();
        SetCentredHandles(0);
        ThrowOnProgramExit(false);
    }

    TempDir scratch;
};
