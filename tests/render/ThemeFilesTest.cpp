// Theme directories and "theme.ini": the numbering rule with its error,
// values kept when keys are missing or malformed, missing optional textures,
// the ground that hides the sky.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "base/ORBConfigFile.h"
#include "engine3d/Objet3D.h"
#include "render/Themes.h"
#include "tests/support/TestFiles.h"

using testsupport::CapturedStream;
using testsupport::ScopedWorkingDirectory;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

void MakeThemes(const TempDir& dir, const std::vector<int>& numbers) {
  for (int n : numbers) {
    const std::string theme = dir / ("data/gfx/theme" + std::to_string(n));
    ASSERT_EQ(std::system(("mkdir -p " + theme).c_str()), 0);
    ASSERT_TRUE(WriteFile(theme + "/theme.ini", "ShadowStrength=0.5\n"));
  }
}

TEST(ThemeCount, TwelveConsecutiveThemesAtMostAndAGapIsTheNumberingError) {
  struct Case {
    std::vector<int> numbers;
    int count;
    std::string said;  // a part of what is printed
  } cases[] = {
      {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}, 12, ""},
      {{1, 2, 4}, 0, "Erreur, les themes doivent avoir des num\xE9ros qui se suivent !\n"},
      {{}, 0, "theme1/theme.ini"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    MakeThemes(dir, c.numbers);
    ScopedWorkingDirectory cwd(dir.Path());
    CapturedStream err(2);
    EXPECT_EQ(CountThemes(), c.count) << c.numbers.size() << " themes";
    EXPECT_NE(err.Text().find(c.said), std::string::npos) << err.Text();
  }
}

TEST(ThemeValues, MissingAndMalformedKeysKeepTheirValues) {
  ThemeValues values;
  values.shadowColor[0] = 0.25f;
  values.shadowStrength = 0.75f;
  values.light0Position[1] = 3.0f;
  values.font = "old.ttf";
  ORBConfigFile file;
  const std::string text(
      "Light0_Position=1.5,abc,2\n"  // malformed triple
      "ReflectStrength=0.5\n"
      "ShadowStrength=0.3,0.4\n"     // a triple where one value belongs
      "CartoonColor=0.1,0.2,0.3\n"
      "GroundLetterColor=1,1\n"      // too short
      "Font=data/DejaVuSans.ttf\n");
  file.LoadFromMemory(text.data(), text.size());
  EXPECT_EQ(ApplyThemeValues(file, values), 3);
  EXPECT_FLOAT_EQ(values.shadowColor[0], 0.25f);
  EXPECT_FLOAT_EQ(values.shadowStrength, 0.75f);
  EXPECT_FLOAT_EQ(values.light0Position[0], 0.0f);
  EXPECT_FLOAT_EQ(values.light0Position[1], 3.0f);
  EXPECT_FLOAT_EQ(values.reflectStrength, 0.5f);
  EXPECT_FLOAT_EQ(values.cartoonColor[2], 0.3f);
  EXPECT_FLOAT_EQ(values.groundLetterColor[0], 0.0f);
  EXPECT_STREQ(values.font.c_str(), "data/DejaVuSans.ttf");
}

TEST(ThemeValues, AMissingOrUnreadableFileIsReportedWithItsPathAndWhy) {
  TempDir dir;
  ThemeValues values;
  {
    CapturedStream err(2);
    EXPECT_EQ(ReadThemeValues((dir.Path() + "/").c_str(), values), 0);
    EXPECT_EQ(err.Text(), "Configuration File " + dir.Path() + "/theme.ini not found\n");
  }
  // Not "not found", and not read as an empty file either.
  std::filesystem::create_directory(dir / "theme.ini");
  CapturedStream err(2);
  EXPECT_EQ(ReadThemeValues((dir.Path() + "/").c_str(), values), 0);
  EXPECT_EQ(err.Text(), "Configuration File " + dir.Path() + "/theme.ini can't be read: Is a directory\n");
}

// The sky may be left out only behind a whole, flat, opaque ground: each
// theme's own has one, reaching out to the haze's rim, and a hole, a blend or
// a lifted corner takes it away.
TEST(Scenery, TheGroundHidesTheSkyOnlyWhenWholeFlatAndOpaque) {
  static Material glass("glass");
  glass.flags = kMaterialBlended;
  const struct {
    const char* what;
    const char* mesh;
    std::function<void(Mesh3D&)> damage;
    bool hides;
  } cases[] = {
      {"as made", kGroundMesh, [](Mesh3D&) {}, true},
      {"two triangles of the haze gone", kHazeMesh, [](Mesh3D& m) { m.faceCount -= 2; }, false},
      {"the ground blended", kGroundMesh, [](Mesh3D& m) { m.material = &glass; }, false},
      {"a corner of the ground lifted", kGroundMesh, [](Mesh3D& m) { m.positions[1] += 0.5f; }, false},
  };
  const auto Reach = [](const Mesh3D& m) {
    float reach = 0;
    for (int v = 0; v < m.vertexCount; ++v) reach = std::max(reach, std::hypot(m.Position(v)[0], m.Position(v)[2]));
    return reach;
  };
  for (int theme = 1; theme <= 3; ++theme) {
    const std::string directory = testsupport::GameTreeDir() + "/data/gfx/theme" + std::to_string(theme) + "/";
    Objet3D::SetObjectDirectory((directory + kThemeObjectFolder).c_str());
    Objet3D::SetTextureDirectory((directory + kThemeTextureFolder).c_str());
    for (const auto& c : cases) {
      SCOPED_TRACE("theme " + std::to_string(theme) + ", " + c.what);
      Objet3D scenery;
      ASSERT_EQ(scenery.Load(kBackgroundModel), 1);
      const Mesh3D *ground = nullptr, *haze = nullptr;
      for (Mesh3D* m = scenery.FirstMesh(); m; m = m->next) {
        if (m->name == c.mesh) c.damage(*m);
        if (m->name == kGroundMesh) ground = m;
        if (m->name == kHazeMesh) haze = m;
      }
      ASSERT_TRUE(ground && haze);
      const GroundDisc disc = FindGroundDisc(scenery);
      if (c.hides) {
        EXPECT_FLOAT_EQ(disc.y, ground->Position(0)[1]);
        EXPECT_GT(disc.radius, Reach(*ground));
        EXPECT_LT(disc.radius, Reach(*haze));
      } else {
        EXPECT_EQ(disc.radius, 0.0f);
      }
    }
  }
}

}  // namespace
