#include "tools/artgen/Paint.h"

#include <cmath>

#include "base/Math.h"
#include "tools/artgen/Random.h"

namespace artgen {

Raster Masonry(int width, int height, const MasonryLook& look, uint32_t seed) {
  Raster image(width, height);
  double rowHeight = static_cast<double>(height) / look.rows;
  double blockWidth = static_cast<double>(width) / look.columns;
  image.Paint([&](double u, double v, Color& px) {
    double x = u * width, y = v * height;
    int row = static_cast<int>(std::floor(y / rowHeight));
    double shift = (row % 2) ? blockWidth * 0.5 : 0.0;
    double bx = x + shift;
    int column = static_cast<int>(std::floor(bx / blockWidth)) % look.columns;
    double lx = bx - std::floor(bx / blockWidth) * blockWidth;  // within the block
    double ly = y - row * rowHeight;
    double edge = std::fmin(std::fmin(lx, blockWidth - lx), std::fmin(ly, rowHeight - ly));
    double variation = Hash01(column, row, seed);
    Color stone = Mix(look.stone, look.stoneShade, variation * 0.8);
    double grain = Fbm(u * 8.0, v * 8.0, 8, 4, seed + 7);
    double speck = Fbm(u * 32.0, v * 32.0, 32, 2, seed + 11);
    stone = Scale(stone, 1.0 + (grain - 0.5) * look.grain * 2.0 + (speck - 0.5) * 0.12);
    // Rounded block edges: lit on the top and left, shaded below and right.
    double bevel = 1.0 - SmoothStep(look.joint, look.joint + 4.0, edge);
    double light = 0.0;
    if (ly < look.joint + 4.0) light += 0.18;
    if (lx < look.joint + 4.0) light += 0.08;
    if (rowHeight - ly < look.joint + 4.0) light -= 0.25;
    if (blockWidth - lx < look.joint + 4.0) light -= 0.12;
    stone = Scale(stone, 1.0 + light * bevel);
    double inJoint = 1.0 - SmoothStep(look.joint - 0.8, look.joint + 0.8, edge);
    Color mortar = Scale(look.mortar, 0.9 + 0.2 * grain);
    px = Mix(stone, mortar, inJoint);
  });
  return image;
}

Raster StoneSurface(int size, const Color& light, const Color& dark, uint32_t seed) {
  Raster image(size, size);
  image.Paint([&](double u, double v, Color& px) {
    double n = Fbm(u * 4.0, v * 4.0, 4, 5, seed);
    double fine = Fbm(u * 24.0, v * 24.0, 24, 2, seed + 3);
    CellSample cell = Cellular(u * 5.0, v * 5.0, 5, seed + 5);
    double pit = SmoothStep(0.04, 0.0, cell.second - cell.nearest) * 0.12;
    px = Scale(Mix(dark, light, SmoothStep(0.25, 0.75, n)), 0.92 + 0.16 * fine - pit);
  });
  return image;
}

Raster Slab(int size, const Color& face, const Color& edgeLight, const Color& edgeDark, double grain, uint32_t seed) {
  Raster image(size, size);
  image.Paint([&](double u, double v, Color& px) {
    double x = u * size, y = v * size;
    double n = Fbm(u * 3.0, v * 3.0, 3, 5, seed);
    double fine = Fbm(u * 16.0, v * 16.0, 16, 3, seed + 9);
    Color c = Scale(face, 1.0 + (n - 0.5) * grain * 2.0 + (fine - 0.5) * grain);
    double edge = std::fmin(std::fmin(x, size - x), std::fmin(y, size - y));
    double bevelWidth = size * 0.06;
    if (edge < bevelWidth) {
      // Which edge: top or left is lit, bottom or right shaded.
      double t = 1.0 - edge / bevelWidth;
      bool litEdge = std::fmin(x, y) <= std::fmin(size - x, size - y);
      c = Mix(c, litEdge ? edgeLight : edgeDark, 0.55 * t);
    }
    if (edge < size * 0.012) c = Scale(edgeDark, 0.8);
    px = c;
  });
  return image;
}

Raster Foliage(int size, const Color& deep, const Color& mid, const Color& light, uint32_t seed) {
  Raster image(size, size, deep);
  image.Paint([&](double u, double v, Color& px) {
    double n = Fbm(u * 6.0, v * 6.0, 6, 3, seed);
    px = Scale(deep, 0.8 + 0.4 * n);
  });
  Random random(seed);
  // Leaves as small rotated ellipses, drawn in three copies so that the
  // picture wraps.
  const int leaves = size * size / 10;
  for (int i = 0; i < leaves; ++i) {
    double cx = random.Unit() * size, cy = random.Unit() * size;
    double angle = random.Unit() * kPi;
    double length = 2.5 + random.Unit() * 2.5, width = length * (0.45 + 0.2 * random.Unit());
    double tone = random.Unit();
    double sun = Fbm(cx / size * 3.0, cy / size * 3.0, 3, 2, seed + 1);
    Color c = tone < 0.5 ? Mix(deep, mid, tone * 2.0) : Mix(mid, light, (tone - 0.5) * 2.0 * sun);
    double ca = std::cos(angle), sa = std::sin(angle);
    for (int oy = -1; oy <= 1; ++oy) {
      for (int ox = -1; ox <= 1; ++ox) {
        double px = cx + ox * size, py = cy + oy * size;
        if (px < -length || py < -length || px > size + length || py > size + length) continue;
        image.FillRegion(px - length, py - length, px + length, py + length,
                         [&](double x, double y) {
                           double dx = x - px, dy = y - py;
                           double a = dx * ca + dy * sa, b = -dx * sa + dy * ca;
                           return (a * a) / (length * length) + (b * b) / (width * width) <= 1.0;
                         },
                         c);
      }
    }
  }
  return image;
}

void Weather(Raster& image, double amount, int period, uint32_t seed) {
  image.Paint([&](double u, double v, Color& px) {
    double n = Fbm(u * period, v * period, period, 4, seed);
    px = Scale(px, 1.0 + (n - 0.5) * 2.0 * amount);
  });
}

}  // namespace artgen
