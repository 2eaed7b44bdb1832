// How a level is looked at while it is played or played by itself: the two
// camera presets (overview and close view) with the close view's pan, what
// the pointer and the held keys do to them, picking under the pointer, and
// one board frame drawn through the renderer. The playing and demonstration
// screens each own one.
#pragma once

#include "platform/Screen.h"
#include "puzzle/Puzzle.h"
#include "render/BoardScene.h"
#include "render/Camera.h"

class Renderer;

struct CameraView {
  float spin;  // degrees
  float tilt;  // degrees
  float zoom;  // factor
};

constexpr CameraView kOverviewDefaults = {0.0f, -60.0f, 1.0f};
constexpr CameraView kCloseDefaults = {0.0f, -75.0f, 0.5f};

struct CameraLimits {
  float tiltLow, tiltHigh;
  float zoomLow, zoomHigh;
};
constexpr CameraLimits kPlayingLimits = {-90.0f, -25.0f, 0.2f, 3.0f};
constexpr CameraLimits kDemonstrationLimits = {-90.0f, -20.0f, 0.25f, 2.0f};
constexpr float kWheelZoomStep = 0.08f;

// The keys held this frame.
struct HeldKeys {
  bool home, end, insert, del, pageUp, pageDown, s, w, d, a;
};
// The platform's keyboard state, sampled.
HeldKeys SampleHeldKeys();

// What a board frame shows besides the board.
struct BoardLook {
  bool arrows = true;       // the move arrows around the selected cube
  bool arrowHover = true;   // the arrow under the pointer lit
  int hoveredArrow = -1;
  // >= 0 lifts the cubes in waves (the celebration screens).
  float bobPhase = -1.0f;
};

// What the overview is fitted to: the screen and the rows the top bar
// covers (0: nothing to keep clear).
struct ViewFrame {
  int width = 0;
  int height = 0;
  int clearTop = 0;
};

// The overview distance at which the whole board, seen at the default tilt,
// lies below frame.clearTop (CameraDistanceFor when there is no frame).
float FittedOverviewZoom(int boardWidth, int boardHeight, const ViewFrame& frame);

class PlayView {
 public:
  // The view of the puzzle's board (which sizes the fit and the pans).
  explicit PlayView(const Puzzle& puzzle) : m_puzzle(puzzle) { Reset(); }

  // Both presets to their defaults, the overview current, no pan.
  void Reset();
  // As Reset, with the overview zoomed out to see the whole board below
  // the frame's top bar.
  void FitToBoard();
  void SetFrame(const ViewFrame& frame) { m_frame = frame; }

  const CameraView& Current() const { return m_closeView ? m_close : m_overview; }
  bool CloseView() const { return m_closeView; }
  // The current preset (and the pan in the close view) as the renderer's pose.
  CameraPose Pose() const;

  // A held button drags: the left turns and tilts, the right zooms.
  void Drag(const Pointer& pointer, const CameraLimits& limits);
  // One wheel notch (button 4 closer, 5 farther), zoom kept in the playing limits.
  void WheelZoom(int button);
  // In the close view, a pointer within 10 pixels of an edge pans the board.
  void EdgeScroll(const Pointer& pointer, int screenWidth, int screenHeight, float frameDelta);
  void ApplyHeldKeys(const HeldKeys& keys, float frameDelta);
  // F5: the current view back to its defaults (the overview fitted, the
  // close view's pan gone); F6, F7: overview, close view on the selected cube.
  void ResetCurrentView();
  void UseOverview() { m_closeView = false; }
  void UseCloseView();
  // Pans the close view so that the cube stands in its centre.
  void CentreCloseViewOn(int cube);

  // What lies under the pointer, seen through the current pose.
  PickResult PickUnder(Renderer& renderer, const Pointer& pointer) const;

 private:
  CameraView& Changing() { return m_closeView ? m_close : m_overview; }
  // Half the board's extent in world units, across (x) and down (z).
  float HalfWidth() const;
  float HalfHeight() const;

  // Keeps the pan within the board: its centre never leaves the board.
  void ClampPan();

  const Puzzle& m_puzzle;
  ViewFrame m_frame;
  CameraView m_overview = kOverviewDefaults;
  CameraView m_close = kCloseDefaults;
  bool m_closeView = false;
  float m_pan[3] = {0.0f, 0.0f, 0.0f};
};

// One board frame for the screen size through the renderer, from the pose
// and the screen's last frame time.
void DrawLevelBoard(Renderer& renderer, const CameraPose& pose, const FrameTime& time, const BoardLook& look);
// The overview of a level being shown off: the pose turning about the board.
CameraPose ShowcasePose(float spin, float tilt, float zoom);
