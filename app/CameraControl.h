// What the pointer and the held keys do to the camera presets: turning,
// tilting and zooming within limits, edge scrolling and panning the close
// view, centring it on a cube. Works on g_game only, so it runs without a
// display; the renderer reads the presets every frame.
#pragma once

#include <cstdint>

struct CameraLimits {
  float tiltLow, tiltHigh;
  float zoomLow, zoomHigh;
};
constexpr CameraLimits kPlayingLimits = {-90.0f, -25.0f, 0.2f, 3.0f};
constexpr CameraLimits kDemonstrationLimits = {-90.0f, -20.0f, 0.25f, 2.0f};
constexpr float kWheelZoomStep = 0.08f;

// A held button drags: the left turns and tilts, the right zooms.
void DragCamera(int buttons, int dx, int dy, const CameraLimits& limits);
// One wheel notch (button 4 closer, 5 farther), zoom kept in [0.2, 3.0].
void WheelZoom(int button);
// In the close view, a pointer within 10 pixels of an edge pans the board.
void EdgeScroll(int mouseX, int mouseY, int screenWidth, int screenHeight, float frameDelta);

// The keys held this frame.
struct HeldKeys {
  bool home, end, insert, del, pageUp, pageDown, s, w, d, a;
};
void ApplyHeldKeys(const HeldKeys& keys, float frameDelta);

// F5: the current view back to its defaults; F6, F7: overview, close view.
void ResetCurrentView();
void UseOverview();
void UseCloseView();
// Pans the close view so that the cube stands in its centre.
void CentreCloseViewOn(int cube);
