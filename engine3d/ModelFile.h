// The ".3do" model file as plain data: reading it into a scratch record that
// is checked before anything is built from it, and writing it back. Little
// endian, no padding:
//
//   3 signature bytes, u32 version, i32 mesh count S,
//   S meshes:    80-byte name, 80-byte material name, i32 V, i32 F,
//                V x 3 float positions, V x 2 float texture coordinates,
//                F x 3 u32 vertex indices;
//   i32 material count M,
//   M materials: 80-byte name, three RGB float colours, float opacity,
//                i32 shading (1 flat), i32 unlit, i32 two-sided (1 both),
//                80-byte base texture name, 80-byte sphere-map texture name.
//
// Positions are kept exactly as stored; the loader applies its own nudge and
// quantisation when it builds an object.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ModelMesh {
  std::string name;
  std::string material;
  std::vector<float> positions;  // x, y, z per vertex
  std::vector<float> texCoords;  // u, v per vertex
  std::vector<uint32_t> faces;   // three vertex indices per triangle

  int VertexCount() const { return static_cast<int>(positions.size() / 3); }
  int FaceCount() const { return static_cast<int>(faces.size() / 3); }
};

struct ModelMaterial {
  std::string name;
  float ambient[3] = {1, 1, 1};   // the flat colour when unlit
  float diffuse[3] = {1, 1, 1};
  float specular[3] = {0, 0, 0};  // stored, not drawn
  float opacity = 1.0f;
  int32_t shading = 2;    // 1 flat, anything else smooth
  int32_t unlit = 0;      // non-zero: drawn without lighting
  int32_t twoSided = 0;   // 1: both sides drawn and lit
  std::string baseTexture;
  std::string environmentTexture;
};

struct ModelFileData {
  char signature[3] = {'3', 'D', 'O'};
  uint32_t version = 1;
  std::vector<ModelMesh> meshes;  // in file order
  std::vector<ModelMaterial> materials;
};

constexpr int kModelNameBytes = 80;
// More than any model of the game needs; larger counts mark a broken file.
constexpr int32_t kMaxModelMeshes = 4096;
constexpr int32_t kMaxModelMaterials = 4096;

// Reads a whole file image. Returns false with a one-line reason (counts out
// of range, a truncated file, a face index outside its mesh) and never reads
// past the bytes given. A mesh may name a material that is not in the file;
// the loader decides whether it knows it.
bool DecodeModelFile(const uint8_t* bytes, size_t size, ModelFileData& model, std::string& error);

// The file image of a model. Names longer than 79 bytes are cut.
std::vector<uint8_t> EncodeModelFile(const ModelFileData& model);
// Writes the file image through a temporary file. Returns false on failure.
bool WriteModelFile(const char* path, const ModelFileData& model);
