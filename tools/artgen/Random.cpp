#include "tools/artgen/Random.h"

#include <cmath>

namespace artgen {

uint64_t Random::Next() {
  uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

double Random::Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }

int Random::Below(int n) { return n <= 0 ? 0 : static_cast<int>(Next() % static_cast<uint64_t>(n)); }

namespace {

int Wrap(int v, int period) {
  int m = v % period;
  return m < 0 ? m + period : m;
}

double Smooth(double t) { return t * t * (3.0 - 2.0 * t); }

}  // namespace

double Hash01(int x, int y, uint32_t seed) {
  uint64_t h = static_cast<uint64_t>(static_cast<uint32_t>(x)) * 0x8DA6B343ull;
  h ^= static_cast<uint64_t>(static_cast<uint32_t>(y)) * 0xD8163841ull;
  h ^= static_cast<uint64_t>(seed) * 0xCB1AB31Full;
  Random r(h);
  return r.Unit();
}

double ValueNoise(double x, double y, int period, uint32_t seed) {
  double fx = std::floor(x), fy = std::floor(y);
  int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
  double tx = Smooth(x - fx), ty = Smooth(y - fy);
  int x0 = Wrap(ix, period), x1 = Wrap(ix + 1, period);
  int y0 = Wrap(iy, period), y1 = Wrap(iy + 1, period);
  double a = Hash01(x0, y0, seed), b = Hash01(x1, y0, seed);
  double c = Hash01(x0, y1, seed), d = Hash01(x1, y1, seed);
  double top = a + (b - a) * tx, bottom = c + (d - c) * tx;
  return top + (bottom - top) * ty;
}

double Fbm(double x, double y, int period, int octaves, uint32_t seed) {
  double sum = 0.0, weight = 0.5, total = 0.0;
  for (int i = 0; i < octaves; ++i) {
    sum += weight * ValueNoise(x, y, period, seed + 101u * static_cast<uint32_t>(i));
    total += weight;
    x *= 2.0;
    y *= 2.0;
    period *= 2;
    weight *= 0.5;
  }
  return sum / total;
}

CellSample Cellular(double x, double y, int period, uint32_t seed) {
  int cx = static_cast<int>(std::floor(x)), cy = static_cast<int>(std::floor(y));
  CellSample s{1e9, 1e9, 0.0};
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      int gx = cx + dx, gy = cy + dy;
      int wx = Wrap(gx, period), wy = Wrap(gy, period);
      double px = gx + 0.1 + 0.8 * Hash01(wx, wy, seed);
      double py = gy + 0.1 + 0.8 * Hash01(wx, wy, seed ^ 0x5bd1e995u);
      double d = std::hypot(px - x, py - y);
      if (d < s.nearest) {
        s.second = s.nearest;
        s.nearest = d;
        s.id = Hash01(wx, wy, seed ^ 0x27d4eb2du);
      } else if (d < s.second) {
        s.second = d;
      }
    }
  }
  return s;
}

}  // namespace artgen
