// The camera presets under the pointer and the held keys.
#include "app/CameraControl.h"

#include "app/GameState.h"
#include "puzzle/PuzzleView.h"
#include "render/Camera.h"

namespace {

float Clamp(float value, float low, float high) { return value < low ? low : (value > high ? high : value); }

CameraView& Current() { return g_game.camera ? *g_game.camera : g_game.overview; }

// Half the board's extent in world units, across (x) and down (z).
float HalfWidth() { return static_cast<float>(CurrentBoard().width) * kSquareSize * 0.5f; }
float HalfHeight() { return static_cast<float>(CurrentBoard().height) * kSquareSize * 0.5f; }

}  // namespace

void DragCamera(int buttons, int dx, int dy, const CameraLimits& limits) {
  CameraView& view = Current();
  if (buttons & 1) {
    view.spin -= static_cast<float>(dx) * 0.2f;
    view.tilt = Clamp(view.tilt + static_cast<float>(dy) * 0.2f, limits.tiltLow, limits.tiltHigh);
  }
  if (buttons & 4) view.zoom = Clamp(view.zoom + static_cast<float>(dy) * 0.004f, limits.zoomLow, limits.zoomHigh);
}

void WheelZoom(int button) {
  CameraView& view = Current();
  if (button == 4) view.zoom -= kWheelZoomStep;
  if (button == 5) view.zoom += kWheelZoomStep;
  view.zoom = Clamp(view.zoom, kPlayingLimits.zoomLow, kPlayingLimits.zoomHigh);
}

void EdgeScroll(int mouseX, int mouseY, int screenWidth, int screenHeight, float frameDelta) {
  if (g_game.cameraMode != 1) return;
  const float k = 0.0001f * frameDelta;
  float* pan = g_game.cameraPan;
  if (mouseX < 10 && pan[0] < HalfWidth()) pan[0] += static_cast<float>((10 - mouseX) * (10 - mouseX)) * k;
  if (mouseX > screenWidth - 10 && pan[0] > -HalfWidth()) {
    const int over = mouseX - screenWidth + 10;
    pan[0] -= static_cast<float>(over * over) * k;
  }
  if (mouseY < 10 && pan[2] < HalfHeight()) pan[2] += static_cast<float>((10 - mouseY) * (10 - mouseY)) * k;
  if (mouseY > screenHeight - 10 && pan[2] > -HalfHeight()) {
    const int over = mouseY - screenHeight + 10;
    pan[2] -= static_cast<float>(over * over) * k;
  }
}

void ApplyHeldKeys(const HeldKeys& keys, float d) {
  CameraView& view = Current();
  // Each limit is tested before the step, so a value may pass it by one step.
  if (keys.home && view.tilt >= -90.0f) view.tilt -= d * 0.5f;
  if (keys.end && view.tilt < -25.0f) view.tilt += d * 0.5f;
  if (keys.insert) view.spin -= d * 0.5f;
  if (keys.del) view.spin += d * 0.5f;
  if (keys.pageUp && view.zoom > 0.2f) view.zoom -= d * 0.01f;
  if (keys.pageDown && view.zoom < 3.0f) view.zoom += d * 0.01f;
  if (g_game.cameraMode != 1) return;
  float* pan = g_game.cameraPan;
  if (keys.s && pan[2] > -HalfHeight()) pan[2] -= d * 0.005f;
  if (keys.w && pan[2] < HalfHeight()) pan[2] += d * 0.005f;
  if (keys.d && pan[0] > -HalfWidth()) pan[0] -= d * 0.005f;
  if (keys.a && pan[0] < HalfWidth()) pan[0] += d * 0.005f;
}

void ResetCurrentView() {
  if (g_game.cameraMode == 1) {
    g_game.close = kCloseDefaults;
  } else {
    const Board& board = CurrentBoard();
    g_game.overview = CameraView{0.0f, -60.0f,
                                 CameraDistanceFor(static_cast<int>(board.width), static_cast<int>(board.height))};
  }
}

void UseOverview() {
  g_game.cameraMode = 0;
  g_game.camera = &g_game.overview;
}

void UseCloseView() {
  g_game.cameraMode = 1;
  g_game.camera = &g_game.close;
}

void CentreCloseViewOn(int cube) {
  if (cube < 0 || cube >= CubeCount()) return;
  const CubeState& state = CubeRecord(cube);
  const Board& board = CurrentBoard();
  g_game.cameraPan[0] = (static_cast<float>(board.width) * 0.5f - state.fx - 0.5f) * kSquareSize;
  g_game.cameraPan[2] = (static_cast<float>(board.height) * 0.5f - state.fy - 0.5f) * kSquareSize;
}
