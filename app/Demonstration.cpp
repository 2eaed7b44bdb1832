// The demonstration: the recorded shuffle played back.
#include "app/Demonstration.h"

#include <cstdio>
#include <memory>

#include "app/CelebrationScreen.h"
#include "app/Game.h"
#include "app/PlayingScreen.h"
#include "config/Settings.h"
#include "puzzle/PuzzleHost.h"
#include "puzzle/Puzzle.h"
#include "render/Renderer.h"

namespace {

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

void ShuffleReplay::Step(Puzzle& puzzle, PuzzleHost& host, float frameDelta) {
  m_stepDelay = CountDown(m_stepDelay, frameDelta);
  m_selectionDelay = CountDown(m_selectionDelay, frameDelta);
  if (Done() || puzzle.Play().moveState != kMoveStateReady || m_selectionDelay != 0.0f) return;
  const ShuffleStep& step = m_steps[m_next];
  if (puzzle.Play().selectedCube != step.cube) {
    puzzle.SelectCube(step.cube);
    host.PlaySound(kSoundRefuse);
    m_selectionDelay = m_speed * 5.0f;
    m_stepDelay = m_speed * 4.0f;
    return;
  }
  if (m_stepDelay != 0.0f) return;
  puzzle.MoveSelected(ReplayDirection(step.pick));
  --m_next;
  m_stepDelay = m_speed * 4.0f;
}

DemonstrationScreen::DemonstrationScreen(Game& game, int level)
    : m_game(game), m_puzzle(game.ThePuzzle()), m_view(game.ThePuzzle()) {
  game.Host().CaptureLevelStarts(false);
  m_puzzle.RecordShuffle(true);
  const int started = m_puzzle.StartLevel(level);
  m_puzzle.RecordShuffle(false);
  game.Host().CaptureLevelStarts(true);
  // The caller chose a level of the set: only its theme can fail to load.
  if (!started) game.EndAfterFailure();
  m_replay.Begin(m_puzzle.LastShuffle(), g_settings.speed);
}

void DemonstrationScreen::End() {
  if (m_ending) return;
  m_ending = true;
  m_game.ReturnToMainMenu(true);
}

void DemonstrationScreen::Event(const SDL_Event& event) {
  if (m_ending) return;
  if (event.type == SDL_KEYUP) {
    End();
    return;
  }
  if (event.type == SDL_MOUSEBUTTONDOWN) m_view.WheelZoom(event.button.button);
}

void DemonstrationScreen::Step(const FrameTime& time) {
  m_time = time;
  m_replay.Step(m_puzzle, m_game.Host(), time.delta);
  m_puzzle.UpdateLevel();
}

void DemonstrationScreen::Update(const FrameTime& time, const Pointer& pointer) {
  m_pointer = pointer;
  if (m_ending) {
    m_time = time;
    return;
  }
  if (pointer.buttons) m_view.Drag(pointer, kDemonstrationLimits);
  Step(time);
  if (m_puzzle.Play().moveState != kMoveStateReady || !m_game.HearFormedWords()) return;
  std::printf("Demonstration solved level %d\n", m_puzzle.Play().levelIndex + 1);
  std::fflush(stdout);
  m_ending = true;
  Flow().Push(std::make_unique<CelebrationScreen>(m_game, Celebration::kDemonstrationWon), {},
              [this] { m_game.ReturnToMainMenu(true); });
}

void DemonstrationScreen::Draw() {
  DrawLevelBoard(m_game.TheRenderer(), m_view.Pose(), m_time, BoardLook());
  m_game.Bar().Draw(m_pointer.x, m_pointer.y);
}

void DemonstrationScreen::Leave() {
  m_game.Bar().FreeFonts();
  m_puzzle.EndLevel();
  m_game.FreeLevelTheme();
  m_game.ResetView();
}
