// The generated art as the game reads it: reproducible bytes, the textures'
// sizes and channels, the themes' settings, morph pairs, wall pieces that tile
// without gaps after the loader's nudge and scaling, and the letter cube's
// placement and tiles.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "base/ORBConfigFile.h"
#include "engine3d/Material.h"
#include "engine3d/Objet3D.h"
#include "tests/support/TestFiles.h"
#include "tests/tools/artgen/ArtFiles.h"
#include "render/ThemeKeys.h"

using namespace arttest;
using testsupport::FileExists;
using testsupport::ReadFile;

namespace {

constexpr float kSquare = 0.0625f;

std::string Generator() { return std::string(std::getenv("GLYPHOX_BINARY_DIR")) + "/tools/artgen/glyphox-artgen"; }
std::string FontDir() { return testsupport::GameTreeDir() + "/data"; }

bool LoadScaled(Objet3D& object, const std::string& objects, const std::string& textures, const char* name,
                float scale) {
  Objet3D::SetObjectDirectory(objects.c_str());
  Objet3D::SetTextureDirectory(textures.c_str());
  if (!object.Load(name)) return false;
  const float centre[3] = {0, 0, 0}, s[3] = {scale, scale, scale};
  object.Transform(centre, s);
  return true;
}

template <typename Fn>
void ForEachPosition(const Objet3D& object, Fn fn) {
  for (const Mesh3D* m = object.meshes; m; m = m->next)
    for (int v = 0; v < m->vertexCount; ++v) fn(m->Position(static_cast<uint32_t>(v)), m, v);
}

}  // namespace

TEST(GeneratedArt, TwoRunsWriteTheSameBytesAsTheGameTree) {
  testsupport::TempDir first, second;
  ASSERT_EQ(testsupport::RunProgram({Generator(), first.Path(), FontDir()}), 0);
  ASSERT_EQ(testsupport::RunProgram({Generator(), second.Path(), FontDir()}), 0);
  std::vector<std::string> files = ListFiles(first.Path());
  ASSERT_GT(files.size(), 100u);
  EXPECT_EQ(files, ListFiles(second.Path()));
  std::vector<std::string> shipped = ListFiles(GfxDir());
  shipped.erase(std::remove(shipped.begin(), shipped.end(), ".artgen-stamp"), shipped.end());
  EXPECT_EQ(files, shipped);
  for (const std::string& f : files) {
    std::string bytes = ReadFile(first / f);
    EXPECT_FALSE(bytes.empty()) << f;
    EXPECT_TRUE(bytes == ReadFile(second / f)) << f << " differs between two runs";
    EXPECT_TRUE(bytes == ReadFile(GfxDir() + f)) << f << " differs from the game tree";
  }
}

TEST(GeneratedArt, TexturesHaveTheSizesAndChannelsTheGameNeeds) {
  struct Expect {
    std::string file;
    int width, height, channels;  // 0: any power of two
  };
  std::vector<Expect> expected = {{"2d/pointeur.png", 32, 32, 4}, {"2d/particule1.png", 0, 0, 4},
                                  {"2d/selection.png", 0, 0, 4},  {"2d/cube.png", 64, 512, 3}};
  ASSERT_EQ(ThemeDirs().size(), 3u);
  for (const std::string& theme : ThemeDirs()) {
    for (const char* face : {"objet.png", "objeton.png", "objetoff.png", "echec.png"})
      expected.push_back({theme + "texture/" + face, 64, 64, 3});
    expected.push_back({theme + "texture/shadowarrow.png", 64, 64, 4});
    for (const char* other : {"bordure.png", "halo2.png", "flecheof.png", "flecheon.png"})
      expected.push_back({theme + "texture/" + other, 0, 0, 0});
  }
  for (const Expect& e : expected) {
    PngHeader png = ReadPngHeader(GfxDir() + e.file);
    ASSERT_TRUE(png.valid) << e.file;
    if (e.width) {
      EXPECT_EQ(png.width, e.width) << e.file;
      EXPECT_EQ(png.height, e.height) << e.file;
    }
    if (e.channels) {
      EXPECT_EQ(png.channels, e.channels) << e.file;
    }
    EXPECT_NE(png.channels, 0) << e.file << " is neither 8-bit RGB nor RGBA";
  }
  // Every picture shipped: power-of-two sides, for the GL 1.1 uploads.
  for (const std::string& f : ListFiles(GfxDir())) {
    if (f.size() < 4 || f.compare(f.size() - 4, 4, ".png") != 0) continue;
    PngHeader png = ReadPngHeader(GfxDir() + f);
    ASSERT_TRUE(png.valid) << f;
    EXPECT_EQ(png.width & (png.width - 1), 0) << f;
    EXPECT_EQ(png.height & (png.height - 1), 0) << f;
  }
}

// Each group of models the game loads together, with the directory its
// textures come from.
struct ModelGroup {
  std::string objects, textures;
  std::vector<std::string> files;
};

std::vector<ModelGroup> ShippedModelGroups() {
  std::vector<ModelGroup> groups;
  groups.push_back({"3d/", "2d/", {"cube.3do"}});
  groups.push_back({"2d/", "2d/", {"fondmenu.3do", "fondmenumorph.3do", "logo.3do", "logomorph.3do"}});
  for (const std::string& theme : ThemeDirs()) {
    ModelGroup g{theme + "3d/", theme + "texture/", {}};
    for (const char* wall : kWallPieceFiles) g.files.push_back(wall);
    for (const char* other : {"fleche.3do", "flechemorph.3do", "fond.3do", "sol.3do"}) g.files.push_back(other);
    groups.push_back(g);
  }
  return groups;
}

// That every model loads with its textures is art_models_check's; here, that
// materials are shared by name across every loaded object: a name defined in
// two places would give one of them the other's look.
TEST(GeneratedArt, MaterialsBelongToOneDirectoryAndNameTexturesInLowerCase) {
  std::map<std::string, std::string> owner;
  for (const ModelGroup& group : ShippedModelGroups()) {
    for (const std::string& file : group.files) {
      ModelFileData model;
      ASSERT_TRUE(ReadModel(GfxDir() + group.objects + file, model)) << group.objects << file;
      for (const ModelMaterial& m : model.materials) {
        auto it = owner.emplace(m.name, group.objects).first;
        EXPECT_EQ(it->second, group.objects) << "material " << m.name << " is defined in two directories";
        for (const std::string& texture : {m.baseTexture, m.environmentTexture}) {
          std::string lower = texture;
          for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
          EXPECT_EQ(texture, lower) << "texture names are opened in lower case";
        }
      }
    }
  }
}

TEST(GeneratedArt, MorphTargetsShareTheTopologyOfTheirSources) {
  std::vector<std::pair<std::string, std::string>> pairs = {{"2d/fondmenu.3do", "2d/fondmenumorph.3do"},
                                                            {"2d/logo.3do", "2d/logomorph.3do"}};
  for (const std::string& theme : ThemeDirs()) pairs.push_back({theme + "3d/fleche.3do", theme + "3d/flechemorph.3do"});
  for (const auto& [sourceFile, targetFile] : pairs) {
    ModelFileData source, target;
    ASSERT_TRUE(ReadModel(GfxDir() + sourceFile, source)) << sourceFile;
    ASSERT_TRUE(ReadModel(GfxDir() + targetFile, target)) << targetFile;
    ASSERT_EQ(source.meshes.size(), target.meshes.size()) << sourceFile;
    bool moves = false;
    for (size_t i = 0; i < source.meshes.size(); ++i) {
      const ModelMesh &a = source.meshes[i], &b = target.meshes[i];
      EXPECT_EQ(a.name, b.name);
      EXPECT_EQ(a.material, b.material);
      ASSERT_EQ(a.VertexCount(), b.VertexCount()) << sourceFile;
      EXPECT_EQ(a.faces, b.faces) << sourceFile;
      EXPECT_EQ(a.texCoords, b.texCoords) << sourceFile;
      moves = moves || a.positions != b.positions;
    }
    EXPECT_TRUE(moves) << targetFile << " does not move anything";
  }
}

TEST(ThemeIni, HoldsEveryKeyInItsFormat) {
  std::set<std::string> fonts;
  for (const std::string& theme : ThemeDirs()) {
    ORBConfigFile ini;
    ASSERT_TRUE(ini.Load((GfxDir() + theme + "theme.ini").c_str())) << theme;
    EXPECT_EQ(ini.EntryCount(), kThemeKeyCount) << theme;
    for (int k = 0; k < kThemeKeyCount; ++k) {
      const int values = kThemeKeyKinds[k] == kThemeTriple ? 3 : kThemeKeyKinds[k] == kThemeSingle ? 1 : 0;
      if (!values) continue;
      const std::string key = kThemeKeys[k];
      ORBString text;
      ASSERT_TRUE(ini.GetValue(key.c_str(), text)) << theme << key;
      float v[3];
      char extra;
      ASSERT_EQ(std::sscanf(text.c_str(), "%f,%f,%f%c", &v[0], &v[1], &v[2], &extra), values) << theme << key;
      if (key.find("Position") != std::string::npos) {
        EXPECT_GT(v[1], 0.0f) << theme << key << " must light the board from above";
        continue;
      }
      for (int i = 0; i < values; ++i) EXPECT_TRUE(v[i] >= 0.0f && (values == 1 || v[i] <= 1.0f)) << theme << key;
    }
    ORBString font;
    ASSERT_TRUE(ini.GetValue(kThemeKeys[kKeyFont], font)) << theme;
    EXPECT_TRUE(FileExists(testsupport::GameTreeDir() + "/" + font.c_str())) << font.c_str();
    fonts.insert(font.c_str());
  }
  EXPECT_EQ(fonts.size(), 3u) << "each theme has a face of its own";
}

namespace {

// Positions on one side plane of a piece, as the two coordinates along it.
using Ring = std::set<std::pair<float, float>>;

Ring SidePositions(const Objet3D& piece, int side) {
  const float h = kSquare * 0.5f;
  Ring ring;
  ForEachPosition(piece, [&](const float* p, const Mesh3D*, int) {
    if (side == 1 && p[2] == -h) ring.insert({p[0], p[1]});
    if (side == 4 && p[2] == h) ring.insert({p[0], p[1]});
    if (side == 2 && p[0] == h) ring.insert({p[2], p[1]});
    if (side == 8 && p[0] == -h) ring.insert({p[2], p[1]});
  });
  return ring;
}

class WallPieces : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(ThemeDirs().size(), 3u);
    for (const std::string& theme : ThemeDirs()) {
      std::vector<std::unique_ptr<Objet3D>> set;
      for (const char* file : kWallPieceFiles) {
        set.emplace_back(new Objet3D);
        ASSERT_TRUE(LoadScaled(*set.back(), GfxDir() + theme + "3d/", GfxDir() + theme + "texture/", file, kSquare))
            << theme << file;
      }
      m_themes.push_back(std::move(set));
    }
  }
  std::vector<std::vector<std::unique_ptr<Objet3D>>> m_themes;
};

}  // namespace

TEST_F(WallPieces, ReachTheSquaresEdgeExactlyWhereTheirShapeContinues) {
  const float h = kSquare * 0.5f;
  for (size_t t = 0; t < m_themes.size(); ++t) {
    for (int shape = 0; shape < 16; ++shape) {
      const Objet3D& piece = *m_themes[t][shape];
      float low[3] = {1e9f, 1e9f, 1e9f}, high[3] = {-1e9f, -1e9f, -1e9f};
      ForEachPosition(piece, [&](const float* p, const Mesh3D*, int) {
        for (int a = 0; a < 3; ++a) {
          low[a] = std::fmin(low[a], p[a]);
          high[a] = std::fmax(high[a], p[a]);
        }
      });
      SCOPED_TRACE("theme " + std::to_string(t + 1) + " " + kWallPieceFiles[shape]);
      // On the floor, no taller than a cube, inside its square.
      EXPECT_EQ(low[1], 0.0f);
      EXPECT_LE(high[1], kSquare);
      EXPECT_GE(high[1], kSquare * 0.5f);
      const int sides = kWallShapeSides[shape];
      const float towards[4] = {-low[2], high[0], high[2], -low[0]};  // N, E, S, W
      for (int k = 0; k < 4; ++k) {
        int side = 1 << k;
        if (sides & side) {
          EXPECT_EQ(towards[k], h) << "side " << side << " must reach the edge";
          EXPECT_GE(SidePositions(piece, side).size(), 4u);
        } else {
          EXPECT_LE(towards[k], h * 0.9f) << "side " << side << " must stay off the edge";
          EXPECT_TRUE(SidePositions(piece, side).empty());
        }
      }
    }
  }
}

TEST_F(WallPieces, NeighboursMeetOnTheSameRingOfPositions) {
  // Placed at (x s, 0, y s), a piece's East edge is its neighbour's West edge:
  // every shape continuing East must end on the positions where every shape
  // continuing West starts, and likewise South against North.
  for (size_t t = 0; t < m_themes.size(); ++t) {
    for (int a = 0; a < 16; ++a) {
      for (int b = 0; b < 16; ++b) {
        SCOPED_TRACE("theme " + std::to_string(t + 1) + " " + kWallPieceFiles[a] + " next to " + kWallPieceFiles[b]);
        if ((kWallShapeSides[a] & 2) && (kWallShapeSides[b] & 8)) {
          EXPECT_EQ(SidePositions(*m_themes[t][a], 2), SidePositions(*m_themes[t][b], 8));
        }
        if ((kWallShapeSides[a] & 4) && (kWallShapeSides[b] & 1)) {
          EXPECT_EQ(SidePositions(*m_themes[t][a], 4), SidePositions(*m_themes[t][b], 1));
        }
      }
    }
  }
}

TEST(ArtBudget, TriangleCountsStayFitForASoftwareRenderer) {
  // A board may hold about 200 cubes and 300 wall pieces, each drawn in the
  // mirror and shadow passes as well.
  auto faces = [](const std::string& file) {
    ModelFileData model;
    size_t n = 0;
    if (ReadModel(GfxDir() + file, model))
      for (const ModelMesh& m : model.meshes) n += static_cast<size_t>(m.FaceCount());
    return n;
  };
  size_t cube = faces("3d/cube.3do");
  std::printf("cube.3do: %zu triangles\n", cube);
  EXPECT_LE(cube, 60u);
  for (const std::string& theme : ThemeDirs()) {
    size_t total = 0, most = 0;
    for (const char* wall : kWallPieceFiles) {
      size_t n = faces(theme + "3d/" + wall);
      total += n;
      most = std::max(most, n);
    }
    std::printf("%s walls: %zu triangles on average, %zu at most; arrow %zu; background %zu\n", theme.c_str(),
                total / 16, most, faces(theme + "3d/fleche.3do"), faces(theme + "3d/fond.3do"));
    EXPECT_LE(most, 150u) << theme;
    EXPECT_LE(faces(theme + "3d/fleche.3do"), 120u) << theme;
    EXPECT_LE(faces(theme + "3d/fond.3do"), 6000u) << theme;
  }
  // The title's face neighbours are searched at start-up.
  std::printf("logo.3do: %zu triangles\n", faces("2d/logo.3do"));
  EXPECT_LE(faces("2d/logo.3do"), 8000u);
}
