// The board-scene display tests' window, host and frame helpers.
#include "tests/render/SceneFixture.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL.h>

#include "platform/Display.h"
#include "config/Settings.h"
#include "engine3d/GLContext.h"
#include "engine3d/Material.h"
#include "puzzle/Cube.h"
#include "puzzle/PuzzleView.h"
#include "puzzle/Scene.h"
#include "render/CubeLooks.h"
#include "render/Lights.h"
#include "render/MenuObjects.h"
#include "render/Themes.h"

namespace scenetest {

bool SceneHost::ChooseThemeForLevel() {
  if (g_theme.loaded && g_theme.current == theme) return true;
  const int loaded = LoadTheme(theme);
  EXPECT_EQ(loaded, 1);
  return loaded == 1;
}
void SceneHost::ClearSceneLists() { ClearBoardScene(); }
void SceneHost::BeginSceneBuild() { BeginBoardScene(); }
void SceneHost::LoadCubeAppearance(Cube& cube) { ::LoadCubeAppearance(cube); }
void SceneHost::ReleaseItem(Item& item) { ::ReleaseItem(item); }

void SceneTest::SetUp() {
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
  g_settings = Settings();
  g_settings.windowed = 1;
  ASSERT_EQ(OpenDisplay(kWidth, kHeight), 1);
  m_open = true;
  m_cwd.reset(new testsupport::ScopedWorkingDirectory(testsupport::GameTreeDir()));
  ResetPlayState();
  InstallPuzzleHost(&host);
  std::srand(1);
  SetRenderOptions(RenderOptions());
  SetUpLights();
  ASSERT_EQ(LoadMenuObjects(), 1);
  ASSERT_EQ(CountThemes(), 1);
}

void SceneTest::TearDown() {
  EndLevel();
  FreeTheme();
  FreeMenuObjects();
  InstallPuzzleHost(nullptr);
  FreeLevelSet();
  ClearMaterials();
  m_cwd.reset();
  if (m_open) CloseDisplay();
  SDL_Quit();
}

void SceneTest::StartSource(const std::string& source) {
  GamePuzzle().UseLevelSet(puzzletest::LevelsFrom(source));
  puzzletest::StartPlain(GamePuzzle());
}

CameraPose SceneTest::TopView() const {
  const Board& b = CurrentBoard();
  return CameraPose{0, -90, CameraDistanceFor(static_cast<int>(b.width), static_cast<int>(b.height)) * 1.6f, 0, {0, 0, 0}};
}

CameraPose SceneTest::OverviewCamera() const {
  const Board& b = CurrentBoard();
  return CameraPose{0, -60, CameraDistanceFor(static_cast<int>(b.width), static_cast<int>(b.height)), 0, {0, 0, 0}};
}

testsupport::Image SceneTest::Draw(const BoardFrame& f) {
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  SetBoardProjection(kWidth, kHeight);
  DrawBoard(f);
  glFinish();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  return testsupport::ReadFrame(kWidth, kHeight);
}

testsupport::Image SceneTest::Draw(const CameraPose& camera) {
  frame.camera = camera;
  return Draw(frame);
}

void SceneTest::Aim(const CameraPose& camera) {
  SetBoardProjection(kWidth, kHeight);
  PlaceCamera(camera);
  CaptureMatrices();
}

void SceneTest::Project(float x, float y, float z, int& px, int& py) const {
  const GLint viewport[4] = {0, 0, kWidth, kHeight};
  double wx = 0, wy = 0, wz = 0;
  gluProject(x + g_boardOffset[0], y + g_boardOffset[1], z + g_boardOffset[2], g_view.modelview, g_view.projection,
             viewport, &wx, &wy, &wz);
  px = static_cast<int>(wx);
  py = kHeight - 1 - static_cast<int>(wy);
}

PickResult SceneTest::PickAt(const CameraPose& camera, int x, int y) {
  SetBoardProjection(kWidth, kHeight);
  PlaceCamera(camera);
  PickResult result;
  Pick(x, y, result);
  return result;
}

testsupport::Image SceneTest::RollSouthAndLookDown(int count, CameraPose& camera) {
  for (int i = 0; i < count; ++i) {
    SelectCube(i);
    EXPECT_EQ(MoveSelected(South), 1) << "cube " << i;
    puzzletest::FinishRoll(GamePuzzle(), host);
  }
  frame.drawArrows = 0;
  camera = TopView();
  testsupport::Image image = Draw(camera);
  Aim(camera);
  return image;
}

}  // namespace scenetest
