// The level won, demonstration level won and game won screens.
#include "app/CelebrationScreen.h"

#include <cmath>

#include "app/BoardView.h"
#include "app/GameState.h"
#include "app/TopBar.h"
#include "config/Language.h"
#include "config/Settings.h"
#include "puzzle/PuzzleView.h"
#include "render/Lights.h"
#include "render/Overlay.h"

namespace {

constexpr float kPi = 3.14159265f;

bool Demonstration(Celebration kind) { return kind == Celebration::kDemonstrationWon; }

}  // namespace

void CelebrationScreen::Enter() {
  g_game.drawArrows = 0;
  g_game.cameraMode = 0;
  g_game.camera = &g_game.overview;
  g_game.pickKind = g_game.pickIndex = -1;
  m_savedWordList = g_game.showWordList;
  if (!Demonstration(m_kind)) g_game.showWordList = 0;
  m_message = SetBigMessage(Label(m_kind == Celebration::kGameWon ? LabelKey::MessageGameWin : LabelKey::MessageLevelWin));
}

void CelebrationScreen::Event(const SDL_Event& event) {
  if (event.type == SDL_KEYUP || event.type == SDL_MOUSEBUTTONUP) m_finished = true;
  // The demonstration's screen also gives way to a key press.
  if (Demonstration(m_kind) && event.type == SDL_KEYDOWN) m_finished = true;
}

void CelebrationScreen::Update(float frameDelta) {
  m_angle += frameDelta * 0.2f;
  m_shown += frameDelta;
  const float z0 = Demonstration(m_kind) ? 1.4f : 1.2f;
  g_game.overview.spin = m_angle * -0.6f;
  g_game.overview.tilt = -30.0f;
  g_game.overview.zoom = std::sin(m_angle * kPi / 64.0f) * 0.4f + z0;
  const float period = Demonstration(m_kind) ? 10.0f : 5.0f;
  m_sinceSelection += frameDelta;
  if (m_sinceSelection >= period && CubeCount() > 0) {
    m_sinceSelection = 0.0f;
    SelectCube((Play().selectedCube + 1) % CubeCount());
    ClearTargets();
  }
  if (Demonstration(m_kind) && m_shown >= kDemonstrationWonFrames) m_finished = true;
}

void CelebrationScreen::Draw() {
  DrawPlayingBoard(true, m_angle);
  DrawTopBar();
  DrawGameText(kFontGameBig, m_message, 0, 0, OverlayScreenWidth(), OverlayScreenHeight());
}

void CelebrationScreen::Leave() {
  g_game.drawArrows = 1;
  if (!Demonstration(m_kind)) g_game.showWordList = m_savedWordList;
  ResetModelViewAndLights();
}

std::unique_ptr<Screen> MakeLevelWonScreen() { return std::make_unique<CelebrationScreen>(Celebration::kLevelWon); }
std::unique_ptr<Screen> MakeDemonstrationWonScreen() {
  return std::make_unique<CelebrationScreen>(Celebration::kDemonstrationWon);
}
std::unique_ptr<Screen> MakeGameWonScreen() { return std::make_unique<CelebrationScreen>(Celebration::kGameWon); }
