// The tools' one random generator, splitmix64, and the asset generator's hash
// noise. The shipped assets and every island seed depend on the exact
// sequences, so no std::random distributions (their output is the library's
// choice) and no change to the arithmetic. The game's own generator is another
// (media/clock.h): its sequence is part of the game.
#pragma once

#include <cstdint>

namespace common {

// splitmix64's output function: a well mixed 64-bit value from any input.
constexpr uint64_t Mix64(uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

class SplitMix64 {
  public:
    explicit SplitMix64(uint64_t seed) : state_(seed) {}

    uint64_t Next() { return Mix64(state_ += 0x9E3779B97F4A7C15ull); }
    // Uniform in lo..hi inclusive (lo <= hi); the modulo's bias is below 2^-40.
    int Range(int lo, int hi) {
        return lo + static_cast<int>(Next() % static_cast<uint64_t>(hi - lo + 1));
    }
    // Uniform in [0, 1), from the top 53 bits.
    double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
    double Between(double lo, double hi) { return lo + (hi - lo) * Unit(); }

    // The asset generator's draws: 32 bits from the middle of each value and a
    // 32-bit modulo, as the committed pictures and sounds were drawn.
    uint32_t Next32() { return static_cast<uint32_t>(Next() >> 16); }
    int Range32(int lo, int hi) {
        return lo + static_cast<int>(Next32() % static_cast<uint32_t>(hi - lo + 1));
    }

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

} // namespace common
