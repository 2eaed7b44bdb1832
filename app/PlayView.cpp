// The camera presets under the pointer and the held keys, picking, and the
// board frame of the playing and demonstration screens.
#include "app/PlayView.h"

#include <cmath>

#include "puzzle/PuzzleView.h"
#include "render/Renderer.h"

namespace {

float Clamp(float value, float low, float high) { return value < low ? low : (value > high ? high : value); }

constexpr float kDegrees = 3.14159265f / 180.0f;
constexpr float kFitStep = 0.01f;

// The screen row (from the top) of the far edge of a board's cube tops, seen
// by the overview camera at its default tilt from distance zoom.
float FarEdgeRow(int boardHeight, float zoom, int screenHeight) {
  const float tilt = -kOverviewDefaults.tilt * kDegrees;
  const float y = kSquareSize, z = -static_cast<float>(boardHeight) * kSquareSize * 0.5f;
  const float up = y * std::cos(tilt) - z * std::sin(tilt);
  const float depth = zoom - (y * std::sin(tilt) + z * std::cos(tilt));
  const float tanHalf = std::tan(Perspective().fieldOfView * 0.5f * kDegrees);
  return static_cast<float>(screenHeight) * 0.5f * (1.0f - up / depth / tanHalf);
}


}  // namespace

float PlayView::HalfWidth() const { return static_cast<float>(m_puzzle.Board().width) * kSquareSize * 0.5f; }
float PlayView::HalfHeight() const { return static_cast<float>(m_puzzle.Board().height) * kSquareSize * 0.5f; }

HeldKeys SampleHeldKeys() {
  const Uint8* keys = SDL_GetKeyState(nullptr);
  HeldKeys held;
  held.home = keys[SDLK_HOME];
  held.end = keys[SDLK_END];
  held.insert = keys[SDLK_INSERT];
  held.del = keys[SDLK_DELETE];
  held.pageUp = keys[SDLK_PAGEUP];
  held.pageDown = keys[SDLK_PAGEDOWN];
  held.s = keys[SDLK_s];
  held.w = keys[SDLK_w];
  held.d = keys[SDLK_d];
  held.a = keys[SDLK_a];
  return held;
}

void PlayView::Reset() {
  m_overview = kOverviewDefaults;
  m_close = kCloseDefaults;
  m_closeView = false;
  m_pan[0] = m_pan[1] = m_pan[2] = 0.0f;
}

float FittedOverviewZoom(int boardWidth, int boardHeight, const ViewFrame& frame) {
  float zoom = CameraDistanceFor(boardWidth, boardHeight);
  if (frame.height <= 0) return zoom;
  while (zoom < kPlayingLimits.zoomHigh && FarEdgeRow(boardHeight, zoom, frame.height) < frame.clearTop) zoom += kFitStep;
  return zoom;
}

void PlayView::FitToBoard() {
  Reset();
  ResetCurrentView();
}

CameraPose PlayView::Pose() const {
  const CameraView& view = Current();
  return CameraPose{view.spin, view.tilt, view.zoom, m_closeView ? 1 : 0, {m_pan[0], m_pan[1], m_pan[2]}};
}

void PlayView::Drag(const Pointer& pointer, const CameraLimits& limits) {
  CameraView& view = Changing();
  if (pointer.buttons & 1) {
    view.spin -= static_cast<float>(pointer.dx) * 0.2f;
    view.tilt = Clamp(view.tilt + static_cast<float>(pointer.dy) * 0.2f, limits.tiltLow, limits.tiltHigh);
  }
  if (pointer.buttons & 4)
    view.zoom = Clamp(view.zoom + static_cast<float>(pointer.dy) * 0.004f, limits.zoomLow, limits.zoomHigh);
}

void PlayView::WheelZoom(int button) {
  CameraView& view = Changing();
  if (button == SDL_BUTTON_WHEELUP) view.zoom -= kWheelZoomStep;
  if (button == SDL_BUTTON_WHEELDOWN) view.zoom += kWheelZoomStep;
  view.zoom = Clamp(view.zoom, kPlayingLimits.zoomLow, kPlayingLimits.zoomHigh);
}

void PlayView::EdgeScroll(const Pointer& pointer, int screenWidth, int screenHeight, float frameDelta) {
  if (!m_closeView) return;
  const float k = 0.0001f * frameDelta;
  const int x = pointer.x, y = pointer.y;
  if (x < 10 && m_pan[0] < HalfWidth()) m_pan[0] += static_cast<float>((10 - x) * (10 - x)) * k;
  if (x > screenWidth - 10 && m_pan[0] > -HalfWidth()) {
    const int over = x - screenWidth + 10;
    m_pan[0] -= static_cast<float>(over * over) * k;
  }
  if (y < 10 && m_pan[2] < HalfHeight()) m_pan[2] += static_cast<float>((10 - y) * (10 - y)) * k;
  if (y > screenHeight - 10 && m_pan[2] > -HalfHeight()) {
    const int over = y - screenHeight + 10;
    m_pan[2] -= static_cast<float>(over * over) * k;
  }
  ClampPan();
}

void PlayView::ApplyHeldKeys(const HeldKeys& keys, float d) {
  CameraView& view = Changing();
  // Each limit is tested before the step, so a value may pass it by one step.
  if (keys.home && view.tilt >= -90.0f) view.tilt -= d * 0.5f;
  if (keys.end && view.tilt < -25.0f) view.tilt += d * 0.5f;
  if (keys.insert) view.spin -= d * 0.5f;
  if (keys.del) view.spin += d * 0.5f;
  if (keys.pageUp && view.zoom > 0.2f) view.zoom -= d * 0.01f;
  if (keys.pageDown && view.zoom < 3.0f) view.zoom += d * 0.01f;
  if (!m_closeView) return;
  if (keys.s && m_pan[2] > -HalfHeight()) m_pan[2] -= d * 0.005f;
  if (keys.w && m_pan[2] < HalfHeight()) m_pan[2] += d * 0.005f;
  if (keys.d && m_pan[0] > -HalfWidth()) m_pan[0] -= d * 0.005f;
  if (keys.a && m_pan[0] < HalfWidth()) m_pan[0] += d * 0.005f;
  ClampPan();
}

void PlayView::ResetCurrentView() {
  m_pan[0] = m_pan[1] = m_pan[2] = 0.0f;
  if (m_closeView) {
    m_close = kCloseDefaults;
  } else {
    const Board& board = m_puzzle.Board();
    m_overview = kOverviewDefaults;
    m_overview.zoom = FittedOverviewZoom(static_cast<int>(board.width), static_cast<int>(board.height), m_frame);
  }
}

void PlayView::UseCloseView() {
  m_closeView = true;
  CentreCloseViewOn(m_puzzle.Play().selectedCube);
}

void PlayView::ClampPan() {
  m_pan[0] = Clamp(m_pan[0], -HalfWidth(), HalfWidth());
  m_pan[2] = Clamp(m_pan[2], -HalfHeight(), HalfHeight());
}

void PlayView::CentreCloseViewOn(int cube) {
  if (cube < 0 || cube >= m_puzzle.CubeCount()) return;
  const CubeState& state = m_puzzle.CubeRecord(cube);
  const Board& board = m_puzzle.Board();
  m_pan[0] = (static_cast<float>(board.width) * 0.5f - state.fx - 0.5f) * kSquareSize;
  m_pan[2] = (static_cast<float>(board.height) * 0.5f - state.fy - 0.5f) * kSquareSize;
}

PickResult PlayView::PickUnder(Renderer& renderer, const Pointer& pointer) const {
  renderer.SetBoardProjection();
  PlaceCamera(Pose());
  PickResult result;
  renderer.Pick(pointer.x, pointer.y, result);
  return result;
}

void DrawLevelBoard(Renderer& renderer, const CameraPose& pose, const FrameTime& time, const BoardLook& look) {
  BoardFrame frame;
  frame.camera = pose;
  frame.elapsedFrames = time.elapsed;
  frame.slowPhase = time.slowPhase;
  frame.frameDelta = time.delta;
  frame.drawArrows = look.arrows ? 1 : 0;
  frame.drawArrowHover = look.arrowHover ? 1 : 0;
  frame.drawCubes = 1;
  frame.noHover = look.arrowHover ? 0 : 1;
  frame.hoveredArrow = look.hoveredArrow;
  frame.bobPhase = look.bobPhase;
  frame.options = renderer.Options();
  renderer.SetBoardProjection();
  renderer.DrawBoard(frame);
}

CameraPose ShowcasePose(float spin, float tilt, float zoom) { return CameraPose{spin, tilt, zoom, 0, {0.0f, 0.0f, 0.0f}}; }
