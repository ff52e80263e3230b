// Small deterministic generator: the shipped assets must come out byte for byte
// the same on every machine, so no std::random distributions (their output is
// implementation-defined).
#pragma once

#include <cstdint>

namespace assetgen {

class Rng {
  public:
    explicit Rng(uint64_t seed) : state_(seed) {}

    uint32_t Next() {
        // splitmix64, folded to 32 bits
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return static_cast<uint32_t>((z ^ (z >> 31)) >> 16);
    }
    // Uniform in lo..hi inclusive (lo <= hi).
    int Range(int lo, int hi) {
        return lo + static_cast<int>(Next() % static_cast<uint32_t>(hi - lo + 1));
    }
    bool Chance(int percent) { return Range(1, 100) <= percent; }

  private:
    uint64_t state_;
};

// Stateless hash noise, periodic where the caller wraps the coordinates.
inline uint32_t Hash2(int x, int y, uint32_t seed) {
    uint32_t h = seed * 0x27D4EB2Du ^ static_cast<uint32_t>(x) * 0x85EBCA6Bu ^
                 static_cast<uint32_t>(y) * 0xC2B2AE35u;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

} // namespace assetgen
