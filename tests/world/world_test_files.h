// Small files the world tests build at run time: PNG images, raw layer files
// and text files in a fresh temporary folder.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

#include "media/gfx/native/png_writer.h"
#include "support/temp_dir.h"

namespace worldtest {

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

inline void WriteText(const std::string& path, const std::string& text) {
    WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

// RGBA PNG from 0xAARRGGBB pixels, row by row, through the media layer's writer.
inline void WritePng(const std::string& path, int width, int height,
                     const std::vector<uint32_t>& argb) {
    std::vector<uint8_t> rgba;
    rgba.reserve(argb.size() * 4);
    for (uint32_t p : argb)
        rgba.insert(rgba.end(), {static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8),
                                 static_cast<uint8_t>(p), static_cast<uint8_t>(p >> 24)});
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    media_internal::WritePng(path, width, height, 4, rgba.data());
}

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// A sheet of `frames` solid 32 x 32 frames side by side, frame i in colours[i].
inline void WriteSheet(const std::string& path, const std::vector<uint32_t>& colours) {
    const int frames = static_cast<int>(colours.size());
    std::vector<uint32_t> pixels(static_cast<std::size_t>(32) * 32 * frames);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32 * frames; ++x)
            pixels[static_cast<std::size_t>(y) * 32 * frames + x] = colours[x / 32];
    WritePng(path, 32 * frames, 32, pixels);
}

} // namespace worldtest
