// Small models and images for the engine's tests, written the way the art
// generator writes them (WriteModelFile) and as PNG files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine3d/ModelFile.h"

namespace fixtures {

// A square of side 2 * half in the plane z, facing +z (wound clockwise seen
// from +z, as the game's outer faces are); texture (0, 0) at its top left.
ModelMesh Square(const std::string& name, const std::string& material, float half = 0.5f, float z = 0.0f);
// A cube of side 2 * half centred on the origin, 4 vertices per side.
ModelMesh Cube(const std::string& name, const std::string& material, float half = 0.5f);
// A ridge: two rectangles meeting at x = 0, z = depth, falling to z = 0 at
// x = +-half; the ridge vertices are duplicated per side (a seam).
ModelMesh Ridge(const std::string& name, const std::string& material, float half, float depth);

struct MaterialSpec {
  std::string name;
  float ambient[3] = {0.2f, 0.2f, 0.2f};
  float diffuse[3] = {0.8f, 0.8f, 0.8f};
  float opacity = 1.0f;
  int shading = 1;  // flat
  int unlit = 0;
  int twoSided = 0;
  std::string base;
  std::string environment;
};
ModelMaterial Material(const MaterialSpec& spec);

// PNG files through libpng: colour type from channels (1 grey, 2 grey and
// alpha, 3 RGB, 4 RGBA), 8 bits; or a palette image of indices.
bool WritePng(const std::string& path, int width, int height, int channels, const std::vector<uint8_t>& pixels);
bool WritePalettePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgbPalette,
                     const std::vector<uint8_t>& indices, int transparentIndex = -1);
// A width x height picture of one RGB(A) colour.
std::vector<uint8_t> Solid(int width, int height, std::vector<uint8_t> colour);

}  // namespace fixtures
