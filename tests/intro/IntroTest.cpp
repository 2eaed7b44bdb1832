// The intro: the emblem's table and tube mesh, the glow textures, the timing
// of the spin, hold and fade, the skip, and the red glow on screen.
#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>

#include "config/Settings.h"
#include "platform/Display.h"
#include "platform/FrameRunner.h"
#include "engine3d/Material.h"
#include "engine3d/Objet3D.h"
#include "intro/Emblem.h"
#include "intro/Intro.h"
#include "render/Renderer.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/GLFrame.h"

namespace {

TEST(EmblemTable, EightOutlinesOfTheStatedSizesWithinTheStatedBox) {
  CList<SHAPE> outlines;
  BuildOutlines(kEmblemTable, EmblemTableRows(), outlines);
  ASSERT_EQ(outlines.Count(), 8);
  const int sizes[] = {6, 19, 19, 19, 2, 60, 36, 18};
  int i = 0;
  for (SHAPE* shape = outlines.First(); shape; shape = outlines.Next(), ++i) {
    EXPECT_EQ(shape->points.Count(), sizes[i]) << "outline " << i + 1;
    for (const CVector3D& p : shape->points) {
      EXPECT_TRUE(p.x >= -0.78f && p.x <= 0.70f && p.y >= -0.65f && p.y <= 0.65f) << p.x << "," << p.y;
      EXPECT_EQ(p.z, 0.0f);
    }
  }
  // The table ends at the double marker, whatever follows.
  const float table[][3] = {{0, 0, 0}, {1, 0, 0}, {0, 0, -1}, {0, 0, -1}, {5, 5, 0}};
  BuildOutlines(table, 5, outlines);
  EXPECT_EQ(outlines.Count(), 1);
}

TEST(EmblemMesh, TubesOfTheStatedRadiusEndInRoundedTips) {
  CList<SHAPE> outlines;
  BuildOutlines(kEmblemTable, EmblemTableRows(), outlines);
  EmblemMesh mesh = BuildTubeMesh(outlines);
  for (const EmblemTriangle& t : mesh.triangles) {
    ASSERT_TRUE(t.part >= 0 && t.part <= 2);
    for (int corner : t.corners) ASSERT_LT(corner, static_cast<int>(mesh.vertices.size()));
  }
  // The closed outline's rings have radius 0.025; the open ones end in a tip
  // one radius (0.05) beyond their end point.
  const CVector3D& ring = mesh.vertices[0];
  EXPECT_NEAR(std::hypot(ring.x - kEmblemTable[0][0], ring.y - kEmblemTable[0][1]), 0.025f, 1e-5);
  const CVector3D& tip = mesh.vertices[40];  // outline 2's start tip
  EXPECT_NEAR(std::hypot(tip.x - kEmblemTable[7][0], tip.y - kEmblemTable[7][1]), 0.05f, 1e-5);
}

TEST(EmblemMesh, TheVertexBudgetStopsFurtherOutlines) {
  std::vector<std::array<float, 3>> rows;
  for (int o = 0; o < 20; ++o) {
    for (int p = 0; p < 100; ++p) rows.push_back({p * 0.02f, o * 0.1f, 0.0f});
    rows.push_back({0, 0, -1});
  }
  rows.push_back({0, 0, -1});
  CList<SHAPE> outlines;
  BuildOutlines(reinterpret_cast<const float(*)[3]>(rows.data()), static_cast<int>(rows.size()), outlines);
  EmblemMesh mesh = BuildTubeMesh(outlines);
  EXPECT_LE(mesh.vertices.size(), 10000u);
  EXPECT_LE(mesh.triangles.size(), 10000u);
  EXPECT_GT(mesh.triangles.size(), 9000u) << "five outlines of 1,824 triangles fit, the sixth not";
}

TEST(IntroTiming, SpinHoldAndFadeLastAbout444FrameUnits) {
  for (float f : {1.0f, 2.0f, 0.25f}) {
    IntroAnimation state;
    int spin = 0, hold = 0, fade = 0;
    while (!state.finished && state.frames < 10000) {
      (state.phase == kIntroSpin ? spin : state.phase == kIntroHold ? hold : fade)++;
      AdvanceIntro(state, f);
    }
    EXPECT_NEAR(spin * f, 144.0f, 1.0f) << f;
    EXPECT_NEAR(hold * f, 200.0f, 2.0f) << f;
    EXPECT_NEAR(fade * f, 100.0f, 2.0f) << f;
    EXPECT_NEAR(state.frames * f, 444.0f, 4.0f) << f;
  }
  IntroAnimation state;
  for (int i = 0; i < 144; ++i) AdvanceIntro(state, 1.0f);
  EXPECT_EQ(state.phase, kIntroHold);
  EXPECT_NEAR(state.distance, 0.0f, 1e-3) << "from z = -1 to z = -3";
}

class IntroDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO), 0);
    ASSERT_EQ(OpenDisplay(640, 480), 1);
    renderer = std::make_unique<Renderer>(640, 480, RenderOptions(), puzzle);
  }
  void TearDown() override {
    renderer.reset();
    CloseDisplay();
    SDL_Quit();
  }

  Puzzle puzzle;
  std::unique_ptr<Renderer> renderer;
};

TEST_F(IntroDisplayTest, WithTheFirstColourRedOutlinesTwoToFiveGlowRedWithAWhiteCentre) {
  const float saved[3] = {g_settings.logoColors[0][0], g_settings.logoColors[0][1], g_settings.logoColors[0][2]};
  g_settings.logoColors[0][0] = 1.0f;
  g_settings.logoColors[0][1] = g_settings.logoColors[0][2] = 0.0f;
  Emblem emblem;
  ASSERT_EQ(emblem.SetUp(), 1);
  std::copy(saved, saved + 3, g_settings.logoColors[0]);
  for (const auto& object : emblem.parts) {
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->meshCount, 1);
    EXPECT_EQ(object->FirstMesh()->material->flags, kMaterialEnvironment);
  }

  IntroAnimation state;
  state.phase = kIntroHold;
  state.angle = 0.0f;
  state.distance = 0.0f;
  state.timer = 1.0f;
  DrawIntro(state, emblem, *renderer);
  // The swoosh (outline 4) runs under the cube and the G: rows 300 to 380.
  testsupport::Image frame = testsupport::ReadFrame(640, 480);
  int red = 0, white = 0, other = 0;
  for (int y = 300; y < 380; ++y) {
    for (int x = 0; x < 640; ++x) {
      testsupport::Rgb c = frame.At(x, y);
      int r = c.r, g = c.g, b = c.b;
      if (r + g + b < 60) continue;
      if (r > 120 && g < r / 2 && b < r / 2)
        ++red;
      else if (r > 200 && g > 150 && b > 150)
        ++white;
      else if (g > r || b > r)
        ++other;
    }
  }
  EXPECT_GT(red, 500);
  EXPECT_GE(white, 3) << "where the tube faces the turned view, the white-hot centre";
  EXPECT_EQ(other, 0) << "nothing of the default cyan is left";
}

TEST_F(IntroDisplayTest, AReleasedKeyEndsTheScreenAfterOneFrameWithoutFading) {
  testsupport::FakePlatform platform;
  FrameRunner runner(platform.Hooks());
  platform.Key(SDLK_SPACE, false);
  EXPECT_EQ(runner.Run(std::make_unique<IntroScreen>(*renderer)), RunEnd::kEmpty);
  EXPECT_EQ(platform.presents, 1);
  EXPECT_TRUE(platform.blacks.empty());
}

}  // namespace
