// Theme directories and "theme.ini": the numbering rule with its error,
// values kept when keys are missing or malformed, missing optional textures.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/ORBConfigFile.h"
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

}  // namespace
