// Tileable surface paintings shared by the themes: masonry, bricks, slabs,
// foliage, bark. All repeat seamlessly across the picture's edges.
#pragma once

#include <cstdint>

#include "tools/artgen/Raster.h"

namespace artgen {

struct MasonryLook {
  Color stone;       // average block colour
  Color stoneShade;  // colour of the darker blocks
  Color mortar;
  int rows = 4;      // block rows per picture height
  int columns = 2;   // blocks per row
  double joint = 2.5;  // mortar half-width in pixels
  double grain = 0.25; // strength of the surface noise
};
// Blocks laid in courses, alternate courses shifted by half a block.
Raster Masonry(int width, int height, const MasonryLook& look, uint32_t seed);

// Weathered stone surface without joints.
Raster StoneSurface(int size, const Color& light, const Color& dark, uint32_t seed);

// A single square slab with bevelled edges (one floor square).
Raster Slab(int size, const Color& face, const Color& edgeLight, const Color& edgeDark, double grain, uint32_t seed);

// Dense small leaves over a dark ground.
Raster Foliage(int size, const Color& deep, const Color& mid, const Color& light, uint32_t seed);

// A multiplier of 1 +- amount of fractal noise applied to every pixel.
void Weather(Raster& image, double amount, int period, uint32_t seed);

}  // namespace artgen
