// The page screen under the virtual display: the composed page fills the
// window pixel for pixel once faded in, a key release fades it out, and a
// missing page is skipped.
#include <GL/gl.h>
#include <SDL.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/Display.h"
#include "config/Settings.h"
#include "pages/PageCompose.h"
#include "pages/Pages.h"
#include "render/Overlay.h"
#include "tests/support/GLFrame.h"
#include "tests/support/TestFiles.h"

using namespace testsupport;

namespace {

class PageScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO), 0);
    ASSERT_EQ(TTF_Init(), 0);
    g_settings.windowed = 1;
    ASSERT_EQ(OpenDisplay(kPageWidth, kPageHeight), 1);
    SetOverlayScreenSize(kPageWidth, kPageHeight);
  }
  void TearDown() override {
    CloseDisplay();
    TTF_Quit();
    SDL_Quit();
  }
  static std::vector<uint8_t> ReadScreen() { return ReadFrame(kPageWidth, kPageHeight).rgb; }
  // Screen pixel against page pixel.
  static bool Same(const std::vector<uint8_t>& screen, const PageImage& page, int x, int y) {
    const uint8_t* s = &screen[(static_cast<size_t>(y) * kPageWidth + x) * 3];
    const uint8_t* p = &page[(static_cast<size_t>(y) * kPageWidth + x) * 4];
    return s[0] == p[0] && s[1] == p[1] && s[2] == p[2];
  }
};

TEST_F(PageScreenTest, ThePageFillsTheScreenExactlyAndFadesOutAfterAKeyRelease) {
  ScopedWorkingDirectory inGame(GameTreeDir());
  g_settings.lang = "fr";
  std::srand(5);
  PageScreen screen;
  ASSERT_EQ(EnterPageScreen(screen, 2), 1);
  EXPECT_EQ(screen.picture.tilesAcross, 4);
  EXPECT_EQ(screen.picture.tilesDown, 3);
  std::srand(5);
  auto page = ParsePageScript("data/order/scriptorder2_fr.txt", "data/order/");
  ASSERT_TRUE(page);
  PageImage expected = ComposePage(*page);

  DrawPageScreen(screen);
  std::vector<uint8_t> black = ReadScreen();
  EXPECT_LT(*std::max_element(black.begin(), black.end()), 2) << "the fade starts from black";

  UpdatePageScreen(screen, 100.0f);
  DrawPageScreen(screen);
  std::vector<uint8_t> shown = ReadScreen();
  int differing = 0;
  for (int y = 0; y < kPageHeight; ++y)
    for (int x = 0; x < kPageWidth; ++x) differing += !Same(shown, expected, x, y);
  EXPECT_EQ(differing, 0);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));

  SDL_Event release = {};
  release.type = SDL_KEYUP;
  PageScreenEvent(screen, release);
  UpdatePageScreen(screen, 50.0f);
  EXPECT_FALSE(screen.done);
  DrawPageScreen(screen);
  std::vector<uint8_t> half = ReadScreen();
  long shownSum = 0, halfSum = 0;
  for (size_t i = 0; i < shown.size(); ++i) {
    shownSum += shown[i];
    halfSum += half[i];
  }
  EXPECT_NEAR(static_cast<double>(halfSum) / shownSum, 0.5, 0.02);
  UpdatePageScreen(screen, 50.0f);
  EXPECT_TRUE(screen.done);
  LeavePageScreen(screen);
  EXPECT_FALSE(screen.picture.HasTiles());
}

TEST_F(PageScreenTest, ShowPageRunsUntilAReleaseAndAMissingPageIsSkipped) {
  ScopedWorkingDirectory inGame(GameTreeDir());
  g_settings.lang = "en";
  SDL_Event release = {};
  release.type = SDL_MOUSEBUTTONUP;
  SDL_PushEvent(&release);
  EXPECT_EQ(ShowPage(3), 1);

  g_settings.lang = "xx";
  CapturedStream err(2);
  EXPECT_EQ(ShowPage(3), 0);
  EXPECT_EQ(err.Text(), "Page script data/order/scriptorder3_xx.txt not found\n");
}

}  // namespace
