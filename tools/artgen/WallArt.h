// Wall pieces: one square wide (model units, the square is [-0.5, 0.5] in x
// and z, the floor is y = 0), swept from a theme's cross-section profile
// along the outline of the piece's shape. Arms that continue towards a
// neighbour run to the square's edge and stay open there; every piece uses
// the same profile in every direction, so the rings at the edge of one piece
// are exactly those of its neighbour.
#pragma once

#include "puzzle/WallShapes.h"
#include "render/ThemeKeys.h"

#include <string>
#include <vector>

#include "tools/artgen/Mesh.h"

namespace artgen {

// A point of the cross-section: `offset` outwards from the footprint's edge
// and `height` above the floor, in thousandths of a square. `material` is the
// material of the strip from this point to the next one.
struct ProfilePoint {
  int offset;
  int height;
  int material;
};

struct WallStyle {
  std::string prefix;                  // material name prefix, unique per theme
  std::vector<ModelMaterial> materials;
  int halfWidth = 350;                 // footprint: half the width of core and arms
  std::vector<ProfilePoint> profile;   // from the foot to the edge of the top
  int capMaterial = 0;
  // 0: flat shading. Otherwise smooth shading, with strips this wide beside
  // corners keeping the faces flat-lit (the loader welds the normals of
  // vertices at one position).
  int cornerBand = 0;
  double sideRepeat = 1.0;             // texture repeats per square along the wall
  double heightRepeat = 1.0;           // ... per unit of profile length
  double capRepeat = 1.0;              // ... per square on the top
};


ModelBuilder BuildWallPiece(const WallStyle& style, int shape);

}  // namespace artgen
