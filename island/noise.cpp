#include "island/noise.h"

#include "island/random.h"

namespace mapgen {

double ValueNoise::Lattice(int gx, int gy) const {
    const uint64_t h =
        common::Mix64(seed_ ^ common::Mix64(static_cast<uint64_t>(static_cast<uint32_t>(gx)) << 32 |
                                            static_cast<uint32_t>(gy)));
    return static_cast<double>(h >> 11) * (1.0 / 9007199254740992.0) - 0.5;
}

double ValueNoise::At(int x, int y) const {
    // Floor division, so negative coordinates blend as smoothly as positive ones.
    const int gx = (x >= 0 ? x : x - cell_ + 1) / cell_, gy = (y >= 0 ? y : y - cell_ + 1) / cell_;
    const double fx = static_cast<double>(x - gx * cell_) / cell_;
    const double fy = static_cast<double>(y - gy * cell_) / cell_;
    const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const double a = Lattice(gx, gy), b = Lattice(gx + 1, gy);
    const double c = Lattice(gx, gy + 1), d = Lattice(gx + 1, gy + 1);
    const double top = a + (b - a) * sx, bottom = c + (d - c) * sx;
    return top + (bottom - top) * sy;
}

namespace {
ValueNoise Octave(uint64_t seed, int coarsestCell, int k) {
    return ValueNoise(common::Mix64(seed + static_cast<uint64_t>(k)), coarsestCell >> k);
}
} // namespace

FractalNoise::FractalNoise(uint64_t seed, int coarsestCell, int octaves)
    : octaves_{Octave(seed, coarsestCell, 0), Octave(seed, coarsestCell, 1),
               Octave(seed, coarsestCell, 2), Octave(seed, coarsestCell, 3),
               Octave(seed, coarsestCell, 4), Octave(seed, coarsestCell, 5)},
      count_(octaves < 1             ? 1
             : octaves > kMaxOctaves ? kMaxOctaves
                                     : octaves) {}

double FractalNoise::At(int x, int y) const {
    double sum = 0, weight = 1, total = 0;
    for (int k = 0; k < count_; ++k) {
        sum += octaves_[k].At(x, y) * weight;
        total += weight;
        weight *= 0.6;
    }
    return sum / total;
}

} // namespace mapgen
