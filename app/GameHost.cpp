#include "app/GameHost.h"

#include <SDL.h>

#include "app/GameState.h"
#include "app/Startup.h"
#include "audio/Audio.h"
#include "puzzle/PuzzleHost.h"
#include "render/Overlay.h"

namespace {

class GameHost final : public PuzzleHost {
 public:
  uint32_t Ticks() override { return SDL_GetTicks(); }
  void PlaySound(int number) override { ::PlaySound(number); }
  void ChooseThemeForLevel() override { ::ChooseThemeForLevel(); }
  void ResetCameras() override { ::ResetCameras(g_game); }
  void CaptureLevelStartScreen() override { CaptureScreenForLevelStart(); }
  void ShowOverview() override {
    g_game.cameraMode = 0;
    g_game.camera = &g_game.overview;
  }
};

GameHost g_gameHost;

}  // namespace

void InstallGameHost() { InstallPuzzleHost(&g_gameHost); }
