// The playing state: the player's keys and pointer on a level, and the
// screens that follow a won level.
#include "app/PlayingScreen.h"

#include <cstdio>
#include <memory>

#include "app/CelebrationScreen.h"
#include "app/Game.h"
#include "app/LevelStartScreen.h"
#include "audio/SoundFiles.h"
#include "base/FileAccess.h"
#include "config/Language.h"
#include "platform/Display.h"
#include "puzzle/PuzzleHost.h"
#include "puzzle/Puzzle.h"
#include "puzzle/SavedGame.h"
#include "render/Renderer.h"
#include "ui/ModalScreens.h"
#include "ui/Scores.h"

namespace {

bool Ready(const Puzzle& puzzle) { return puzzle.Play().moveState == kMoveStateReady; }

int LevelCount(const Puzzle& puzzle) { return static_cast<int>(puzzle.LevelSet().levelCount); }

}  // namespace

PlayingScreen::PlayingScreen(Game& game) : m_game(game), m_puzzle(game.ThePuzzle()), m_view(game.ThePuzzle()), m_hint(game) {}

void PlayingScreen::Enter() { Fit(); }

void PlayingScreen::Fit() {
  m_view.SetFrame(ViewFrame{m_game.ScreenWidth(), m_game.ScreenHeight(), m_game.Bar().Bottom()});
  m_view.FitToBoard();
}

void PlayingScreen::Leave() {
  // Back to the main menu: the level, its fonts and its theme go.
  m_game.Bar().FreeFonts();
  m_puzzle.EndLevel();
  m_game.FreeLevelTheme();
  m_game.ResetView();
}

void PlayingScreen::Uncovered() {
  // Back from the pause menu or a slot screen: the arrows come back.
  m_game.ResetView();
  m_puzzle.SelectCube(m_puzzle.Play().selectedCube);
}

void PlayingScreen::StartLevelWithIntro(int level) {
  // The caller checked the level exists: a start that fails could not load
  // the level's theme (the loader said why), which ends the game.
  if (!m_puzzle.StartLevel(level)) m_game.EndAfterFailure();
  m_hint.Clear();
  Fit();
  Flow().Push(std::make_unique<LevelStartScreen>(m_game));
}

void PlayingScreen::ResumeLoaded() {
  if (!m_puzzle.ResumeLoadedGame()) m_game.EndAfterFailure();
  m_hint.Clear();
  Fit();
  m_ending = false;
  m_puzzle.SelectCube(m_puzzle.Play().selectedCube);
}

void PlayingScreen::KeyPressed(SDLKey key) {
  switch (key) {
    case SDLK_UP: case SDLK_KP8: m_puzzle.MoveSelected(North); break;
    case SDLK_DOWN: case SDLK_KP2: m_puzzle.MoveSelected(South); break;
    case SDLK_LEFT: case SDLK_KP4: m_puzzle.MoveSelected(West); break;
    case SDLK_RIGHT: case SDLK_KP6: m_puzzle.MoveSelected(East); break;
    case SDLK_LSHIFT: m_leftShift = true; break;
    case SDLK_RSHIFT: m_rightShift = true; break;
    default: break;
  }
}

void PlayingScreen::KeyReleased(SDLKey key) {
  switch (key) {
    case SDLK_LSHIFT: m_leftShift = false; break;
    case SDLK_RSHIFT: m_rightShift = false; break;
    case SDLK_F1:
      if (Ready(m_puzzle)) StartLevelWithIntro(m_puzzle.Play().levelIndex);
      break;
    case SDLK_BACKSPACE:
      if (Ready(m_puzzle)) m_puzzle.Undo();  // the rules refresh the top bar and sound a refusal
      break;
    case SDLK_TAB:
      if (!Ready(m_puzzle)) break;
      m_puzzle.SelectNextMovable(!(m_leftShift || m_rightShift));
      if (m_view.CloseView()) m_view.CentreCloseViewOn(m_puzzle.Play().selectedCube);
      m_game.Host().PlaySound(kSoundRefuse);
      break;
    case SDLK_ESCAPE:
      m_puzzle.ClearTargets();
      m_game.ResetView();
      Flow().Push(std::make_unique<PauseMenuScreen>(m_game.Menus()));
      break;
    case SDLK_h: m_hint.Ask(); break;
    case SDLK_SPACE: m_game.Bar().showWordList = !m_game.Bar().showWordList; break;
    case SDLK_F2:
    case SDLK_F3:
      m_puzzle.ClearTargets();
      m_game.ResetView();
      if (key == SDLK_F2)
        Flow().Push(MakeLoadScreen(m_game.Menus(), [this] { m_game.ResumeLoadedSlot(); }));
      else
        Flow().Push(MakeSaveScreen(m_game.Menus()));
      break;
    case SDLK_F5:
      m_view.SetFrame(ViewFrame{m_game.ScreenWidth(), m_game.ScreenHeight(), m_game.Bar().Bottom()});
      m_view.ResetCurrentView();
      break;
    case SDLK_F6: m_view.UseOverview(); break;
    case SDLK_F7: m_view.UseCloseView(); break;
    case SDLK_F10: ++m_screenshotsPending; break;
    default: break;
  }
}

void PlayingScreen::Event(const SDL_Event& event) {
  if (m_ending) return;
  switch (event.type) {
    case SDL_KEYDOWN: KeyPressed(event.key.keysym.sym); break;
    case SDL_KEYUP: KeyReleased(event.key.keysym.sym); break;
    case SDL_MOUSEBUTTONDOWN:
      m_buttonHeld = true;
      if (event.button.button == SDL_BUTTON_WHEELUP || event.button.button == SDL_BUTTON_WHEELDOWN)
        m_view.WheelZoom(event.button.button);
      break;
    case SDL_MOUSEBUTTONUP:
      if (event.button.button == SDL_BUTTON_LEFT && m_buttonHeld) {
        if (m_game.Bar().InsideWordListButton(event.button.x, event.button.y))
          m_game.Bar().showWordList = !m_game.Bar().showWordList;
        else if (m_game.Bar().InsideHintButton(event.button.x, event.button.y))
          m_hint.Ask();
        else
          m_boardClick = true;
      }
      m_buttonHeld = false;
      break;
    default: break;
  }
}

void PlayingScreen::Update(const FrameTime& time, const Pointer& pointer) {
  m_time = time;
  m_pointer = pointer;
  m_game.Bar().Tick(time.delta);
  if (m_screenshotSaved) m_game.Bar().ShowNotice(Label(LabelKey::ScreenshotSaved));
  if (m_screenshotError) m_game.Bar().ShowNotice(FailureText(LabelKey::ScreenshotFailed, m_screenshotError));
  m_screenshotSaved = false;
  m_screenshotError = 0;
  if (m_ending) return;
  m_pick = m_view.PickUnder(m_game.TheRenderer(), pointer);
  if (pointer.buttons)
    m_view.Drag(pointer, kPlayingLimits);
  else
    m_view.EdgeScroll(pointer, m_game.ScreenWidth(), m_game.ScreenHeight(), time.delta);
  m_view.ApplyHeldKeys(SampleHeldKeys(), time.delta);

  if (Ready(m_puzzle)) {
    const int selected = m_puzzle.Play().selectedCube;
    if (m_view.CloseView() && m_pick.kind == kPickCube && m_pick.index == selected && m_boardClick)
      m_view.CentreCloseViewOn(selected);
    if (m_pick.kind == kPickCube && m_pick.index != selected && !m_buttonHeld && m_pick.index < m_puzzle.CubeCount()) {
      const CubeState& cube = m_puzzle.CubeRecord(m_pick.index);
      if (m_puzzle.CanMove(cube.x, cube.y)) {
        m_puzzle.SelectCube(m_pick.index);
        m_game.Host().PlaySound(kSoundRefuse);
      }
    }
    if (m_boardClick && m_pick.kind == kPickArrow && m_pick.index >= 0 && m_pick.index < m_puzzle.ArrowCount())
      m_puzzle.MoveSelected(m_puzzle.Arrow(m_pick.index).direction);
  }
  m_boardClick = false;
  m_game.StepPar();  // when the level start was left before the par was known
  m_puzzle.UpdateLevel();
  m_hint.Update();
  CheckLevelCompletion();
}

void PlayingScreen::CheckLevelCompletion() {
  if (!m_game.HearFormedWords()) return;
  m_ending = true;
  m_pick = PickResult();
  if (m_puzzle.Play().levelIndex + 1 < LevelCount(m_puzzle)) {
    Flow().Push(std::make_unique<CelebrationScreen>(m_game, Celebration::kLevelWon), {}, [this] { AfterLevelWon(); });
    return;
  }
  AfterLevelWon();
}

void PlayingScreen::AfterLevelWon() {
  const int record = m_puzzle.LevelSet().RecordOf(m_puzzle.Play().levelIndex);
  if (!m_game.Scores().IsRecord(record, m_puzzle.Play().moveCount)) {
    NextLevel();
    return;
  }
  m_game.Scores().NoteRecordPar(record, m_game.Par());
  // The name is typed over the level just won, seen from above.
  Fit();
  auto drawScene = [this](const FrameTime& time) {
    m_time = time;
    DrawScene(false);
  };
  Flow().Push(MakeNameEntryScreen(m_game.Menus(), record, drawScene), {}, [this] { NextLevel(); });
}

void PlayingScreen::NextLevel() {
  const int level = m_puzzle.Play().levelIndex;
  if (level + 1 >= LevelCount(m_puzzle)) {
    Flow().Push(std::make_unique<CelebrationScreen>(m_game, Celebration::kGameWon), {},
                [this] { m_game.ReturnToMainMenu(false); });
    return;
  }
  m_ending = false;
  StartLevelWithIntro(level + 1);
}

void PlayingScreen::DrawScene(bool withArrows) {
  BoardLook look;
  look.arrows = withArrows;
  look.arrowHover = withArrows;
  look.hoveredArrow = m_pick.kind == kPickArrow ? m_pick.index : m_hint.Arrow();
  DrawLevelBoard(m_game.TheRenderer(), m_view.Pose(), m_time, look);
  m_game.Bar().Draw(m_pointer.x, m_pointer.y);
}

void PlayingScreen::Draw() {
  DrawScene(true);
  // Taken from the frame just drawn: after a present the back buffer holds
  // nothing a driver promises.
  for (; m_screenshotsPending > 0; --m_screenshotsPending) {
    const std::string path = m_game.NextScreenshotPath();
    int error = 0;
    if (SaveScreenshot(path.c_str(), &error)) {
      m_screenshotSaved = true;
      continue;
    }
    // Told at the next update, in the top bar.
    m_screenshotError = error;
    std::fprintf(stderr, "Couldn't save screenshot %s: %s\n", NativePath(path.c_str()).c_str(),
                 SystemReason(error).c_str());
  }
}
