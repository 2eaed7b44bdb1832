// Picking on the drawn board: cubes and arrows pick to themselves at the
// pixel of their centre, an arrow in front of a cube wins, empty space picks
// nothing, and neither cubes outside the frustum nor back faces count.
#include <gtest/gtest.h>

#include "tests/render/SceneFixture.h"

using namespace scenetest;

namespace {

constexpr float s = kSquareSize;

const std::vector<std::string> kBoard = {
    "#########",
    "#.......#",
    "#..CAT..#",
    "#.......#",
    "#...D...#",
    "#.......#",
    "#########"};

class Picking : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    StartSource(puzzletest::OneLevel(kBoard, {"CAT 3 2 h", "D 4 4 h"}));
  }

  // Every cube and active arrow at the pixel of its centre.
  void ExpectEverythingPicksToItself(const CameraPose& camera) {
    Draw(camera);
    Aim(camera);
    int px, py;
    for (int i = 0; i < puzzle.CubeCount(); ++i) {
      Aim(camera);
      Project(puzzle.CubeRecord(i).x * s, 0.5f * s, puzzle.CubeRecord(i).y * s, px, py);
      const PickResult r = PickAt(camera, px, py);
      EXPECT_EQ(r.kind, kPickCube) << "cube " << i;
      EXPECT_EQ(r.index, i);
    }
    for (int i = 0; i < puzzle.ArrowCount(); ++i) {
      if (!puzzle.Arrow(i).active) continue;
      Aim(camera);
      Project(puzzle.Arrow(i).x * s, 0.3f * s, puzzle.Arrow(i).y * s, px, py);
      const PickResult r = PickAt(camera, px, py);
      EXPECT_EQ(r.kind, kPickArrow) << "arrow " << i;
      EXPECT_EQ(r.index, i);
    }
  }
};

TEST_F(Picking, CubesAndArrowsPickToThemselvesAtTheirCentre) {
  ASSERT_EQ(puzzle.CubeCount(), 4);
  ASSERT_GT(puzzle.ArrowCount(), 0);
  ExpectEverythingPicksToItself(TopView());
  CameraPose turned = OverviewCamera();
  turned.spin = 35;
  turned.tilt = -70;
  ExpectEverythingPicksToItself(turned);
  // Empty space: the far corner of the window shows only the background.
  EXPECT_EQ(PickAt(TopView(), 2, 2).kind, kPickNothing);
  EXPECT_EQ(PickAt(TopView(), 2, 2).index, -1);
}

TEST_F(Picking, AnArrowInFrontOfACubeWins) {
  // Cube 0 (C) is selected; its South arrow stands in front of it for a
  // camera low in the South.
  ASSERT_EQ(puzzle.Play().selectedCube, 0);
  int south = -1;
  for (int i = 0; i < puzzle.ArrowCount(); ++i)
    if (puzzle.Arrow(i).active && puzzle.Arrow(i).direction == South) south = i;
  ASSERT_GE(south, 0);
  const CameraPose low{0, -12, 0.5f, 0, {0, 0, 0}};
  Aim(low);
  int px, py;
  Project(puzzle.Arrow(south).x * s, 0.3f * s, puzzle.Arrow(south).y * s + 0.2f * s, px, py);
  const PickResult withArrow = PickAt(low, px, py);
  EXPECT_EQ(withArrow.kind, kPickArrow);
  EXPECT_EQ(withArrow.index, south);
  // Without the arrows the same ray finds the cube behind.
  puzzle.ClearTargets();
  const PickResult withoutArrow = PickAt(low, px, py);
  EXPECT_EQ(withoutArrow.kind, kPickCube);
  EXPECT_EQ(withoutArrow.index, 0);
}

TEST_F(Picking, ACubeBeyondTheFarPlaneIsNeverPicked) {
  const CameraPose camera = TopView();
  Aim(camera);
  int px, py;
  Project(puzzle.CubeRecord(3).x * s, 0.5f * s, puzzle.CubeRecord(3).y * s, px, py);
  ASSERT_EQ(PickAt(camera, px, py).index, 3);
  // The far plane just above the cubes: the ray still meets the cube, the
  // frustum no longer holds it.
  renderer->view.projection.farPlane = camera.zoom - 1.5f * s;
  const PickResult r = PickAt(camera, px, py);
  EXPECT_EQ(r.kind, kPickNothing);
}

TEST_F(Picking, FromInsideACubeItsBackFacesDoNotCount) {
  // The eye at the centre of cube 1 (A), looking down through its floor.
  const float centre[3] = {puzzle.CubeRecord(1).x * s, 0.5f * s, puzzle.CubeRecord(1).y * s};
  const float* offset = renderer->view.BoardOffset();
  const CameraPose inside{0, -90, 0.0001f, 1,
                          {-(centre[0] + offset[0]), -(centre[1] + offset[1]), -(centre[2] + offset[2])}};
  const PickResult r = PickAt(inside, kWidth / 2, kHeight / 2);
  EXPECT_NE(r.kind == kPickCube ? r.index : -1, 1);
  // Looking North from inside A, the ray leaves A and finds nothing in its
  // row behind it; looking East it meets T's West face from outside.
  const CameraPose east{-90, 0, 0.0001f, 1, {inside.pan[0], inside.pan[1], inside.pan[2]}};
  const PickResult ahead = PickAt(east, kWidth / 2, kHeight / 2);
  EXPECT_EQ(ahead.kind, kPickCube);
  EXPECT_EQ(ahead.index, 2);
}

}  // namespace
