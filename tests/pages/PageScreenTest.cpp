// The page screen under the virtual display: the composed page fills the
// window pixel for pixel once faded in, a key release fades it out and pops
// it, and a missing page pops at once after its message.
#include <GL/gl.h>
#include <SDL.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "pages/PageCompose.h"
#include "pages/Pages.h"
#include "platform/Display.h"
#include "platform/ScreenStack.h"
#include "render/Renderer.h"
#include "tests/support/GLFrame.h"
#include "tests/support/TestFiles.h"

using namespace testsupport;

namespace {

class PageScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO), 0);
    ASSERT_EQ(TTF_Init(), 0);
    ASSERT_EQ(OpenDisplay(kPageWidth, kPageHeight), 1);
    renderer = std::make_unique<Renderer>(kPageWidth, kPageHeight, RenderOptions(), puzzle);
  }
  void TearDown() override {
    stack.LeaveAll();
    renderer.reset();
    CloseDisplay();
    TTF_Quit();
    SDL_Quit();
  }
  PageScreen& Show(int pageSet, const char* lang) {
    auto screen = std::make_unique<PageScreen>(pageSet, lang, *renderer);
    PageScreen& page = *screen;
    stack.Push(std::move(screen));
    stack.Apply();
    return page;
  }
  // Draws the page after frameDelta frame units.
  static std::vector<uint8_t> After(PageScreen& page, float frameDelta) {
    page.Update(FrameTime{frameDelta, 0.0f, 0.0f}, Pointer());
    page.Draw();
    return ReadFrame(kPageWidth, kPageHeight).rgb;
  }
  // Screen pixel against page pixel.
  static bool Same(const std::vector<uint8_t>& screen, const PageImage& page, int x, int y) {
    const uint8_t* s = &screen[(static_cast<size_t>(y) * kPageWidth + x) * 3];
    const uint8_t* p = &page[(static_cast<size_t>(y) * kPageWidth + x) * 4];
    return s[0] == p[0] && s[1] == p[1] && s[2] == p[2];
  }

  Puzzle puzzle;
  std::unique_ptr<Renderer> renderer;
  ScreenStack stack;
};

}  // namespace

TEST_F(PageScreenTest, ThePageFillsTheScreenExactlyAndFadesOutAfterAKeyRelease) {
  ScopedWorkingDirectory inGame(GameTreeDir());
  std::srand(5);
  PageScreen& screen = Show(2, "fr");
  std::srand(5);
  auto page = ParsePageScript("data/order/scriptorder2_fr.txt", "data/order/");
  ASSERT_TRUE(page);
  PageImage expected = ComposePage(*page);

  std::vector<uint8_t> black = After(screen, 0.0f);
  EXPECT_LT(*std::max_element(black.begin(), black.end()), 2) << "the fade starts from black";

  std::vector<uint8_t> shown = After(screen, 100.0f);
  int differing = 0;
  for (int y = 0; y < kPageHeight; ++y)
    for (int x = 0; x < kPageWidth; ++x) differing += !Same(shown, expected, x, y);
  EXPECT_EQ(differing, 0);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));

  SDL_Event release = {};
  release.type = SDL_KEYUP;
  screen.Event(release);
  std::vector<uint8_t> half = After(screen, 50.0f);
  EXPECT_FALSE(stack.HasPending());
  long shownSum = 0, halfSum = 0;
  for (size_t i = 0; i < shown.size(); ++i) {
    shownSum += shown[i];
    halfSum += half[i];
  }
  EXPECT_NEAR(static_cast<double>(halfSum) / shownSum, 0.5, 0.02);
  After(screen, 50.0f);
  EXPECT_TRUE(stack.HasPending()) << "the page pops itself";
  stack.Apply();
  EXPECT_TRUE(stack.Empty());
}

TEST_F(PageScreenTest, AMissingPagePopsAtOnce) {
  ScopedWorkingDirectory inGame(GameTreeDir());
  CapturedStream err(2);
  Show(3, "xx");
  EXPECT_TRUE(stack.Empty());
  EXPECT_EQ(err.Text(), "Page script data/order/scriptorder3_xx.txt not found\n");
}
