#include "tools/artgen/Raster.h"

#include <algorithm>
#include <cmath>

namespace artgen {

Color Rgb(int r, int g, int b, float a) {
  return Color{static_cast<float>(r / 255.0), static_cast<float>(g / 255.0), static_cast<float>(b / 255.0), a};
}

Color Mix(const Color& x, const Color& y, double t) {
  auto lerp = [t](float a, float b) { return static_cast<float>(a + (b - a) * t); };
  return Color{lerp(x.r, y.r), lerp(x.g, y.g), lerp(x.b, y.b), lerp(x.a, y.a)};
}

Color Scale(const Color& c, double k) {
  return Color{static_cast<float>(c.r * k), static_cast<float>(c.g * k), static_cast<float>(c.b * k), c.a};
}

double Clamp01(double v) { return v < 0.0 ? 0.0 : (v > 1.0 ? 1.0 : v); }

double SmoothStep(double e0, double e1, double x) {
  double t = Clamp01((x - e0) / (e1 - e0));
  return t * t * (3.0 - 2.0 * t);
}

Raster::Raster(int width, int height, Color fill)
    : m_width(width), m_height(height), m_pixels(static_cast<size_t>(width) * height, fill) {}

Color Raster::Sample(double x, double y) const {
  x -= 0.5;
  y -= 0.5;
  double fx = std::floor(x), fy = std::floor(y);
  int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy);
  double tx = x - fx, ty = y - fy;
  auto wrap = [](int v, int n) {
    int m = v % n;
    return m < 0 ? m + n : m;
  };
  int xa = wrap(x0, m_width), xb = wrap(x0 + 1, m_width);
  int ya = wrap(y0, m_height), yb = wrap(y0 + 1, m_height);
  Color top = Mix(At(xa, ya), At(xb, ya), tx);
  Color bottom = Mix(At(xa, yb), At(xb, yb), tx);
  return Mix(top, bottom, ty);
}

void Raster::Paint(const std::function<void(double, double, Color&)>& fn) {
  for (int y = 0; y < m_height; ++y) {
    for (int x = 0; x < m_width; ++x) {
      fn((x + 0.5) / m_width, (y + 0.5) / m_height, At(x, y));
    }
  }
}

void Raster::Blend(int x, int y, const Color& c, double coverage) {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return;
  double a = Clamp01(c.a * coverage);
  if (a <= 0.0) return;
  Color& d = At(x, y);
  double outA = a + d.a * (1.0 - a);
  if (outA <= 0.0) return;
  auto over = [&](float s, float t) { return static_cast<float>((s * a + t * d.a * (1.0 - a)) / outA); };
  d = Color{over(c.r, d.r), over(c.g, d.g), over(c.b, d.b), static_cast<float>(outA)};
}

void Raster::FillRegion(double x0, double y0, double x1, double y1,
                        const std::function<bool(double, double)>& inside, const Color& c) {
  int ix0 = std::max(0, static_cast<int>(std::floor(x0)));
  int iy0 = std::max(0, static_cast<int>(std::floor(y0)));
  int ix1 = std::min(m_width, static_cast<int>(std::ceil(x1)));
  int iy1 = std::min(m_height, static_cast<int>(std::ceil(y1)));
  for (int y = iy0; y < iy1; ++y) {
    for (int x = ix0; x < ix1; ++x) {
      int hits = 0;
      for (int sy = 0; sy < 4; ++sy) {
        for (int sx = 0; sx < 4; ++sx) {
          if (inside(x + (sx + 0.5) / 4.0, y + (sy + 0.5) / 4.0)) ++hits;
        }
      }
      if (hits) Blend(x, y, c, hits / 16.0);
    }
  }
}

void Raster::FillDisc(double cx, double cy, double radius, const Color& c) {
  double r2 = radius * radius;
  FillRegion(cx - radius, cy - radius, cx + radius, cy + radius,
             [&](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r2; }, c);
}

void Raster::FillRect(double x0, double y0, double x1, double y1, const Color& c) {
  FillRegion(x0, y0, x1, y1, [&](double x, double y) { return x >= x0 && x < x1 && y >= y0 && y < y1; }, c);
}

void Raster::FillPolygon(const std::vector<double>& xy, const Color& c) {
  size_t n = xy.size() / 2;
  if (n < 3) return;
  double minX = xy[0], maxX = xy[0], minY = xy[1], maxY = xy[1];
  for (size_t i = 1; i < n; ++i) {
    minX = std::min(minX, xy[2 * i]);
    maxX = std::max(maxX, xy[2 * i]);
    minY = std::min(minY, xy[2 * i + 1]);
    maxY = std::max(maxY, xy[2 * i + 1]);
  }
  FillRegion(minX, minY, maxX, maxY,
             [&](double x, double y) {
               bool in = false;
               for (size_t i = 0, j = n - 1; i < n; j = i++) {
                 double xi = xy[2 * i], yi = xy[2 * i + 1], xj = xy[2 * j], yj = xy[2 * j + 1];
                 if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) in = !in;
               }
               return in;
             },
             c);
}

void Raster::FillRoundRect(double x0, double y0, double x1, double y1, double radius, const Color& c) {
  FillRegion(x0, y0, x1, y1,
             [&](double x, double y) {
               double dx = std::max({x0 + radius - x, 0.0, x - (x1 - radius)});
               double dy = std::max({y0 + radius - y, 0.0, y - (y1 - radius)});
               return x >= x0 && x < x1 && y >= y0 && y < y1 && dx * dx + dy * dy <= radius * radius;
             },
             c);
}

std::vector<uint8_t> Raster::Bytes(int channels) const {
  std::vector<uint8_t> out;
  out.reserve(m_pixels.size() * channels);
  auto byte = [](float v) { return static_cast<uint8_t>(std::lround(Clamp01(v) * 255.0)); };
  for (const Color& c : m_pixels) {
    out.push_back(byte(c.r));
    out.push_back(byte(c.g));
    out.push_back(byte(c.b));
    if (channels == 4) out.push_back(byte(c.a));
  }
  return out;
}

}  // namespace artgen
