// The playing state: the player's keys and pointer on a level, and the
// screens that follow a won level.
#include "app/PlayingScreen.h"

#include <cstdio>
#include <memory>

#include "app/CelebrationScreen.h"
#include "app/Game.h"
#include "app/LevelStartScreen.h"
#include "audio/SoundFiles.h"
#include "platform/Display.h"
#include "puzzle/PuzzleHost.h"
#include "puzzle/PuzzleView.h"
#include "puzzle/SavedGame.h"
#include "render/GameRenderer.h"
#include "ui/ModalScreens.h"
#include "ui/Scores.h"

namespace {

bool Ready() { return Play().moveState == kMoveStateReady; }

int LevelCount() { return static_cast<int>(CurrentLevelSet().levelCount); }

}  // namespace

bool HearFormedWords() {
  const int formed = CurrentBoard().formedCount;
  if (formed == Play().lastWordsFormed) return false;
  const bool all = formed == static_cast<int>(CurrentBoard().wordCount);
  if (all || formed > Play().lastWordsFormed) {
    Host().PlaySound(all ? kSoundLevelWon : kSoundWordFormed);
    StartParticleBurst();
  }
  AcknowledgeWordsFormed();
  return all;
}

void PlayingScreen::Enter() { m_view.FitToBoard(); }

void PlayingScreen::Leave() {
  // Back to the main menu: the level, its fonts and its theme go.
  m_game.Bar().FreeFonts();
  EndLevel();
  m_game.FreeLevelTheme();
  ResetModelViewAndLights();
}

void PlayingScreen::Uncovered() {
  // Back from the pause menu or a slot screen: the arrows come back.
  ResetModelViewAndLights();
  SelectCube(Play().selectedCube);
}

void PlayingScreen::StartLevelWithIntro(int level) {
  // The caller checked the level exists: a start that fails could not load
  // the level's theme (the loader said why), which ends the game.
  if (!StartLevel(level)) m_game.EndAfterFailure();
  m_view.FitToBoard();
  Flow().Push(std::make_unique<LevelStartScreen>(m_game));
}

void PlayingScreen::ResumeLoaded() {
  if (!ResumeLoadedGame()) m_game.EndAfterFailure();
  m_view.FitToBoard();
  m_ending = false;
  SelectCube(Play().selectedCube);
}

void PlayingScreen::KeyPressed(SDLKey key) {
  switch (key) {
    case SDLK_UP: case SDLK_KP8: MoveSelected(North); break;
    case SDLK_DOWN: case SDLK_KP2: MoveSelected(South); break;
    case SDLK_LEFT: case SDLK_KP4: MoveSelected(West); break;
    case SDLK_RIGHT: case SDLK_KP6: MoveSelected(East); break;
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
      if (Ready()) StartLevelWithIntro(Play().levelIndex);
      break;
    case SDLK_BACKSPACE:
      if (Ready()) Undo();  // the rules refresh the top bar and sound a refusal
      break;
    case SDLK_TAB:
      if (!Ready()) break;
      SelectNextMovable(!(m_leftShift || m_rightShift));
      if (m_view.CloseView()) m_view.CentreCloseViewOn(Play().selectedCube);
      Host().PlaySound(kSoundRefuse);
      break;
    case SDLK_ESCAPE:
      ClearTargets();
      ResetModelViewAndLights();
      Flow().Push(std::make_unique<PauseMenuScreen>(m_game.Menus()));
      break;
    case SDLK_SPACE: m_game.Bar().showWordList = !m_game.Bar().showWordList; break;
    case SDLK_F2:
    case SDLK_F3:
      ClearTargets();
      ResetModelViewAndLights();
      if (key == SDLK_F2)
        Flow().Push(MakeLoadScreen(m_game.Menus(), [this] { m_game.ResumeLoadedSlot(); }));
      else
        Flow().Push(MakeSaveScreen(m_game.Menus()));
      break;
    case SDLK_F5: m_view.ResetCurrentView(); break;
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
  if (m_ending) return;
  m_pick = m_view.PickUnder(pointer);
  if (pointer.buttons)
    m_view.Drag(pointer, kPlayingLimits);
  else
    m_view.EdgeScroll(pointer, OverlayScreenWidth(), OverlayScreenHeight(), time.delta);
  m_view.ApplyHeldKeys(SampleHeldKeys(), time.delta);

  if (Ready()) {
    const int selected = Play().selectedCube;
    if (m_view.CloseView() && m_pick.kind == kPickCube && m_pick.index == selected && m_boardClick)
      m_view.CentreCloseViewOn(selected);
    if (m_pick.kind == kPickCube && m_pick.index != selected && !m_buttonHeld && m_pick.index < CubeCount()) {
      const CubeState& cube = CubeRecord(m_pick.index);
      if (CanMove(cube.x, cube.y)) {
        SelectCube(m_pick.index);
        Host().PlaySound(kSoundRefuse);
      }
    }
    if (m_boardClick && m_pick.kind == kPickArrow && m_pick.index >= 0 && m_pick.index < ArrowCount())
      MoveSelected(Arrow(m_pick.index).direction);
  }
  m_boardClick = false;
  UpdateLevel();
  CheckLevelCompletion();
}

void PlayingScreen::CheckLevelCompletion() {
  if (!HearFormedWords()) return;
  m_ending = true;
  m_pick = PickResult();
  if (Play().levelIndex + 1 < LevelCount()) {
    Flow().Push(std::make_unique<CelebrationScreen>(m_game, Celebration::kLevelWon), {}, [this] { AfterLevelWon(); });
    return;
  }
  AfterLevelWon();
}

void PlayingScreen::AfterLevelWon() {
  const int level = Play().levelIndex;
  if (!m_game.Scores().IsRecord(level, Play().moveCount)) {
    NextLevel();
    return;
  }
  // The name is typed over the level just won, seen from above.
  m_view.FitToBoard();
  auto drawScene = [this](const FrameTime& time) {
    m_time = time;
    DrawScene(false);
  };
  Flow().Push(MakeNameEntryScreen(m_game.Menus(), level, drawScene), {}, [this] { NextLevel(); });
}

void PlayingScreen::NextLevel() {
  const int level = Play().levelIndex;
  if (level + 1 >= LevelCount()) {
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
  look.hoveredArrow = m_pick.kind == kPickArrow ? m_pick.index : -1;
  DrawLevelBoard(m_view.Pose(), m_time, look);
  m_game.Bar().Draw(m_pointer.x, m_pointer.y);
}

void PlayingScreen::Draw() {
  DrawScene(true);
  // Taken from the frame just drawn: after a present the back buffer holds
  // nothing a driver promises.
  for (; m_screenshotsPending > 0; --m_screenshotsPending)
    SaveScreenshot(m_game.NextScreenshotPath().c_str());  // a file that cannot be made is not written
}
