// Park-Miller minimal standard generator (multiplier 48271). Maps and critter
// placement depend on the exact sequence, so the arithmetic is kept bit-exact.
#include <cmath>
#include <cstdint>

#include "media/clock.h"

namespace {

constexpr int32_t kModulus = 2147483647;
constexpr int32_t kMultiplier = 48271;
constexpr int32_t kQ = 44488; // kModulus / kMultiplier
constexpr int32_t kR = 3399;  // kModulus % kMultiplier
constexpr int32_t kInitialState = 4660;

int32_t state = kInitialState;

// Schrage's method: state * 48271 mod (2^31 - 1) without 64-bit products.
int32_t Step() {
    int32_t next = kMultiplier * (state % kQ) - kR * (state / kQ);
    if (next < 0) next += kModulus;
    state = next;
    return state;
}

// A real in [0, 1) built from two steps for more than 31 bits of precision.
double NextReal() {
    double m = static_cast<double>(Step() & 0x1FFFFFFC);
    double n = static_cast<double>(Step() & 0x1FFFFFF8);
    return (m + n / 134217728.0) / 536870912.0; // 2^27, 2^29
}

} // namespace

void SeedRandom(int seed) {
    int32_t s = static_cast<int32_t>(static_cast<uint32_t>(seed) & 0x7FFFFFFFu);
    // 0 and the modulus itself are fixed points of the generator.
    state = (s == 0 || s == kModulus) ? kInitialState : s;
}

int RandomInt(int lo, int hi) {
    int64_t d = static_cast<int64_t>(hi) - lo;
    double real = NextReal();
    if (d > 0) return static_cast<int>(lo + static_cast<int64_t>(std::trunc(real * (d + 1))));
    return static_cast<int>(hi + static_cast<int64_t>(std::trunc(real * (1 - d))));
}

int RandomState() {
    return state;
}
