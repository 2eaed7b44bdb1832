// The level start screen.
#include "app/LevelStartScreen.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "app/Game.h"
#include "app/PlayView.h"
#include "base/Math.h"
#include "config/Language.h"
#include "config/Settings.h"
#include "puzzle/Puzzle.h"
#include "render/Renderer.h"

namespace {

// Frame units over which the previous screen dissolves into the new level.
constexpr float kDissolveFrames = 100.0f;

}  // namespace

LevelStartScreen::LevelStartScreen(Game& game) : m_game(game), m_puzzle(game.ThePuzzle()) {}

std::string LevelStartScreen::CodeLine(const Puzzle& puzzle) {
  const LevelSet& set = puzzle.LevelSet();
  const int level = puzzle.Play().levelIndex;
  std::string line = Label(LabelKey::Code).ToUtf8();
  line += ' ';
  if (level >= 0 && level < static_cast<int>(set.levels.size()))
    for (int i = 0; i < kCodeLength; ++i) line += static_cast<char>(set.levels[level].code[i]);
  return line;
}

void LevelStartScreen::Enter() {
  m_puzzle.ClearTargets();
  if (m_game.Host().TakeCapture()) m_dissolve = kDissolveFrames;
  m_message = m_game.Bar().SetBigMessage(Label(LabelKey::MessageStart));
  const std::string code = CodeLine(m_puzzle);
  m_code = m_game.Bar().AddSmallText(code.c_str());
  m_par = -1;
  m_game.BeginPar();
  // Authors and tests read which level started.
  std::printf("Level %d: %s\n", m_puzzle.Play().levelIndex + 1, code.c_str());
  std::fflush(stdout);
}

void LevelStartScreen::Event(const SDL_Event& event) {
  bool done = event.type == SDL_KEYUP;
  if (event.type == SDL_MOUSEBUTTONDOWN) m_pressed = true;
  if (event.type == SDL_MOUSEBUTTONUP && m_pressed) done = true;
  if (done && !m_popped) {
    m_popped = true;
    Flow().Pop();
  }
}

void LevelStartScreen::Update(const FrameTime& time, const Pointer& pointer) {
  m_time = time;
  m_pointer = pointer;
  m_angle += time.delta * 0.2f;
  if (m_dissolve != 0.0f) {
    m_dissolve -= time.delta;
    if (m_dissolve < 0.0f) m_dissolve = 0.0f;
  }
  m_puzzle.UpdateLevel();
  if (m_game.StepPar()) {
    // The bar was prepared again with the par: the screen's texts come back.
    m_code = m_game.Bar().AddSmallText(CodeLine(m_puzzle).c_str());
    m_par = m_game.Bar().AddSmallText(ParText(m_game.Par()).c_str());
    std::printf("Par %d\n", m_game.Par());
    std::fflush(stdout);
  }
}

void LevelStartScreen::Draw() {
  BoardLook look;
  look.arrows = false;
  look.arrowHover = false;
  const float zoom = std::sin(m_angle * static_cast<float>(kPi) / 64.0f) * 0.4f + 1.0f;
  DrawLevelBoard(m_game.TheRenderer(), ShowcasePose(m_angle, -45.0f, zoom), m_time, look);
  TopBar& bar = m_game.Bar();
  bar.Draw(m_pointer.x, m_pointer.y);
  const int width = m_game.ScreenWidth();
  const int height = m_game.ScreenHeight();
  bar.DrawText(kFontGameBig, m_message, 0, 0, width, height);
  bar.DrawText(kFontGameSmall, m_code, 0, 32, width, height);
  bar.DrawText(kFontGameSmall, m_par, 0, 64, width, height);
  if (m_dissolve != 0.0f) m_game.TheRenderer().overlay.DrawScreenCapture(m_dissolve * 0.01f);
}

void LevelStartScreen::Leave() {
  m_game.TheRenderer().overlay.FreeScreenCapture();
  m_puzzle.SelectCube(m_puzzle.Play().selectedCube);
}
