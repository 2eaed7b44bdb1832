#include "app/MainLoop.h"

#include <SDL.h>

#include "app/Display.h"
#include "app/Events.h"
#include "app/FrameClock.h"
#include "app/GameState.h"
#include "audio/Audio.h"
#include "pages/Pages.h"
#include "render/Overlay.h"
#include "ui/MenuScreen.h"

namespace {

constexpr float kIdleFramesBeforeDemonstration = 600.0f;
constexpr int kCursorSize = 16;

float CountDown(float value, float step) {
  if (value == 0.0f) return 0.0f;
  value -= step;
  return value < 0.0f ? 0.0f : value;
}

void ReadPointer() {
  SDL_GetRelativeMouseState(&g_game.mouseDx, &g_game.mouseDy);
  g_game.mouseButtons = SDL_GetMouseState(&g_game.mouseX, &g_game.mouseY) & 0xFF;
}

void MenuFrame() {
  DrawMenuScreen();
  bool fadesOver = g_game.fadeFromBlack == 0.0f && g_game.fadeToBlack == 0.0f;
  if (fadesOver) DrawCursor(g_game.mouseX, g_game.mouseY, kCursorSize);
  if (g_game.fadeFromBlack != 0.0f) DrawBlackOverlay(g_game.fadeFromBlack * 0.01f);
  if (g_game.fadeToBlack != 0.0f || g_game.quitRequested) DrawBlackOverlay(1.0f - g_game.fadeToBlack * 0.01f);
  PresentFrame();
  if (fadesOver) HandleMenuInput();
}

}  // namespace

void RequestQuit() {
  g_game.fadeToBlack = 100.0f;
  FadeToMusic(-1);
  g_game.quitRequested = 1;
}

void RunMainLoop() {
  g_clock.Start(SDL_GetTicks());
  for (;;) {
    if (CloseRequested()) return;
    if (g_game.quitRequested && g_game.fadeToBlack == 0.0f) {
      StopMusic();
      ShowPage(3);
      return;
    }

    g_clock.Tick(SDL_GetTicks());
    UpdateMusic(g_clock.frameDelta);
    g_game.fadeFromBlack = CountDown(g_game.fadeFromBlack, g_clock.frameDelta);
    g_game.fadeToBlack = CountDown(g_game.fadeToBlack, g_clock.frameDelta);
    g_clock.Advance();

    ReadPointer();

    if (!g_game.inGame && !g_game.attractMode) {
      // The demonstration starts from an untouched main menu; it comes with
      // the playing state, so for now the count only runs.
      if (g_game.idleTime <= kIdleFramesBeforeDemonstration) g_game.idleTime += g_clock.frameDelta;
    }

    if (g_game.menuShown) MenuFrame();
  }
}
