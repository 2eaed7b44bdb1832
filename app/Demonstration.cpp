// The demonstration: the recorded shuffle played back.
#include "app/Demonstration.h"

#include <cstdio>

#include "app/BoardView.h"
#include "app/CameraControl.h"
#include "app/CelebrationScreen.h"
#include "app/GameFlow.h"
#include "app/GameState.h"
#include "app/TopBar.h"
#include "config/Settings.h"
#include "puzzle/PuzzleHost.h"
#include "puzzle/PuzzleView.h"

namespace {

ShuffleReplay g_replay;

float CountDown(float value, float step) {
  value -= step;
  return value < 0.001f ? 0.0f : value;
}

}  // namespace

void ShuffleReplay::Begin(const ShuffleRecord& record, int speed) {
  m_steps = record.steps;
  m_next = static_cast<int>(m_steps.size()) - 1;
  m_speed = static_cast<float>(speed < 1 ? 1 : speed);
  m_stepDelay = m_speed * 4.0f;
  m_selectionDelay = 0.0f;
}

void ShuffleReplay::Step(float frameDelta) {
  m_stepDelay = CountDown(m_stepDelay, frameDelta);
  m_selectionDelay = CountDown(m_selectionDelay, frameDelta);
  if (Done() || Play().moveState != kMoveStateReady || m_selectionDelay != 0.0f) return;
  const ShuffleStep& step = m_steps[m_next];
  if (Play().selectedCube != step.cube) {
    SelectCube(step.cube);
    Host().PlaySound(kSoundRefuse);
    m_selectionDelay = m_speed * 5.0f;
    m_stepDelay = m_speed * 4.0f;
    return;
  }
  if (m_stepDelay != 0.0f) return;
  MoveSelected(ReplayDirection(step.pick));
  --m_next;
  m_stepDelay = m_speed * 4.0f;
}

void BeginDemonstration(int level) {
  RecordShuffle(true);
  const int started = StartLevel(level);
  RecordShuffle(false);
  g_replay.Begin(started ? LastShuffle() : ShuffleRecord(), g_settings.speed);
}

void StepDemonstrationReplay(float frameDelta) { g_replay.Step(frameDelta); }

void CheckDemonstrationWords() {
  if (!HearFormedWords()) return;
  std::printf("Demonstration solved level %d\n", Play().levelIndex + 1);
  std::fflush(stdout);
  auto won = MakeDemonstrationWonScreen();
  if (RunModal(*won) == FrameEnd::kClosed) return;
  ReturnToMainMenu();
}

void DemonstrationScreen::Event(const SDL_Event& event) {
  if (!g_game.attractMode) return;
  if (event.type == SDL_KEYUP) {
    ReturnToMainMenu();
    return;
  }
  if (event.type == SDL_MOUSEBUTTONDOWN) WheelZoom(event.button.button);
}

void DemonstrationScreen::Update(float frameDelta) {
  if (!g_game.attractMode) return;
  g_game.pickKind = g_game.pickIndex = -1;
  if (g_game.mouseButtons) DragCamera(g_game.mouseButtons, g_game.mouseDx, g_game.mouseDy, kDemonstrationLimits);
  g_replay.Step(frameDelta);
  if (Play().moveState == kMoveStateReady) CheckDemonstrationWords();
}

void DemonstrationScreen::Draw() {
  DrawPlayingBoard(false);
  DrawTopBar();
}
