// The .3do file image: encoding and decoding are exact inverses, and broken
// images are rejected without reading past their bytes.
#include <gtest/gtest.h>

#include <cstring>

#include "engine3d/ModelFile.h"

namespace {
ModelFileData Triangle() {
  ModelFileData model;
  ModelMesh mesh;
  mesh.name = "tri";
  mesh.material = "Stone";
  mesh.positions = {0, 0, 0, 1, 0, 0, 0, 1, 0.25f};
  mesh.texCoords = {0, 0, 1, 0, 0, 1};
  mesh.faces = {0, 1, 2};
  model.meshes.push_back(mesh);
  ModelMaterial material;
  material.name = "Stone";
  material.opacity = 0.5f;
  material.baseTexture = "Stone.PNG";
  model.materials.push_back(material);
  return model;
}

bool Decode(const std::vector<uint8_t>& bytes, ModelFileData& model, std::string& error) {
  return DecodeModelFile(bytes.data(), bytes.size(), model, error);
}
}  // namespace

TEST(ModelFile, EncodesToTheDocumentedLayoutAndDecodesBack) {
  std::vector<uint8_t> bytes = EncodeModelFile(Triangle());
  // header 11, mesh 80 + 80 + 8 + 36 + 24 + 12, materials 4 + 80 + 36 + 4 + 12 + 160
  ASSERT_EQ(bytes.size(), 11u + 240u + 4u + 292u);
  EXPECT_EQ(std::memcmp(bytes.data(), "3DO", 3), 0);
  int32_t meshCount;
  std::memcpy(&meshCount, &bytes[7], 4);
  EXPECT_EQ(meshCount, 1);
  EXPECT_STREQ(reinterpret_cast<const char*>(&bytes[11]), "tri");
  EXPECT_STREQ(reinterpret_cast<const char*>(&bytes[91]), "Stone");

  ModelFileData model;
  std::string error;
  ASSERT_TRUE(Decode(bytes, model, error)) << error;
  ASSERT_EQ(model.meshes.size(), 1u);
  EXPECT_EQ(model.meshes[0].positions, Triangle().meshes[0].positions);
  EXPECT_EQ(model.meshes[0].faces, Triangle().meshes[0].faces);
  EXPECT_EQ(model.materials[0].baseTexture, "Stone.PNG");
  EXPECT_FLOAT_EQ(model.materials[0].opacity, 0.5f);
  EXPECT_EQ(EncodeModelFile(model), bytes);
}

TEST(ModelFile, RejectsEveryTruncationAndBadCounts) {
  std::vector<uint8_t> bytes = EncodeModelFile(Triangle());
  ModelFileData model;
  std::string error;
  for (size_t cut = 0; cut < bytes.size(); ++cut) {
    std::vector<uint8_t> shorter(bytes.begin(), bytes.begin() + cut);
    EXPECT_FALSE(Decode(shorter, model, error)) << cut;
  }
  std::vector<uint8_t> negative = bytes;
  int32_t minusOne = -1;
  std::memcpy(&negative[7], &minusOne, 4);
  EXPECT_FALSE(Decode(negative, model, error));
  EXPECT_EQ(error, "bad mesh count -1");

  std::vector<uint8_t> hugeVertices = bytes;
  int32_t huge = 0x7FFFFFFF;
  std::memcpy(&hugeVertices[171], &huge, 4);
  EXPECT_FALSE(Decode(hugeVertices, model, error));

  ModelFileData badIndex = Triangle();
  badIndex.meshes[0].faces[2] = 3;
  EXPECT_FALSE(Decode(EncodeModelFile(badIndex), model, error));
  EXPECT_EQ(error, "face index 3 outside mesh 0");
}
