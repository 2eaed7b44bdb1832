// The OpenGL window under the virtual display: GL error messages, the sizes
// it lists and screenshots read back (the state it opens with is what every
// drawing test relies on).
#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <cerrno>

#include <string>

#include "platform/Display.h"
#include "platform/DisplayModes.h"
#include "engine3d/GLContext.h"
#include "tests/support/Image.h"
#include "tests/support/TestFiles.h"

using namespace testsupport;

namespace {
class DisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO), 0) << SDL_GetError();
  }
  void TearDown() override {
    CloseDisplay();
    SDL_Quit();
  }

  static std::string ErrorFor(GLenum bad) {
    CapturedStream err(2);
    if (bad == GL_INVALID_ENUM) glEnable(0x1234);
    if (bad == GL_INVALID_VALUE) glLineWidth(-1.0f);
    if (bad == GL_INVALID_OPERATION) {
      glBegin(GL_TRIANGLES);
      glEnd();
      glEnd();
    }
    if (bad == GL_STACK_UNDERFLOW) glPopMatrix();
    EXPECT_EQ(CheckGLErrors(), 0);
    return err.Text();
  }
};
}  // namespace

TEST_F(DisplayTest, RefusesAZeroSize) { EXPECT_EQ(OpenDisplay(0, 480), 0); }

TEST_F(DisplayTest, ReportsEachGLErrorWithItsMessage) {
  ASSERT_EQ(OpenDisplay(320, 240), 1);
  EXPECT_EQ(ErrorFor(GL_INVALID_ENUM), "OpenGL Error : Invalid Enum\n");
  EXPECT_EQ(ErrorFor(GL_INVALID_VALUE), "OpenGL Error : Invalid Value\n");
  EXPECT_EQ(ErrorFor(GL_INVALID_OPERATION), "OpenGL Error : Invalid Operation\n");
  EXPECT_EQ(ErrorFor(GL_STACK_UNDERFLOW), "OpenGL Error : Stack UnderFlow\n");
  CloseDisplay();
  CapturedStream err(2);
  EXPECT_EQ(CheckGLErrors(), 0);
  EXPECT_EQ(err.Text(), "OpenGL Error : Not Initialized !!!\n");
}

TEST_F(DisplayTest, ScreenshotsAreUprightBmpFilesOfTheFrame) {
  // An odd width exercises the padded rows of a 24-bit BMP.
  ASSERT_EQ(OpenDisplay(333, 201), 1);
  glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glEnable(GL_SCISSOR_TEST);
  glScissor(0, 151, 333, 50);  // the top 50 rows red
  glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glScissor(0, 0, 10, 10);  // the bottom-left corner green
  glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glDisable(GL_SCISSOR_TEST);

  TempDir dir;
  std::string path = dir / "ScreenShot00.bmp";
  ASSERT_EQ(SaveScreenshot(path.c_str()), 1);
  Image shot = Image::LoadBmp(path);
  ASSERT_EQ(shot.width, 333);
  ASSERT_EQ(shot.height, 201);
  EXPECT_EQ(shot.At(100, 10).r, 255);   // top: red
  EXPECT_EQ(shot.At(100, 100).b, 255);  // middle: blue
  EXPECT_EQ(shot.At(3, 198).g, 255);    // bottom left: green
  EXPECT_EQ(shot.At(332, 200).b, 255);

  // A path that cannot be written leaves no file, and says why (the game
  // shows it after F10).
  int error = 0;
  EXPECT_EQ(SaveScreenshot((dir / "missing/dir/shot.bmp").c_str(), &error), 0);
  EXPECT_EQ(error, ENOENT);
  EXPECT_FALSE(FileExists(dir / "missing/dir/shot.bmp"));
}

TEST_F(DisplayTest, TheVirtualScreenListsItsOwnSize) {
  std::vector<DisplayMode> modes = SystemDisplayModes();
  ASSERT_FALSE(modes.empty());
  bool found = false;
  for (const DisplayMode& mode : modes) found = found || (mode.width == 1024 && mode.height == 768);
  EXPECT_TRUE(found);
}
