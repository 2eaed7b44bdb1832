#include "app/GameState.h"

#include <cstring>

GameState g_game;

void ResetGameState(GameState& state) {
  std::memset(&state, 0, sizeof state);
  state.menuShown = 1;
  state.showWordList = 1;
  state.fadeFromBlack = 100.0f;
  state.drawArrows = 1;
  state.drawArrowHover = 1;
  state.drawSwitch3 = 1;
  state.pickKind = -1;
  state.pickIndex = -1;
  ResetCameras(state);
}

void ResetCameras(GameState& state) {
  state.overview = kOverviewDefaults;
  state.close = kCloseDefaults;
  state.camera = &state.overview;
  state.cameraMode = 0;
  state.cameraPan[0] = state.cameraPan[1] = state.cameraPan[2] = 0.0f;
}
