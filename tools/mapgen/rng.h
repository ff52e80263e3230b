// The island generator's own random numbers: the same seed must give the same
// island on every machine and standard library, so no std::random
// distributions (their output is the library's choice).
#pragma once

#include <cstdint>

namespace mapgen {

// splitmix64's output function: a well mixed 64-bit value from any input.
constexpr uint64_t Mix64(uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

class Rng {
  public:
    explicit Rng(uint64_t seed) : state_(seed) {}

    uint64_t Next() { return Mix64(state_ += 0x9E3779B97F4A7C15ull); }
    // Uniform in lo..hi inclusive (lo <= hi); the modulo's bias is below 2^-40.
    int Range(int lo, int hi) {
        return lo + static_cast<int>(Next() % static_cast<uint64_t>(hi - lo + 1));
    }
    // Uniform in [0, 1), from the top 53 bits.
    double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
    double Between(double lo, double hi) { return lo + (hi - lo) * Unit(); }

  private:
    uint64_t state_;
};

} // namespace mapgen
