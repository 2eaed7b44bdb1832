#include "app/FrameRunner.h"

#include "app/Display.h"
#include "app/Events.h"
#include "app/FrameClock.h"
#include "app/GameState.h"
#include "audio/Audio.h"
#include "pages/Pages.h"
#include "render/Overlay.h"

namespace {

// The page set shown when the player quits.
constexpr int kExitPageSet = 3;

float CountDown(float value, float step) {
  if (value == 0.0f) return 0.0f;
  value -= step;
  return value < 0.0f ? 0.0f : value;
}

}  // namespace

FrameHooks GameFrameHooks() {
  FrameHooks hooks;
  hooks.ticks = [] { return static_cast<uint32_t>(SDL_GetTicks()); };
  hooks.closeRequested = [] { return CloseRequested(); };
  hooks.pollEvent = [](SDL_Event& event) { return PollGameEvent(&event) != 0; };
  hooks.updateMusic = [](float frameDelta) { UpdateMusic(frameDelta); };
  hooks.readPointer = [] {
    SDL_GetRelativeMouseState(&g_game.mouseDx, &g_game.mouseDy);
    g_game.mouseButtons = SDL_GetMouseState(&g_game.mouseX, &g_game.mouseY) & 0xFF;
  };
  hooks.drawOverlays = [] {};
  hooks.drawCursor = [](int x, int y) { DrawCursor(x, y, kCursorSize); };
  hooks.drawBlack = [](float alpha) { DrawBlackOverlay(alpha); };
  hooks.present = [] { PresentFrame(); };
  hooks.endAfterQuit = [] {
    StopMusic();
    ShowPage(kExitPageSet);
  };
  return hooks;
}

FrameEnd FrameRunner::Run(Screen& screen) {
  g_clock.Start(m_hooks.ticks());
  screen.Enter();
  FrameEnd end;
  while ((end = Frame(screen)) == FrameEnd::kContinue) {
  }
  screen.Leave();
  return end;
}

FrameEnd FrameRunner::Frame(Screen& screen) {
  if (m_hooks.closeRequested()) return FrameEnd::kClosed;
  if (g_game.quitRequested && g_game.fadeToBlack == 0.0f) {
    m_hooks.endAfterQuit();
    return FrameEnd::kQuit;
  }

  g_clock.Tick(m_hooks.ticks());
  const float frameDelta = g_clock.frameDelta;
  m_hooks.updateMusic(frameDelta);
  g_game.fadeFromBlack = CountDown(g_game.fadeFromBlack, frameDelta);
  g_game.fadeToBlack = CountDown(g_game.fadeToBlack, frameDelta);
  g_clock.Advance();
  m_hooks.readPointer();

  // Quitting counts as a fade until the exit page: no input, no pointer.
  const bool fadesOver = g_game.fadeFromBlack == 0.0f && g_game.fadeToBlack == 0.0f && !g_game.quitRequested;
  SDL_Event event;
  while (m_hooks.pollEvent(event))
    if (fadesOver) screen.Event(event);

  screen.Update(frameDelta);
  screen.Draw();
  m_hooks.drawOverlays();
  if (fadesOver && screen.ShowsCursor()) m_hooks.drawCursor(g_game.mouseX, g_game.mouseY);
  if (g_game.fadeFromBlack != 0.0f) m_hooks.drawBlack(g_game.fadeFromBlack * 0.01f);
  if (g_game.fadeToBlack != 0.0f || g_game.quitRequested) m_hooks.drawBlack(1.0f - g_game.fadeToBlack * 0.01f);
  m_hooks.present();
  return screen.Finished() ? FrameEnd::kScreenFinished : FrameEnd::kContinue;
}
