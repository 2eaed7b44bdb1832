// The board-scene display tests' window, host and frame helpers.
#include "tests/render/SceneFixture.h"

#include <GL/gl.h>
#include <SDL.h>

#include "platform/Display.h"
#include "config/Settings.h"
#include "engine3d/Material.h"
#include "puzzle/Cube.h"
#include "puzzle/Scene.h"

namespace scenetest {

bool SceneHost::ChooseThemeForLevel() {
  if (renderer->themes.Loaded() && renderer->CurrentTheme() == theme) return true;
  const int loaded = renderer->LoadTheme(theme);
  EXPECT_EQ(loaded, 1);
  return loaded == 1;
}
void SceneHost::ClearSceneLists() { renderer->ClearScene(); }
void SceneHost::BeginSceneBuild() { renderer->BeginScene(); }
void SceneHost::LoadCubeAppearance(Cube& cube) { renderer->LoadCubeAppearance(cube); }
void SceneHost::ReleaseItem(Item& item) { renderer->ReleaseItem(item); }

void SceneTest::SetUp() {
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
  g_settings = Settings();
  g_settings.windowed = 1;
  ASSERT_EQ(OpenDisplay(kWidth, kHeight), 1);
  m_open = true;
  m_cwd.reset(new testsupport::ScopedWorkingDirectory(testsupport::GameTreeDir()));
  renderer = std::make_unique<Renderer>(kWidth, kHeight, RenderOptions(), puzzle);
  host.renderer = renderer.get();
  std::srand(1);
  ASSERT_EQ(renderer->LoadMenuObjects(), 1);
  ASSERT_EQ(renderer->ScanThemes(), 1);
}

void SceneTest::TearDown() {
  puzzle.EndLevel();
  renderer.reset();
  puzzle.FreeLevelSet();
  ClearMaterials();
  m_cwd.reset();
  if (m_open) CloseDisplay();
  SDL_Quit();
}

void SceneTest::StartSource(const std::string& source) {
  puzzle.UseLevelSet(puzzletest::LevelsFrom(source));
  puzzletest::StartPlain(puzzle);
}

CameraPose SceneTest::TopView() const {
  const Board& b = puzzle.Board();
  return CameraPose{0, -90, CameraDistanceFor(static_cast<int>(b.width), static_cast<int>(b.height)) * 1.6f, 0, {0, 0, 0}};
}

CameraPose SceneTest::OverviewCamera() const {
  const Board& b = puzzle.Board();
  return CameraPose{0, -60, CameraDistanceFor(static_cast<int>(b.width), static_cast<int>(b.height)), 0, {0, 0, 0}};
}

testsupport::Image SceneTest::Draw(const BoardFrame& f) {
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  renderer->SetBoardProjection();
  renderer->DrawBoard(f);
  glFinish();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  return testsupport::ReadFrame(kWidth, kHeight);
}

testsupport::Image SceneTest::Draw(const CameraPose& camera) {
  frame.camera = camera;
  return Draw(frame);
}

void SceneTest::Aim(const CameraPose& camera) {
  renderer->SetBoardProjection();
  PlaceCamera(camera);
  renderer->view.CaptureMatrices();
}

PickResult SceneTest::PickAt(const CameraPose& camera, int x, int y) {
  renderer->SetBoardProjection();
  PlaceCamera(camera);
  PickResult result;
  renderer->Pick(x, y, result);
  return result;
}

testsupport::Image SceneTest::RollSouthAndLookDown(int count, CameraPose& camera) {
  for (int i = 0; i < count; ++i) {
    puzzle.SelectCube(i);
    EXPECT_EQ(puzzle.MoveSelected(South), 1) << "cube " << i;
    puzzletest::FinishRoll(puzzle, host);
  }
  frame.drawArrows = 0;
  camera = TopView();
  testsupport::Image image = Draw(camera);
  Aim(camera);
  return image;
}

}  // namespace scenetest
