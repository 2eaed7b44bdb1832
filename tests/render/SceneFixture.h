// A window with the game's renderer started on the assembled game tree, a
// puzzle host that builds the scene as the game's does, and frame readers.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "render/Renderer.h"
#include "tests/puzzle/PuzzleTestSupport.h"
#include "tests/support/GLFrame.h"
#include "tests/support/Image.h"
#include "tests/support/TestFiles.h"

namespace scenetest {

class SceneHost final : public puzzletest::RecordingHost {
 public:
  Renderer* renderer = nullptr;
  bool ChooseThemeForLevel() override;
  void ClearSceneLists() override;
  void BeginSceneBuild() override;
  void LoadCubeAppearance(Cube& cube) override;
  void ReleaseItem(Item& item) override;
  int theme = 0;
};

class SceneTest : public ::testing::Test {
 protected:
  static constexpr int kWidth = 480;
  static constexpr int kHeight = 360;

  void SetUp() override;
  void TearDown() override;

  // Starts the level of the source without variation and shuffle.
  void StartSource(const std::string& source);
  // Straight down on the board's centre, North at the top of the screen.
  CameraPose TopView() const;
  // The camera of the level start.
  CameraPose OverviewCamera() const;
  testsupport::Image Draw(const BoardFrame& frame);
  testsupport::Image Draw(const CameraPose& camera);
  // Matrices of the camera alone, for projecting and picking.
  void Aim(const CameraPose& camera);
  // Where a board-space point lands on the screen, y from the top.
  void Project(float x, float y, float z, int& px, int& py) const { renderer->view.ProjectBoardPoint(x, y, z, px, py); }
  PickResult PickAt(const CameraPose& camera, int x, int y);
  // Rolls cubes 0..count-1 one square South each, then draws the board from
  // straight above without arrows and aims the camera there.
  testsupport::Image RollSouthAndLookDown(int count, CameraPose& camera);

  SceneHost host;
  Puzzle puzzle{&host};
  std::unique_ptr<Renderer> renderer;
  BoardFrame frame;

 private:
  std::unique_ptr<testsupport::ScopedWorkingDirectory> m_cwd;
  bool m_open = false;
};

}  // namespace scenetest
