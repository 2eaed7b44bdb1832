// The platform without a display: the frame clock across the wrap of the
// millisecond counter, and the display-mode choice.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/DisplayModes.h"
#include "platform/FrameClock.h"
#include "tests/support/TestFiles.h"

TEST(FrameClock, ConvergesToTheFrameRateAndSurvivesTheCounterWrapping) {
  FrameClock clock;
  clock.Start(0xFFFFFF00u);
  uint32_t now = 0xFFFFFF00u;
  for (int i = 0; i < 200; ++i) {
    now += 33;  // about 30 frames a second, wrapping past zero on the way
    clock.Tick(now);
  }
  EXPECT_NEAR(clock.frameDelta, 33 * 0.06f, 1e-3);
}

// Frames that take `cost` ms each (one takes 100 ms at `stallAt`), shown
// through the pacer (at rate `then` from frame 31 on, when set): the time
// they took and the longest wait.
TEST(FramePacer, HoldsTheRateWithoutDriftingAndNeverRushesAfterAStall) {
  struct Case {
    int rate, cost, stallAt, frames;
    uint32_t elapsed, longestWait;
    int then = 0;
  };
  const Case cases[] = {
      {60, 5, -1, 61, 1000, 12},    // exactly a second per 60 frames, not 60 x 16 or 60 x 17 ms
      {60, 30, -1, 11, 300, 0},     // slower than the cap: never waits
      {0, 5, -1, 11, 50, 0},        // no cap
      {60, 5, 10, 71, 150 + 100 + 1000, 12},  // a stall: the grid starts again, no burst
      {30, 1, -1, 31, 1000, 33},
      {60, 5, -1, 61, 505 + 29 * 1000 / 30, 29, 30},  // a new rate starts its own grid at once
  };
  for (const Case& c : cases) {
    FramePacer pacer;
    pacer.rate = c.rate;
    uint32_t now = 0xFFFFFFF0u;  // wrapping past zero on the way
    const uint32_t start = now;
    uint32_t longest = 0;
    for (int i = 0; i < c.frames; ++i) {
      if (i > 0) now += i == c.stallAt ? 100 : c.cost;
      if (i == 31 && c.then) pacer.rate = c.then;
      const uint32_t wait = pacer.Wait(now);
      longest = std::max(longest, wait);
      now += wait;
    }
    EXPECT_EQ(now - start, c.elapsed) << "rate " << c.rate << ", cost " << c.cost;
    EXPECT_EQ(longest, c.longestWait) << "rate " << c.rate << ", cost " << c.cost;
  }
}

namespace {
std::string Choose(const std::vector<DisplayMode>& system, int& width, int& height) {
  testsupport::CapturedStream out(1);
  DisplayModeList list = FilterDisplayModes(system, stdout);
  ChooseStartSize(list, width, height, stdout);
  return out.Text();
}
}  // namespace

TEST(DisplayModes, KeepsEach32BitSizeOnceAndKeepsTheWantedSize) {
  int width = 1024, height = 768;
  std::string text = Choose({{32, 640, 480}, {16, 800, 600}, {32, 1024, 768}, {32, 1024, 768}, {32, 512, 384}},
                            width, height);
  EXPECT_EQ(text, "mode 640 x 480\nadd mode : 640 x 480\nmode 1024 x 768\nadd mode : 1024 x 768\nmode 1024 x 768\n");
  EXPECT_EQ(width, 1024);
  EXPECT_EQ(height, 768);
}

TEST(DisplayModes, FallsBackTo800x600WhenListedElse640x480) {
  int width = 1280, height = 1024;
  std::string text = Choose({{32, 800, 600}, {32, 1024, 768}}, width, height);
  EXPECT_NE(text.find("mode not found\n"), std::string::npos);
  EXPECT_EQ(width, 800);
  EXPECT_EQ(height, 600);

  width = 1280, height = 1024;
  Choose({{32, 1024, 768}}, width, height);
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 480);

  width = 800, height = 600;  // no usable mode at all
  EXPECT_EQ(Choose({{16, 800, 600}, {32, 320, 200}}, width, height), "mode not found\n");
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 480);
}

TEST(DisplayModes, AnySizeOffersOnlySizesWithinTheDesktop) {
  const std::vector<DisplayMode> sizes = CommonSizesWithin(1280, 800);
  ASSERT_FALSE(sizes.empty());
  EXPECT_EQ(sizes.front().width, 640);
  for (const DisplayMode& mode : sizes) EXPECT_TRUE(mode.width <= 1280 && mode.height <= 800) << mode.width;
  EXPECT_EQ(sizes.back().width, 1280);
  EXPECT_EQ(sizes.back().height, 800);
  EXPECT_TRUE(CommonSizesWithin(600, 400).empty());

  // A window is offered the usual sizes within the desktop's one mode, and
  // its own size, each once, smallest first.
  const std::vector<DisplayMode> window = WindowSizes({{32, 1280, 1024}}, 900, 700);
  std::vector<std::pair<int, int>> listed;
  for (const DisplayMode& mode : window) listed.push_back({mode.width, mode.height});
  EXPECT_EQ(listed, (std::vector<std::pair<int, int>>{{640, 480}, {800, 600}, {900, 700}, {1024, 768}, {1152, 864},
                                                      {1280, 720}, {1280, 800}, {1280, 960}, {1280, 1024}}));
  EXPECT_EQ(WindowSizes({{32, 1024, 768}}, 1600, 1200).back().width, 1024) << "a window larger than the desktop is not offered";
}
