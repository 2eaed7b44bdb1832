// The playing state: the player's keys and pointer on a level.
#include "app/PlayingScreen.h"

#include <cstdio>

#include "app/BoardView.h"
#include "app/Display.h"
#include "app/GameFlow.h"
#include "app/GameState.h"
#include "app/TopBar.h"
#include "audio/Audio.h"
#include "config/Settings.h"
#include "puzzle/PuzzleHost.h"
#include "puzzle/PuzzleView.h"
#include "render/Lights.h"
#include "render/Overlay.h"
#include "ui/ModalScreens.h"

namespace {

bool Ready() { return Play().moveState == kMoveStateReady; }

}  // namespace

std::string NextScreenshotPath() {
  char path[1200];
  std::snprintf(path, sizeof path, "%scapture\\ScreenShot%02d.bmp", g_gamePath, g_game.screenshotNumber);
  g_game.screenshotNumber += 1;
  return path;
}

void TakeScreenshot() {
  const std::string path = NextScreenshotPath();
  SaveScreenshot(path.c_str());  // a file that cannot be made is not written
}

HeldKeys PlayingScreen::SampleHeldKeys() {
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

void PlayingScreen::KeyPressed(SDLKey key) {
  switch (key) {
    case SDLK_UP: case SDLK_KP8: MoveSelected(North); break;
    case SDLK_DOWN: case SDLK_KP2: MoveSelected(South); break;
    case SDLK_LEFT: case SDLK_KP4: MoveSelected(West); break;
    case SDLK_RIGHT: case SDLK_KP6: MoveSelected(East); break;
    case SDLK_LSHIFT: g_game.leftShiftHeld = 1; break;
    case SDLK_RSHIFT: g_game.rightShiftHeld = 1; break;
    default: break;
  }
}

void PlayingScreen::RunSlotScreen(bool load) {
  ClearTargets();
  ResetModelViewAndLights();
  if (load) {
    int slot = -1;
    auto screen = MakeLoadScreen(&slot);
    if (RunModal(*screen) == FrameEnd::kClosed) return;
    if (slot >= 0) {
      ResumeLoadedSlot();
      return;
    }
  } else {
    auto screen = MakeSaveScreen();
    if (RunModal(*screen) == FrameEnd::kClosed) return;
  }
  SelectCube(Play().selectedCube);
}

void PlayingScreen::KeyReleased(SDLKey key) {
  switch (key) {
    case SDLK_LSHIFT: g_game.leftShiftHeld = 0; break;
    case SDLK_RSHIFT: g_game.rightShiftHeld = 0; break;
    case SDLK_F1:
      if (Ready() && StartLevel(Play().levelIndex)) ShowLevelStart();
      break;
    case SDLK_BACKSPACE:
      if (Ready()) Undo();  // the rules refresh the top bar and sound a refusal
      break;
    case SDLK_TAB:
      if (!Ready()) break;
      SelectNextMovable(!(g_game.leftShiftHeld || g_game.rightShiftHeld));
      if (g_game.cameraMode == 1) CentreCloseViewOn(Play().selectedCube);
      Host().PlaySound(kSoundRefuse);
      break;
    case SDLK_ESCAPE: PauseGame(); break;
    case SDLK_SPACE: g_game.showWordList = 1 - g_game.showWordList; break;
    case SDLK_F2: RunSlotScreen(true); break;
    case SDLK_F3: RunSlotScreen(false); break;
    case SDLK_F5: ResetCurrentView(); break;
    case SDLK_F6: UseOverview(); break;
    case SDLK_F7: UseCloseView(); break;
    case SDLK_F10: ++m_screenshotsPending; break;
    default: break;
  }
}

void PlayingScreen::Event(const SDL_Event& event) {
  if (!g_game.inGame || g_game.menuShown) return;
  switch (event.type) {
    case SDL_KEYDOWN: KeyPressed(event.key.keysym.sym); break;
    case SDL_KEYUP: KeyReleased(event.key.keysym.sym); break;
    case SDL_MOUSEBUTTONDOWN:
      g_game.buttonHeld = 1;
      if (event.button.button == SDL_BUTTON_WHEELUP || event.button.button == SDL_BUTTON_WHEELDOWN)
        WheelZoom(event.button.button);
      break;
    case SDL_MOUSEBUTTONUP:
      if (event.button.button == SDL_BUTTON_LEFT && g_game.buttonHeld) {
        if (InsideWordListButton(event.button.x, event.button.y))
          g_game.showWordList = 1 - g_game.showWordList;
        else
          g_game.boardClick = 1;
      }
      g_game.buttonHeld = 0;
      break;
    default: break;
  }
}

void PlayingScreen::Update(float frameDelta) {
  if (!g_game.inGame || g_game.menuShown) return;
  PickUnderPointer();
  if (g_game.mouseButtons)
    DragCamera(g_game.mouseButtons, g_game.mouseDx, g_game.mouseDy, kPlayingLimits);
  else
    EdgeScroll(g_game.mouseX, g_game.mouseY, OverlayScreenWidth(), OverlayScreenHeight(), frameDelta);
  ApplyHeldKeys(SampleHeldKeys(), frameDelta);

  if (Ready()) {
    const int selected = Play().selectedCube;
    if (g_game.cameraMode == 1 && g_game.pickKind == kPickCube && g_game.pickIndex == selected && g_game.boardClick)
      CentreCloseViewOn(selected);
    if (g_game.pickKind == kPickCube && g_game.pickIndex != selected && !g_game.buttonHeld &&
        g_game.pickIndex < CubeCount()) {
      const CubeState& cube = CubeRecord(g_game.pickIndex);
      if (CanMove(cube.x, cube.y)) {
        SelectCube(g_game.pickIndex);
        Host().PlaySound(kSoundRefuse);
      }
    }
    if (g_game.boardClick && g_game.pickKind == kPickArrow && g_game.pickIndex >= 0 &&
        g_game.pickIndex < ArrowCount())
      MoveSelected(Arrow(g_game.pickIndex).direction);
  }
  g_game.boardClick = 0;
  CheckLevelCompletion();
}

void PlayingScreen::Draw() {
  DrawPlayingBoard(false);
  DrawTopBar();
  // Taken from the frame just drawn: after a present the back buffer holds
  // nothing a driver promises.
  for (; m_screenshotsPending > 0; --m_screenshotsPending) TakeScreenshot();
}
