#include "app/MainLoop.h"

#include "app/FrameRunner.h"
#include "app/GameState.h"
#include "audio/Audio.h"
#include "ui/MenuScreen.h"

void RequestQuit() {
  g_game.fadeToBlack = 100.0f;
  FadeToMusic(-1);
  g_game.quitRequested = 1;
}

MenuHooks GameMenuHooks() {
  MenuHooks hooks;
  hooks.draw = [] { DrawMenuScreen(); };
  hooks.handleEvent = [](const SDL_Event& event) { return HandleMenuEvent(event); };
  hooks.mainMenuCurrent = [] { return MainMenuCurrent(); };
  // The demonstration comes with the playing state.
  hooks.startDemonstration = [] {};
  return hooks;
}

void MainMenuScreen::Event(const SDL_Event& event) {
  if (m_hooks.handleEvent(event)) g_game.idleTime = 0.0f;
}

void MainMenuScreen::Update(float frameDelta) {
  if (g_game.inGame || g_game.attractMode) return;
  // Only an untouched main menu counts: a submenu keeps the count at 0.
  if (!m_hooks.mainMenuCurrent()) {
    g_game.idleTime = 0.0f;
  } else if (g_game.idleTime > kIdleFramesBeforeDemonstration) {
    m_hooks.startDemonstration();
  } else {
    g_game.idleTime += frameDelta;
  }
}

void RunMainLoop() {
  FrameRunner runner(GameFrameHooks());
  MainMenuScreen menu(GameMenuHooks());
  runner.Run(menu);
}
