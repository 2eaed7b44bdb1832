// The level won, demonstration level won and game won screens.
#include "app/CelebrationScreen.h"

#include <cmath>

#include "app/Game.h"
#include "app/PlayView.h"
#include "base/Math.h"
#include "config/Language.h"
#include "config/Settings.h"
#include "puzzle/Puzzle.h"
#include "render/Renderer.h"

namespace {


bool Demonstration(Celebration kind) { return kind == Celebration::kDemonstrationWon; }

}  // namespace

CelebrationScreen::CelebrationScreen(Game& game, Celebration kind)
    : m_game(game), m_puzzle(game.ThePuzzle()), m_kind(kind) {}

void CelebrationScreen::Enter() {
  m_savedWordList = m_game.Bar().showWordList;
  if (!Demonstration(m_kind)) m_game.Bar().showWordList = false;
  m_message = m_game.Bar().SetBigMessage(
      Label(m_kind == Celebration::kGameWon ? LabelKey::MessageGameWin : LabelKey::MessageLevelWin));
}

void CelebrationScreen::End() {
  if (m_ended) return;
  m_ended = true;
  Flow().Pop();
}

void CelebrationScreen::Event(const SDL_Event& event) {
  if (event.type == SDL_KEYUP || event.type == SDL_MOUSEBUTTONUP) End();
  // The demonstration's screen also gives way to a key press.
  if (Demonstration(m_kind) && event.type == SDL_KEYDOWN) End();
}

void CelebrationScreen::Update(const FrameTime& time, const Pointer& pointer) {
  m_time = time;
  m_pointer = pointer;
  m_angle += time.delta * 0.2f;
  m_shown += time.delta;
  const float period = Demonstration(m_kind) ? 10.0f : 5.0f;
  m_sinceSelection += time.delta;
  if (m_sinceSelection >= period && m_puzzle.CubeCount() > 0) {
    m_sinceSelection = 0.0f;
    m_puzzle.SelectCube((m_puzzle.Play().selectedCube + 1) % m_puzzle.CubeCount());
    m_puzzle.ClearTargets();
  }
  m_puzzle.UpdateLevel();
  if (Demonstration(m_kind) && m_shown >= kDemonstrationWonFrames) End();
}

void CelebrationScreen::Draw() {
  const float z0 = Demonstration(m_kind) ? 1.4f : 1.2f;
  const float zoom = std::sin(m_angle * static_cast<float>(kPi) / 64.0f) * 0.4f + z0;
  BoardLook look;
  look.arrows = false;
  look.arrowHover = false;
  look.bobPhase = m_angle;
  DrawLevelBoard(m_game.TheRenderer(), ShowcasePose(m_angle * -0.6f, -30.0f, zoom), m_time, look);
  m_game.Bar().Draw(m_pointer.x, m_pointer.y);
  m_game.Bar().DrawText(kFontGameBig, m_message, 0, 0, m_game.ScreenWidth(), m_game.ScreenHeight());
}

void CelebrationScreen::Leave() {
  if (!Demonstration(m_kind)) m_game.Bar().showWordList = m_savedWordList;
  m_game.ResetView();
}
