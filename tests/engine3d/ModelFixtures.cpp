#include "tests/engine3d/ModelFixtures.h"

#include <png.h>

#include <cstdio>

namespace fixtures {

namespace {
// Appends a quad given counter-clockwise seen from outside as two clockwise
// triangles, with its own four vertices.
void AddQuad(ModelMesh& mesh, const float (&corners)[4][3]) {
  const uint32_t base = static_cast<uint32_t>(mesh.VertexCount());
  static const float kUv[4][2] = {{0, 1}, {1, 1}, {1, 0}, {0, 0}};
  for (int i = 0; i < 4; ++i) {
    mesh.positions.insert(mesh.positions.end(), corners[i], corners[i] + 3);
    mesh.texCoords.insert(mesh.texCoords.end(), kUv[i], kUv[i] + 2);
  }
  const uint32_t faces[6] = {base, base + 2, base + 1, base, base + 3, base + 2};
  mesh.faces.insert(mesh.faces.end(), faces, faces + 6);
}
}  // namespace

ModelMesh Square(const std::string& name, const std::string& material, float half, float z) {
  ModelMesh mesh;
  mesh.name = name;
  mesh.material = material;
  const float corners[4][3] = {{-half, -half, z}, {half, -half, z}, {half, half, z}, {-half, half, z}};
  AddQuad(mesh, corners);
  return mesh;
}

ModelMesh Cube(const std::string& name, const std::string& material, float h) {
  ModelMesh mesh;
  mesh.name = name;
  mesh.material = material;
  const float sides[6][4][3] = {
      {{-h, -h, h}, {h, -h, h}, {h, h, h}, {-h, h, h}},      // +z
      {{h, -h, -h}, {-h, -h, -h}, {-h, h, -h}, {h, h, -h}},  // -z
      {{h, -h, h}, {h, -h, -h}, {h, h, -h}, {h, h, h}},      // +x
      {{-h, -h, -h}, {-h, -h, h}, {-h, h, h}, {-h, h, -h}},  // -x
      {{-h, h, h}, {h, h, h}, {h, h, -h}, {-h, h, -h}},      // +y
      {{-h, -h, -h}, {h, -h, -h}, {h, -h, h}, {-h, -h, h}},  // -y
  };
  for (const auto& side : sides) AddQuad(mesh, side);
  return mesh;
}

ModelMesh Ridge(const std::string& name, const std::string& material, float half, float depth) {
  ModelMesh mesh;
  mesh.name = name;
  mesh.material = material;
  const float left[4][3] = {{-half, -half, 0}, {0, -half, depth}, {0, half, depth}, {-half, half, 0}};
  const float right[4][3] = {{0, -half, depth}, {half, -half, 0}, {half, half, 0}, {0, half, depth}};
  AddQuad(mesh, left);
  AddQuad(mesh, right);
  return mesh;
}

ModelMaterial Material(const MaterialSpec& spec) {
  ModelMaterial material;
  material.name = spec.name;
  for (int i = 0; i < 3; ++i) {
    material.ambient[i] = spec.ambient[i];
    material.diffuse[i] = spec.diffuse[i];
  }
  material.opacity = spec.opacity;
  material.shading = spec.shading;
  material.unlit = spec.unlit;
  material.twoSided = spec.twoSided;
  material.baseTexture = spec.base;
  material.environmentTexture = spec.environment;
  return material;
}

namespace {
bool WritePngRows(const std::string& path, int width, int height, int colourType, const uint8_t* rows, size_t rowBytes,
                  const std::vector<uint8_t>* palette, int transparentIndex) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, width, height, 8, colourType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> colours;
  if (palette) {
    for (size_t i = 0; i + 2 < palette->size(); i += 3)
      colours.push_back(png_color{(*palette)[i], (*palette)[i + 1], (*palette)[i + 2]});
    png_set_PLTE(png, info, colours.data(), static_cast<int>(colours.size()));
    if (transparentIndex >= 0) {
      std::vector<png_byte> alpha(colours.size(), 255);
      alpha[static_cast<size_t>(transparentIndex)] = 0;
      png_set_tRNS(png, info, alpha.data(), static_cast<int>(alpha.size()), nullptr);
    }
  }
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) png_write_row(png, const_cast<png_bytep>(rows + y * rowBytes));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0;
}
}  // namespace

bool WritePng(const std::string& path, int width, int height, int channels, const std::vector<uint8_t>& pixels) {
  static const int kTypes[5] = {0, PNG_COLOR_TYPE_GRAY, PNG_COLOR_TYPE_GRAY_ALPHA, PNG_COLOR_TYPE_RGB,
                                PNG_COLOR_TYPE_RGBA};
  if (channels < 1 || channels > 4 || pixels.size() != static_cast<size_t>(width) * height * channels) return false;
  return WritePngRows(path, width, height, kTypes[channels], pixels.data(), static_cast<size_t>(width) * channels,
                      nullptr, -1);
}

bool WritePalettePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgbPalette,
                     const std::vector<uint8_t>& indices, int transparentIndex) {
  if (indices.size() != static_cast<size_t>(width) * height) return false;
  return WritePngRows(path, width, height, PNG_COLOR_TYPE_PALETTE, indices.data(), static_cast<size_t>(width),
                      &rgbPalette, transparentIndex);
}

std::vector<uint8_t> Solid(int width, int height, std::vector<uint8_t> colour) {
  std::vector<uint8_t> pixels;
  for (int i = 0; i < width * height; ++i) pixels.insert(pixels.end(), colour.begin(), colour.end());
  return pixels;
}

}  // namespace fixtures
