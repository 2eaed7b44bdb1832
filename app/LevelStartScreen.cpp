// The level start screen.
#include "app/LevelStartScreen.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "app/BoardView.h"
#include "app/GameState.h"
#include "app/TopBar.h"
#include "config/Language.h"
#include "config/Settings.h"
#include "puzzle/PuzzleView.h"
#include "render/Overlay.h"

namespace {

constexpr float kPi = 3.14159265f;

}  // namespace

std::string LevelStartScreen::CodeLine() {
  const LevelSet& set = CurrentLevelSet();
  const int level = Play().levelIndex;
  std::string line = Label(LabelKey::Code).ToUtf8();
  line += ' ';
  if (level >= 0 && level < static_cast<int>(set.levels.size()))
    for (int i = 0; i < kCodeLength; ++i) line += static_cast<char>(set.levels[level].code[i]);
  return line;
}

void LevelStartScreen::Enter() {
  g_game.drawArrows = 0;
  g_game.drawArrowHover = 0;
  g_game.cameraMode = 0;
  g_game.camera = &g_game.overview;
  g_game.pickKind = g_game.pickIndex = -1;
  ClearTargets();
  m_message = SetBigMessage(Label(LabelKey::MessageStart));
  const std::string code = CodeLine();
  m_code = AddSmallText(code.c_str());
  // Authors and tests read which level started.
  std::printf("Level %d: %s\n", Play().levelIndex + 1, code.c_str());
  std::fflush(stdout);
}

void LevelStartScreen::Event(const SDL_Event& event) {
  if (event.type == SDL_KEYUP) m_finished = true;
  if (event.type == SDL_MOUSEBUTTONDOWN) m_pressed = true;
  if (event.type == SDL_MOUSEBUTTONUP && m_pressed) m_finished = true;
}

void LevelStartScreen::Update(float frameDelta) {
  m_angle += frameDelta * 0.2f;
  g_game.overview.spin = m_angle;
  g_game.overview.tilt = -45.0f;
  g_game.overview.zoom = std::sin(m_angle * kPi / 64.0f) * 0.4f + 1.0f;
  if (g_game.levelIntroFade != 0.0f) {
    g_game.levelIntroFade -= frameDelta;
    if (g_game.levelIntroFade < 0.0f) g_game.levelIntroFade = 0.0f;
  }
}

void LevelStartScreen::Draw() {
  DrawPlayingBoard(true);
  DrawTopBar();
  const int width = OverlayScreenWidth();
  const int height = OverlayScreenHeight();
  DrawGameText(kFontGameBig, m_message, 0, 0, width, height);
  DrawGameText(kFontGameSmall, m_code, 0, 32, width, height);
  if (g_game.levelIntroFade != 0.0f) DrawScreenCapture(g_game.levelIntroFade * 0.01f);
}

bool LevelStartScreen::ShowsCursor() const { return g_game.levelIntroFade == 0.0f; }

void LevelStartScreen::Leave() {
  FreeScreenCapture();
  g_game.levelIntroFade = 0.0f;
  g_game.drawArrows = 1;
  g_game.drawArrowHover = 1;
  SelectCube(Play().selectedCube);
}

std::unique_ptr<Screen> MakeLevelStartScreen() { return std::make_unique<LevelStartScreen>(); }
