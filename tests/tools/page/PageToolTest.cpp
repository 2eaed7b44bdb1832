// glyphox-page composes what the game composes and reports what it cannot.
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "pages/PageCompose.h"
#include "tests/support/Image.h"
#include "tests/support/TestFiles.h"

using namespace testsupport;

TEST(PageTool, WritesTheGamesPageForASetAndLanguage) {
  TempDir dir;
  const std::string order = GameTreeDir() + "/data/order";
  std::string out;
  ASSERT_EQ(RunProgram({GLYPHOX_PAGE_TOOL, order, dir / "p.bmp", "--page", "3", "--lang", "es", "--seed", "3"}, &out), 0);
  Image written = Image::LoadBmp(dir / "p.bmp");
  ASSERT_EQ(written.width, kPageWidth);
  ASSERT_EQ(written.height, kPageHeight);

  ASSERT_EQ(TTF_Init(), 0);
  std::srand(3);
  auto page = ParsePageScript((order + "/scriptorder3_es.txt").c_str(), (order + "/").c_str());
  ASSERT_TRUE(page);
  PageImage image = ComposePage(*page);
  page.reset();
  TTF_Quit();
  int differing = 0;
  for (int y = 0; y < kPageHeight; ++y)
    for (int x = 0; x < kPageWidth; ++x) {
      Rgb c = written.At(x, y);
      const uint8_t* p = &image[(static_cast<size_t>(y) * kPageWidth + x) * 4];
      differing += c.r != p[0] || c.g != p[1] || c.b != p[2];
    }
  EXPECT_EQ(differing, 0);
}

TEST(PageTool, ReportsMissingScriptsAndBadUsage) {
  TempDir dir;
  EXPECT_EQ(RunProgram({GLYPHOX_PAGE_TOOL, dir / "none.txt", dir / "p.bmp"}), 1);
  EXPECT_FALSE(FileExists(dir / "p.bmp"));
  EXPECT_EQ(RunProgram({GLYPHOX_PAGE_TOOL, dir.Path()}), 2);
  EXPECT_EQ(RunProgram({GLYPHOX_PAGE_TOOL, dir / "a", dir / "b", "--page"}), 2);
}
