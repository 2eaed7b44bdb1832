// The generated art drawn by the real engine under the virtual display:
// backgrounds and the menu backdrop leave no screen pixel uncovered, the
// title stays clear of the menu, arrows point along -x and wall pieces face
// outwards. (The letter cube's faces are read on the drawn board scene.)
#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "platform/Display.h"
#include "engine3d/Material.h"
#include "engine3d/Objet3D.h"
#include "engine3d/Texture.h"
#include "tests/support/GLFrame.h"
#include "tests/support/Image.h"
#include "tests/tools/artgen/ArtFiles.h"
#include "render/Renderer.h"
#include "tests/support/TestFiles.h"

using namespace arttest;
using testsupport::Image;
using testsupport::Rgb;

namespace {

struct V3 {
  double x, y, z;
};

class ArtDisplay : public ::testing::Test {
 protected:
  void Open(int width, int height) {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    ASSERT_EQ(OpenDisplay(width, height), 1);
    m_width = width;
    m_height = height;
    m_open = true;
  }
  void TearDown() override {
    ClearMaterials();
    if (m_open) CloseDisplay();
    SDL_Quit();
  }

  void Clear() {
    glClearColor(1, 0, 1, 1);  // magenta: nothing of the art uses it
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }

  Image Frame() const { return testsupport::ReadFrame(m_width, m_height); }

  static bool Uncovered(const Rgb& c) { return c.r > 250 && c.g < 5 && c.b > 250; }
  static int UncoveredCount(const Image& image) {
    int n = 0;
    for (int y = 0; y < image.height; ++y)
      for (int x = 0; x < image.width; ++x) n += Uncovered(image.At(x, y)) ? 1 : 0;
    return n;
  }

  void Perspective() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<double>(m_width) / m_height, 0.01, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
  }

  // Orthographic view of the unit box from outside along `forward`.
  void LookAlong(V3 forward, V3 up, double half = 0.8) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-half, half, -half, half, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(-forward.x * 3, -forward.y * 3, -forward.z * 3, 0, 0, 0, up.x, up.y, up.z);
  }

  int m_width = 0, m_height = 0;
  bool m_open = false;
};

}  // namespace

// ------------------------------------------------------------- the scenes

TEST_F(ArtDisplay, ThemeBackgroundsLeaveNoPixelUncoveredFromAnyCameraTheGameAllows) {
  Open(160, 120);
  for (const std::string& theme : ThemeDirs()) {
    Objet3D background;
    Objet3D::SetObjectDirectory((GfxDir() + theme + "3d/").c_str());
    Objet3D::SetTextureDirectory((GfxDir() + theme + "texture/").c_str());
    SetMipmapping(false);
    ASSERT_EQ(background.Load("fond.3do"), 1) << theme;
    SetMipmapping(true);
    background.BuildDisplayList();
    for (float zoom : {0.2f, 1.0f, 3.0f})
      for (float tilt : {-20.0f, -45.0f, -90.0f})
        for (float spin = 0; spin < 360; spin += 45) {
          Clear();
          Perspective();
          glTranslatef(0, 0, -zoom);
          glRotatef(tilt, -1, 0, 0);
          glRotatef(spin, 0, -1, 0);
          glRotatef(spin * 0.7f, 0, 1, 0);  // the slow turn of the background
          glCallList(static_cast<GLuint>(background.displayList));
          glFinish();
          EXPECT_EQ(UncoveredCount(Frame()), 0) << theme << " zoom " << zoom << " tilt " << tilt << " spin " << spin;
        }
    background.Free();
  }
}

TEST_F(ArtDisplay, MenuBackdropFillsScreensOfEveryShapeThroughoutItsMotion) {
  // 4:3, 16:9 and a very wide 2.4:1 screen.
  for (auto size : {std::pair<int, int>{320, 240}, {320, 180}, {336, 140}}) {
    Open(size.first, size.second);
    testsupport::ScopedWorkingDirectory game(testsupport::GameTreeDir());
    Puzzle puzzle;
    auto renderer = std::make_unique<Renderer>(size.first, size.second, RenderOptions(), puzzle);
    ASSERT_EQ(renderer->LoadMenuObjects(), 1);
    // The backdrop's morph runs through its whole range once in 128 frames.
    for (double T : {0.0, 32.0, 64.0}) {
      Clear();
      Perspective();
      PlaceMenuCamera();
      renderer->lights.Menu();
      renderer->DrawMenuBackground(static_cast<float>(T));
      glFinish();
      Image frame = Frame();
      EXPECT_EQ(UncoveredCount(frame), 0) << size.first << "x" << size.second << " T " << T;
      // A calm, dark backdrop that light menu text stands out on.
      Rgb mean = frame.Mean(0, 0, frame.width, frame.height);
      EXPECT_LT(mean.r + mean.g + mean.b, 3 * 110);
    }
    renderer.reset();
    ClearMaterials();
    CloseDisplay();
    m_open = false;
  }
}

TEST_F(ArtDisplay, TitleStaysOnScreenAboveTheMainMenuWhileItMoves) {
  // At 800 x 600 the main menu's first entry starts 10.5 menu units (24
  // pixels) above the bottom.
  Open(800, 600);
  const int firstEntry = 600 - static_cast<int>(24 * 10.5);
  testsupport::ScopedWorkingDirectory game(testsupport::GameTreeDir());
  Puzzle puzzle;
  Renderer renderer(800, 600, RenderOptions(), puzzle);
  ASSERT_EQ(renderer.LoadMenuObjects(), 1);
  // All three motions repeat within 256 frames.
  for (double T = 0; T < 256; T += 8) {
    Clear();
    Perspective();
    PlaceMenuCamera();
    renderer.lights.Menu();
    renderer.DrawMenuTitle(static_cast<float>(T));
    glFinish();
    Image frame = Frame();
    int top = frame.height, bottom = -1, left = frame.width, right = -1;
    for (int y = 0; y < frame.height; ++y)
      for (int x = 0; x < frame.width; ++x)
        if (!Uncovered(frame.At(x, y))) {
          top = std::min(top, y);
          bottom = std::max(bottom, y);
          left = std::min(left, x);
          right = std::max(right, x);
        }
    SCOPED_TRACE("T " + std::to_string(T));
    ASSERT_GE(bottom, 0) << "the title is drawn";
    EXPECT_GT(top, 8);
    EXPECT_LT(bottom, firstEntry);
    EXPECT_GT(left, 8);
    EXPECT_LT(right, frame.width - 8);
    EXPECT_GT(right - left, 200) << "the title is wide enough to read";
  }
}

TEST_F(ArtDisplay, ArrowsPointAlongMinusXAndWallPiecesShowTheirOutsides) {
  Open(200, 200);
  for (const std::string& theme : ThemeDirs()) {
    SCOPED_TRACE(theme);
    Objet3D::SetObjectDirectory((GfxDir() + theme + "3d/").c_str());
    Objet3D::SetTextureDirectory((GfxDir() + theme + "texture/").c_str());
    // The arrow seen from above, West on the left: the blunt tail is wider
    // than the tip.
    Objet3D arrow;
    ASSERT_EQ(arrow.Load("fleche.3do"), 1);
    Clear();
    LookAlong({0, -1, 0}, {0, 0, -1}, 0.6);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glColor3f(1, 1, 1);
    arrow.DrawGeometry(false, 0);
    glFinish();
    Image top = Frame();
    int left = top.width, right = -1;
    for (int y = 0; y < top.height; ++y)
      for (int x = 0; x < top.width; ++x)
        if (!Uncovered(top.At(x, y))) {
          left = std::min(left, x);
          right = std::max(right, x);
        }
    ASSERT_GT(right, left);
    auto columnHeight = [&](int x) {
      int n = 0;
      for (int y = 0; y < top.height; ++y) n += Uncovered(top.At(x, y)) ? 0 : 1;
      return n;
    };
    EXPECT_GT(columnHeight(right - 2), 3 * columnHeight(left + 2)) << "tip on the West side";
    arrow.Free();
    glEnable(GL_TEXTURE_2D);

    // The lone wall piece from each side and from above: what is seen is the
    // near face (smaller depth than the square's centre), not the inside of
    // the far one.
    Objet3D piece;
    ASSERT_EQ(piece.Load("mur_Blocf.3do"), 1);
    const V3 views[5] = {{0, 0, -1}, {0, 0, 1}, {1, 0, 0}, {-1, 0, 0}, {0, -1, 0}};
    for (const V3& forward : views) {
      Clear();
      V3 up = std::fabs(forward.y) > 0.5 ? V3{0, 0, -1} : V3{0, 1, 0};
      LookAlong(forward, up, 0.7);
      if (forward.y == 0) glTranslatef(0, -0.4f, 0);  // centre on the piece's middle height
      piece.Draw();
      glFinish();
      float depth = 1.0f;
      glReadPixels(100, 100, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
      // The eye is 3 units from the centre, the depth range runs from -10 to 10.
      EXPECT_LT(depth, (3.0f - 0.25f + 10.0f) / 20.0f) << "view " << forward.x << "," << forward.y << "," << forward.z;
      EXPECT_FALSE(Uncovered(Frame().At(100, 100)));
    }
    piece.Free();
  }
}
