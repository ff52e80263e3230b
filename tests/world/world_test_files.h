// Small files the world tests build at run time: PNG images, raw layer files
// and text files in a fresh temporary folder.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace worldtest {

// A folder removed again when the test ends.
class TempDir {
  public:
    TempDir() {
        static int counter = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("palmut_world_" + std::to_string(getpid()) + "_" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

inline void WriteText(const std::string& path, const std::string& text) {
    WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

namespace detail {
inline uint32_t Crc32(const uint8_t* data, std::size_t size) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(v >> shift));
}

inline void Chunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& body) {
    Put32(png, static_cast<uint32_t>(body.size()));
    std::size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), body.begin(), body.end());
    Put32(png, Crc32(png.data() + start, png.size() - start));
}
} // namespace detail

// RGBA PNG from 0xAARRGGBB pixels, row by row; zlib "stored" blocks keep the
// encoder a few lines long.
inline std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint32_t>& argb) {
    std::vector<uint8_t> raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0); // filter: none
        for (int x = 0; x < width; ++x) {
            uint32_t p = argb[static_cast<std::size_t>(y) * width + x];
            raw.push_back(static_cast<uint8_t>(p >> 16));
            raw.push_back(static_cast<uint8_t>(p >> 8));
            raw.push_back(static_cast<uint8_t>(p));
            raw.push_back(static_cast<uint8_t>(p >> 24));
        }
    }
    std::vector<uint8_t> z = {0x78, 0x01};
    std::size_t at = 0;
    do {
        std::size_t len = std::min<std::size_t>(65535, raw.size() - at);
        bool last = at + len == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(static_cast<uint8_t>(len));
        z.push_back(static_cast<uint8_t>(len >> 8));
        z.push_back(static_cast<uint8_t>(~len));
        z.push_back(static_cast<uint8_t>(~len >> 8));
        z.insert(z.end(), raw.begin() + static_cast<long>(at),
                 raw.begin() + static_cast<long>(at + len));
        at += len;
    } while (at < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    detail::Put32(z, (b << 16) | a);

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<uint8_t> ihdr;
    detail::Put32(ihdr, static_cast<uint32_t>(width));
    detail::Put32(ihdr, static_cast<uint32_t>(height));
    ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0}); // 8-bit RGBA, no interlace
    detail::Chunk(png, "IHDR", ihdr);
    detail::Chunk(png, "IDAT", z);
    detail::Chunk(png, "IEND", {});
    return png;
}

inline void WritePng(const std::string& path, int width, int height,
                     const std::vector<uint32_t>& argb) {
    WriteBytes(path, EncodePng(width, height, argb));
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
