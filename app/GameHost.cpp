#include "app/GameHost.h"

#include <SDL.h>

#include "app/GameState.h"
#include "app/Startup.h"
#include "audio/Audio.h"
#include "config/Settings.h"
#include "puzzle/PuzzleHost.h"
#include "puzzle/PuzzleView.h"
#include "render/BoardScene.h"
#include "render/CubeLooks.h"
#include "render/Themes.h"
#include "render/Overlay.h"

namespace {

// Frame units over which the previous screen dissolves into a new level.
constexpr float kLevelIntroFade = 100.0f;

class GameHost final : public PuzzleHost {
 public:
  uint32_t Ticks() override { return SDL_GetTicks(); }
  void PlaySound(int number) override { ::PlaySound(number); }
  bool DemonstrationRunning() override { return g_game.attractMode != 0; }
  void CaptureLevelStartScreen() override {
    CaptureScreenForLevelStart();
    g_game.levelIntroFade = kLevelIntroFade;
  }
  bool ChooseThemeForLevel() override { return ::ChooseThemeForLevel(); }
  void ShowWordList() override { g_game.showWordList = 1; }
  void ResetCameras() override { ::ResetCameras(g_game); }
  void ClearSceneLists() override { ClearBoardScene(); }
  void BeginSceneBuild() override {
    BeginBoardScene();
    // The level-start view sees the whole board.
    g_game.overview = CameraView{0.0f, -60.0f, CameraDistanceFor(static_cast<int>(CurrentBoard().width),
                                                                  static_cast<int>(CurrentBoard().height))};
  }
  void EndSceneBuild() override { EndBoardScene(); }
  void ShowOverview() override {
    g_game.cameraMode = 0;
    g_game.camera = &g_game.overview;
  }
  void LoadCubeAppearance(Cube& cube) override { ::LoadCubeAppearance(cube); }
  void SetItemLook(Item& item, int look) override { ::SetItemLook(item, look); }
  void ReleaseItem(Item& item) override { ::ReleaseItem(item); }
};

GameHost g_gameHost;

}  // namespace

void InstallGameHost() { InstallPuzzleHost(&g_gameHost); }

void ApplyRenderSettings() {
  RenderOptions options;
  options.reflect = g_settings.reflect;
  options.shadow = g_settings.shadow;
  options.cartoon = g_settings.cartoon;
  options.mipMapping = g_settings.mipMapping;
  SetRenderOptions(options);
}
