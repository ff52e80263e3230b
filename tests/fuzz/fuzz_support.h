// Shared pieces of the fuzz targets: splitting one input into several files
// or chunk sizes, and a scratch folder for loaders that only read paths.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "island/random.h"
#include "support/temp_dir.h"

namespace fuzz {

// The input cut at every "@@@@": one piece per file a loader reads.
inline std::vector<std::string> Pieces(const std::uint8_t* data, std::size_t size,
                                       std::size_t count) {
    const std::string all(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> out;
    std::size_t at = 0;
    while (out.size() + 1 < count) {
        const std::size_t cut = all.find("@@@@", at);
        if (cut == std::string::npos) break;
        out.push_back(all.substr(at, cut - at));
        at = cut + 4;
    }
    out.push_back(all.substr(std::min(at, all.size())));
    out.resize(count);
    return out;
}

// A folder of its own per process, emptied by the caller as it likes and
// removed when the process ends.
inline std::filesystem::path Scratch() {
    static const TempDir dir;
    return dir.path();
}

inline std::string WriteScratch(const std::string& name, const std::string& bytes) {
    const auto path = Scratch() / name;
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    return path.string();
}

// Chunk sizes for feeding a stream piece by piece, taken from a seed so the
// same input always cuts the same way.
class Chunks {
  public:
    explicit Chunks(std::uint32_t seed) : random_(seed) {}
    std::size_t Next(std::size_t most) { return most == 0 ? 0 : 1 + random_.Next() % most; }

  private:
    common::SplitMix64 random_;
};

inline void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "oracle failed: %s\n", what);
        std::abort();
    }
}

} // namespace fuzz
