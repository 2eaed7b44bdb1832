// Loading ".3do" files into objects: quantisation, mesh order, shared
// materials, textures, and every way a file is refused without changing the
// object. No display: textures are read but not uploaded.
#include <dirent.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "engine3d/Objet3D.h"
#include "tests/engine3d/ModelFixtures.h"
#include "tests/support/TestFiles.h"

using namespace testsupport;
using fixtures::MaterialSpec;

namespace {

int OpenFileCount() {
  int count = 0;
  if (DIR* dir = opendir("/proc/self/fd")) {
    while (readdir(dir)) ++count;
    closedir(dir);
  }
  return count;
}

class LoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearMaterials();
    Objet3D::SetObjectDirectory((m_dir.Path() + "/").c_str());
    Objet3D::SetTextureDirectory((m_dir.Path() + "/").c_str());
  }
  void TearDown() override { ClearMaterials(); }

  void Write(const std::string& name, const ModelFileData& model) {
    ASSERT_TRUE(WriteModelFile((m_dir / name).c_str(), model));
  }
  void WriteBytes(const std::string& name, const std::vector<uint8_t>& bytes) {
    ASSERT_TRUE(WriteFile(m_dir / name, std::string(bytes.begin(), bytes.end())));
  }
  // Loads and returns what the loader wrote to stderr.
  std::string LoadCapturing(Objet3D& object, const char* name, int expected) {
    CapturedStream err(2);
    EXPECT_EQ(object.Load(name), expected) << name;
    return err.Text();
  }

  static ModelFileData OneSquare(const MaterialSpec& spec) {
    ModelFileData model;
    model.meshes.push_back(fixtures::Square("square", spec.name));
    model.materials.push_back(fixtures::Material(spec));
    return model;
  }
  static MaterialSpec Spec(const char* name) {
    MaterialSpec spec;
    spec.name = name;
    return spec;
  }

  TempDir m_dir;
};

}  // namespace

TEST_F(LoaderTest, QuantisesPositionsInSinglePrecision) {
  ModelFileData model = OneSquare(Spec("Stone"));
  model.meshes[0].positions = {1.0f, 1.0f, 1.0f, -0.0005f, 0.0f, 0.25f, 0.0f, -1.0f, -1.0f, 0.0f, 0.0f, 0.0f};
  Write("q.3do", model);
  Objet3D object;
  ASSERT_EQ(object.Load("q.3do"), 1);
  // x and y lose 0.001 and z gains it, on the 0.001 grid: -0.0005 for x is
  // trunc(-1.5) x 0.001; a z of 0.25 stays 0.25 in single precision (0.251
  // in double).
  const float expected[12] = {0.999f, 0.999f, 1.001f, -0.001f, -0.001f, 0.25f,
                              -0.001f, -1.001f, -0.999f, -0.001f, -0.001f, 0.001f};
  for (int i = 0; i < 12; ++i) EXPECT_FLOAT_EQ(object.GetMesh(0)->positions[i], expected[i]) << i;
}

TEST_F(LoaderTest, IndexZeroIsTheLastMeshOfTheFile) {
  ModelFileData model = OneSquare(Spec("Stone"));
  model.meshes.push_back(fixtures::Cube("second", "Stone"));
  model.meshes.push_back(fixtures::Square("third", "Stone", 0.25f));
  Write("three.3do", model);
  Objet3D object;
  ASSERT_EQ(object.Load("three.3do"), 1);
  ASSERT_EQ(object.meshCount, 3);
  EXPECT_EQ(object.GetMesh(0)->name, "third");
  EXPECT_EQ(object.GetMesh(2)->name, "square");
  EXPECT_EQ(object.GetMesh(3), nullptr);
  EXPECT_EQ(object.GetMesh(-1), nullptr);
  EXPECT_EQ(object.vertexTotal, 4 + 24 + 4);
  EXPECT_EQ(object.GetMesh(1)->faces, model.meshes[1].faces);
  EXPECT_EQ(object.GetMesh(1)->texCoords0, model.meshes[1].texCoords);
}

TEST_F(LoaderTest, MaterialFlagsNormalModesAndTexturesFollowTheRecord) {
  // Texture names are opened in lower case; an alpha texture makes even an
  // opaque material blended; unlit, the texture replaces the colour.
  ASSERT_TRUE(fixtures::WritePng(m_dir / "stone.png", 4, 4, 3, fixtures::Solid(4, 4, {10, 20, 30})));
  ASSERT_TRUE(fixtures::WritePng(m_dir / "glow.png", 2, 2, 4, fixtures::Solid(2, 2, {255, 255, 255, 128})));
  struct Case {
    int shading, unlit, twoSided;
    float opacity;
    const char *base, *environment;
    int flags, normalMode;
  };
  const int lit = kMaterialLit, textured = kMaterialTextured, blended = kMaterialBlended;
  const Case cases[] = {
      {1, 0, 0, 1.0f, "", "", lit, kFaceNormals},
      {2, 0, 0, 1.0f, "", "", lit | kMaterialSmooth, kVertexNormals},
      {0, 0, 1, 1.0f, "", "", lit | kMaterialSmooth | kMaterialTwoSided, kVertexNormals},
      {1, 3, 2, 1.0f, "", "", 0, kNoNormals},
      {1, 1, 0, 0.5f, "", "", blended, kNoNormals},
      {1, 0, 0, 1.0f, "Stone.PNG", "GLOW.png", lit | textured | kMaterialEnvironment | blended, kVertexNormals},
      {1, 1, 0, 1.0f, "glow.png", "", textured | blended, kNoNormals},
  };
  int index = 0;
  for (const Case& c : cases) {
    MaterialSpec spec = Spec(("M" + std::to_string(index)).c_str());
    spec.shading = c.shading;
    spec.unlit = c.unlit;
    spec.twoSided = c.twoSided;
    spec.opacity = c.opacity;
    spec.base = c.base;
    spec.environment = c.environment;
    const std::string file = "m" + std::to_string(index++) + ".3do";
    SCOPED_TRACE(file);
    Write(file, OneSquare(spec));
    Objet3D object;
    ASSERT_EQ(object.Load(file.c_str()), 1);
    const Mesh3D* mesh = object.GetMesh(0);
    ASSERT_NE(mesh->material, nullptr);
    EXPECT_EQ(mesh->material->flags, c.flags);
    EXPECT_EQ(mesh->normalMode, c.normalMode);
    EXPECT_EQ(mesh->material->blendMode, (c.flags & blended) ? 5 : 1);
    EXPECT_FLOAT_EQ(mesh->material->opacity, c.opacity);
    if (*c.base) {
      EXPECT_EQ(mesh->material->baseTexture->fileName, m_dir.Path() + (c.unlit ? "/glow.png" : "/stone.png"));
      EXPECT_EQ(mesh->material->baseTexture->envMode, c.unlit ? GL_REPLACE : GL_MODULATE);
    }
  }
}

TEST_F(LoaderTest, ASecondDefinitionOfAMaterialIsIgnoredAndNamesCompareExactly) {
  MaterialSpec first = Spec("Stone");
  first.diffuse[0] = 0.1f;
  MaterialSpec second = Spec("Stone");
  second.diffuse[0] = 0.9f;
  second.unlit = 1;
  Write("a.3do", OneSquare(first));
  Write("b.3do", OneSquare(second));
  Write("c.3do", OneSquare(Spec("stone")));
  Objet3D a, b, c;
  ASSERT_EQ(a.Load("a.3do"), 1);
  ASSERT_EQ(b.Load("b.3do"), 1);
  ASSERT_EQ(c.Load("c.3do"), 1);
  Material* shared = a.GetMesh(0)->material;
  EXPECT_EQ(b.GetMesh(0)->material, shared);
  EXPECT_NE(c.GetMesh(0)->material, shared);
  EXPECT_FLOAT_EQ(shared->diffuse[0], 0.1f);
  EXPECT_EQ(b.GetMesh(0)->normalMode, kFaceNormals);
  EXPECT_EQ(shared->referenceCount, 2);
  EXPECT_EQ(Materials().Count(), 2);
  a.Free();
  EXPECT_EQ(FindMaterial("Stone"), shared);
  b.Free();
  EXPECT_EQ(FindMaterial("Stone"), nullptr);
}

TEST_F(LoaderTest, AMaterialKnownFromAnEarlierObjectNeedsNoRecord) {
  Write("a.3do", OneSquare(Spec("Stone")));
  ModelFileData borrower;
  borrower.meshes.push_back(fixtures::Square("square", "Stone"));
  Write("b.3do", borrower);
  Objet3D b;
  EXPECT_NE(LoadCapturing(b, "b.3do", 0).find("unknown material \"Stone\""), std::string::npos);
  Objet3D a;
  ASSERT_EQ(a.Load("a.3do"), 1);
  ASSERT_EQ(b.Load("b.3do"), 1);
  EXPECT_EQ(b.GetMesh(0)->material, a.GetMesh(0)->material);
  EXPECT_EQ(a.GetMesh(0)->material->referenceCount, 1);  // b holds no reference
}

TEST_F(LoaderTest, AMissingFileIsReportedWithItsPath) {
  Objet3D object;
  EXPECT_EQ(LoadCapturing(object, "nothing.3do", 0), "Couldn't load Objet3D " + m_dir.Path() + "/nothing.3do\n");
  Objet3D::SetObjectDirectory("data\\gfx\\3d\\");
  EXPECT_EQ(LoadCapturing(object, "cube.3do", 0), "Couldn't load Objet3D data\\gfx\\3d\\cube.3do\n");
}

TEST_F(LoaderTest, BrokenFilesAreRefusedWithOneLineAndChangeNothing) {
  // The object already holds a mesh: a refused file must leave it as it was.
  Write("good.3do", OneSquare(Spec("Stone")));
  Objet3D object;
  ASSERT_EQ(object.Load("good.3do"), 1);

  std::vector<uint8_t> good = EncodeModelFile(OneSquare(Spec("Other")));
  std::vector<std::pair<std::string, std::vector<uint8_t>>> broken;
  broken.emplace_back("truncated", std::vector<uint8_t>(good.begin(), good.end() - 5));
  std::vector<uint8_t> negative = good;
  const int32_t minusOne = -1;
  std::memcpy(&negative[7 + 4 + 160], &minusOne, 4);  // vertex count
  broken.emplace_back("negative", negative);
  ModelFileData outside = OneSquare(Spec("Other"));
  outside.meshes[0].faces[4] = 4;
  broken.emplace_back("outside", EncodeModelFile(outside));
  ModelFileData unknown = OneSquare(Spec("Other"));
  unknown.meshes[0].material = "Nowhere";
  broken.emplace_back("unknown", EncodeModelFile(unknown));
  ModelFileData notANumber = OneSquare(Spec("Other"));
  notANumber.meshes[0].positions[4] = std::numeric_limits<float>::quiet_NaN();
  broken.emplace_back("nan", EncodeModelFile(notANumber));
  ModelFileData huge = OneSquare(Spec("Other"));
  huge.meshes[0].positions[0] = 3.0e6f;
  broken.emplace_back("huge", EncodeModelFile(huge));

  const int filesBefore = OpenFileCount();
  for (const auto& [name, bytes] : broken) {
    WriteBytes(name + ".3do", bytes);
    const std::string message = LoadCapturing(object, (name + ".3do").c_str(), 0);
    EXPECT_EQ(message.rfind("Couldn't load Objet3D " + m_dir.Path() + "/" + name + ".3do: ", 0), 0u) << message;
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
  }
  EXPECT_EQ(OpenFileCount(), filesBefore);
  EXPECT_EQ(object.meshCount, 1);
  EXPECT_EQ(object.vertexTotal, 4);
  EXPECT_EQ(object.name, "good.3do");
  EXPECT_EQ(Materials().Count(), 1);
}

TEST_F(LoaderTest, AMissingTextureRefusesTheFileAndReleasesItsMaterials) {
  Write("good.3do", OneSquare(Spec("Stone")));
  ModelFileData model = OneSquare(Spec("Fresh"));
  MaterialSpec missing = Spec("Painted");
  missing.base = "Missing.png";
  model.meshes.push_back(fixtures::Square("painted", "Painted"));
  model.materials.push_back(fixtures::Material(missing));
  model.materials.push_back(fixtures::Material(Spec("Stone")));
  Write("bad.3do", model);

  Objet3D good, bad;
  ASSERT_EQ(good.Load("good.3do"), 1);
  const int filesBefore = OpenFileCount();
  EXPECT_EQ(LoadCapturing(bad, "bad.3do", 0), "Couldn't load texture " + m_dir.Path() + "/missing.png\n");
  EXPECT_EQ(OpenFileCount(), filesBefore);
  EXPECT_EQ(bad.meshCount, 0);
  EXPECT_EQ(bad.materials.Count(), 0);
  EXPECT_EQ(FindMaterial("Fresh"), nullptr);
  EXPECT_EQ(FindMaterial("Painted"), nullptr);
  EXPECT_EQ(FindMaterial("Stone")->referenceCount, 1);
}
