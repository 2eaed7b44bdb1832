#include "app/GameHost.h"

#include <SDL.h>

#include "app/GameState.h"
#include "app/Startup.h"
#include "audio/Audio.h"
#include "puzzle/PuzzleHost.h"

namespace {

// Frame units over which the previous screen dissolves into a new level.
constexpr float kLevelIntroFade = 100.0f;

class GameHost final : public PuzzleHost {
 public:
  uint32_t Ticks() override { return SDL_GetTicks(); }
  void PlaySound(int number) override { ::PlaySound(number); }
  bool DemonstrationRunning() override { return g_game.attractMode != 0; }
  void CaptureLevelStartScreen() override { g_game.levelIntroFade = kLevelIntroFade; }
  bool ChooseThemeForLevel() override { return ::ChooseThemeForLevel(); }
  void ShowWordList() override { g_game.showWordList = 1; }
  void ResetCameras() override { ::ResetCameras(g_game); }
  void ShowOverview() override {
    g_game.cameraMode = 0;
    g_game.camera = &g_game.overview;
  }
};

GameHost g_gameHost;

}  // namespace

void InstallGameHost() { InstallPuzzleHost(&g_gameHost); }
