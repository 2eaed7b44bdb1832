// GLBitmap2D and the overlays under the virtual display: resampling, tiles,
// opaque and blended drawing, screen grabs and fades.
#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>

#include "platform/Display.h"
#include "config/Settings.h"
#include "render/Bitmap2D.h"
#include "render/Renderer.h"
#include "tests/support/GLFrame.h"
#include "tests/support/TestFiles.h"

using testsupport::CapturedStream;

namespace {

constexpr int W = 1024, H = 768;

// The screen capture below is resampled and drawn back; here, sizes it
// cannot be made from.
TEST(Resample, RefusesSizesItCannotBeMadeFrom) {
  std::vector<uint8_t> two = {0, 0, 0, 200, 100, 50};  // 2 x 1
  EXPECT_EQ(ResampleBilinear(two, 2, 1, 4, 1).size(), 12u);
  EXPECT_TRUE(ResampleBilinear(two, 2, 1, 0, 5).empty());
  EXPECT_TRUE(ResampleBilinear(two, 3, 3, 5, 5).empty()) << "too few pixels for the size";
}

class Bitmap2DTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO), 0);
    g_settings.windowed = 1;
    ASSERT_EQ(OpenDisplay(W, H), 1);
    renderer = std::make_unique<Renderer>(W, H, RenderOptions(), puzzle);
  }
  void TearDown() override {
    renderer.reset();
    CloseDisplay();
    SDL_Quit();
  }
  // Pixel of the frame drawn, y from the top.
  static std::array<int, 3> Pixel(int x, int y) {
    testsupport::Rgb c = testsupport::ReadFrame(W, H).At(x, y);
    return {c.r, c.g, c.b};
  }
  static void ClearTo(float r, float g, float b) {
    glClearColor(r, g, b, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }
  // A full-screen RGBA pattern: red = x, green = y, blue = 77.
  static std::vector<uint8_t> Pattern() {
    std::vector<uint8_t> rgba(static_cast<size_t>(W) * H * 4, 255);
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) {
        uint8_t* p = &rgba[(static_cast<size_t>(y) * W + x) * 4];
        p[0] = static_cast<uint8_t>(x);
        p[1] = static_cast<uint8_t>(y);
        p[2] = 77;
      }
    return rgba;
  }

  Puzzle puzzle;
  std::unique_ptr<Renderer> renderer;
};

TEST_F(Bitmap2DTest, AtAlphaOneThePictureIsOpaqueAndExact) {
  GLBitmap2D picture;
  std::vector<uint8_t> rgba = Pattern();
  picture.SetFromRGBA(rgba.data(), W, H);
  ASSERT_EQ(picture.pixels.size(), static_cast<size_t>(W) * H * 3) << "alpha is dropped";
  ASSERT_EQ(picture.MakeTiles(256, 256), 1);
  EXPECT_EQ(picture.tileCount, 12);
  ClearTo(1, 0, 0);
  glEnable(GL_BLEND);
  picture.Draw(1.0f);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  for (auto [x, y] : {std::pair{0, 0}, {255, 255}, {256, 256}, {700, 500}, {1023, 767}})
    EXPECT_EQ(Pixel(x, y), (std::array<int, 3>{x & 255, y & 255, 77})) << x << "," << y;

  ClearTo(1, 0, 0);
  picture.Draw(0.5f);
  std::array<int, 3> mixed = Pixel(100, 10);
  EXPECT_NEAR(mixed[0], (100 + 255) / 2, 2);
  EXPECT_NEAR(mixed[2], 77 / 2, 2);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(Bitmap2DTest, NoPixelsNoTilesAndA700By500PictureMakesThreeByTwoTilesPaddedWithBlack) {
  GLBitmap2D picture;
  CapturedStream err(2);
  EXPECT_EQ(picture.MakeTiles(256, 256), 0);
  EXPECT_EQ(err.Text(), "GLBitmap2D : image non chargee\n");
  ClearTo(0, 1, 0);
  picture.Draw(1.0f);
  EXPECT_EQ(Pixel(512, 384), (std::array<int, 3>{0, 255, 0})) << "no tiles: nothing drawn";
  std::vector<uint8_t> rgba(700 * 500 * 4, 200);
  picture.SetFromRGBA(rgba.data(), 700, 500);
  ASSERT_EQ(picture.MakeTiles(256, 256), 1);
  EXPECT_EQ(picture.tilesAcross, 3);
  EXPECT_EQ(picture.tilesDown, 2);
  EXPECT_EQ(picture.textures.size(), 6u);
  std::vector<uint8_t> tile(256 * 256 * 3);
  glBindTexture(GL_TEXTURE_2D, picture.textures[5]);  // column 2, row 1
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, tile.data());
  EXPECT_EQ(tile[0], 200) << "picture pixel (512, 256)";
  EXPECT_EQ(tile[(243 * 256 + 187) * 3], 200) << "picture pixel (699, 499)";
  EXPECT_EQ(tile[(243 * 256 + 188) * 3], 0) << "right of the picture";
  EXPECT_EQ(tile[(244 * 256 + 10) * 3], 0) << "below the picture";
}

TEST_F(Bitmap2DTest, AGrabbedScreenIsStoredTopRowFirstAndTheCaptureIsResampled) {
  ClearTo(0, 0, 1);
  glEnable(GL_SCISSOR_TEST);
  glScissor(0, H / 2, W, H / 2);  // the upper half, in GL's bottom-up rows
  ClearTo(0, 1, 0);
  glDisable(GL_SCISSOR_TEST);
  GLBitmap2D grab;
  grab.GrabScreen(W, H);
  ASSERT_EQ(grab.width, W);
  EXPECT_EQ(grab.pixels[1], 255) << "first row: the top of the screen, green";
  EXPECT_EQ(grab.pixels[(static_cast<size_t>(H - 1) * W) * 3 + 2], 255) << "last row: blue";
  grab.Resample(768, 512);
  EXPECT_TRUE(grab.resampled);
  EXPECT_EQ(grab.width, 768);

  renderer->overlay.CaptureScreenForLevelStart();
  ClearTo(1, 0, 0);
  renderer->overlay.DrawScreenCapture(1.0f);
  EXPECT_EQ(Pixel(500, 100), (std::array<int, 3>{0, 255, 0}));
  EXPECT_EQ(Pixel(500, 700), (std::array<int, 3>{0, 0, 255}));
  renderer->overlay.FreeScreenCapture();
  ClearTo(1, 0, 0);
  renderer->overlay.DrawScreenCapture(1.0f);
  EXPECT_EQ(Pixel(500, 100), (std::array<int, 3>{255, 0, 0}));
}

TEST_F(Bitmap2DTest, ThePointerHangsFromItsTopLeftCornerAtTheMouse) {
  ClearTo(0, 0, 0);
  renderer->DrawCursor(100, 100, 16);
  EXPECT_EQ(Pixel(110, 110), (std::array<int, 3>{0, 0, 0})) << "nothing before the menu objects are loaded";
  testsupport::ScopedWorkingDirectory inGame(testsupport::GameTreeDir());
  ASSERT_EQ(renderer->LoadMenuObjects(), 1);
  renderer->DrawCursor(100, 100, 16);
  testsupport::Image frame = testsupport::ReadFrame(W, H);
  int lit = 0;
  for (int y = 96; y < 136; ++y)
    for (int x = 96; x < 136; ++x) {
      testsupport::Rgb p = frame.At(x, y);
      bool on = p.r + p.g + p.b > 30;
      EXPECT_FALSE(on && (x < 100 || y < 100 || x >= 132 || y >= 132)) << x << "," << y;
      lit += on;
    }
  EXPECT_GT(lit, 40);
  EXPECT_GT(frame.At(101, 101).r + frame.At(101, 101).g + frame.At(101, 101).b, 30) << "the tip";
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

TEST_F(Bitmap2DTest, FadesCoverTheScreenAndPutTheStateBack) {
  ClearTo(1, 1, 1);
  renderer->overlay.DrawBlackOverlay(0.5f);
  std::array<int, 3> half = Pixel(1023, 767);
  EXPECT_NEAR(half[0], 128, 2);
  renderer->overlay.Fade(0, 0, 1, 1);
  EXPECT_EQ(Pixel(0, 0), (std::array<int, 3>{0, 0, 255}));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  renderer->overlay.Begin2D();
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
  renderer->overlay.End2D();
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
}

}  // namespace
