// Deterministic random numbers and tileable noise for the art generator. Every
// value depends only on the seed and the arguments, so two builds produce the
// same bytes on any machine (no library distributions, no clocks).
#pragma once

#include <cstdint>

namespace artgen {

// SplitMix64: a tiny, well-mixed generator.
class Random {
 public:
  explicit Random(uint64_t seed) : m_state(seed) {}
  uint64_t Next();
  // Uniform in [0, 1).
  double Unit();
  // Uniform in [lo, hi).
  double Range(double lo, double hi) { return lo + (hi - lo) * Unit(); }
  // Uniform integer in [0, n).
  int Below(int n);

 private:
  uint64_t m_state;
};

// Hash of a lattice point to [0, 1).
double Hash01(int x, int y, uint32_t seed);

// Smooth value noise in [0, 1) that repeats every `period` units in x and y.
double ValueNoise(double x, double y, int period, uint32_t seed);
// Sum of `octaves` value noises, each twice the frequency and half the weight
// of the one before; repeats every `period` units. Result in [0, 1).
double Fbm(double x, double y, int period, int octaves, uint32_t seed);

// Cellular noise: distances from (x, y) to the nearest and second nearest of
// one jittered point per unit cell, repeating every `period` cells. The id is
// a hash of the nearest cell, in [0, 1).
struct CellSample {
  double nearest;
  double second;
  double id;
};
CellSample Cellular(double x, double y, int period, uint32_t seed);

}  // namespace artgen
