// Smooth value noise for coastlines, beaches and forests: random values on a
// coarse lattice, blended. Plain arithmetic and no library maths, so the
// values are the same bit for bit wherever the generator runs.
#pragma once

#include <cstdint>

namespace mapgen {

class ValueNoise {
  public:
    // `cell`: lattice spacing in map cells (at least 1).
    ValueNoise(uint64_t seed, int cell) : seed_(seed), cell_(cell < 1 ? 1 : cell) {}
    // In -0.5 .. 0.5.
    double At(int x, int y) const;

  private:
    double Lattice(int gx, int gy) const;
    uint64_t seed_;
    int cell_;
};

// Several octaves summed, each half the spacing and half the weight of the
// one before and a little more than half the weight; in about -0.5 .. 0.5.
class FractalNoise {
  public:
    FractalNoise(uint64_t seed, int coarsestCell, int octaves);
    double At(int x, int y) const;

  private:
    static constexpr int kMaxOctaves = 6;
    ValueNoise octaves_[kMaxOctaves];
    int count_;
};

} // namespace mapgen
