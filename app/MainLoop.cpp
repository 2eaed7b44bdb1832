#include "app/MainLoop.h"

#include "app/Demonstration.h"
#include "app/FrameRunner.h"
#include "app/GameFlow.h"
#include "app/GameState.h"
#include "app/PlayingScreen.h"
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
  hooks.startDemonstration = [] { StartDemonstration(); };
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

GameLoopScreen::GameLoopScreen(MenuHooks hooks, std::unique_ptr<Screen> playing, std::unique_ptr<Screen> demonstration)
    : m_menu(std::move(hooks)), m_playing(std::move(playing)), m_demonstration(std::move(demonstration)) {}

GameLoopState GameLoopScreen::State() {
  if (g_game.attractMode) return GameLoopState::kDemonstration;
  if (g_game.menuShown) return GameLoopState::kMenu;
  if (g_game.inGame) return GameLoopState::kPlaying;
  return GameLoopState::kMenu;
}

Screen& GameLoopScreen::Current() {
  switch (State()) {
    case GameLoopState::kDemonstration: return *m_demonstration;
    case GameLoopState::kPlaying: return *m_playing;
    default: return m_menu;
  }
}

void GameLoopScreen::Event(const SDL_Event& event) { Current().Event(event); }

void GameLoopScreen::Update(float frameDelta) { Current().Update(frameDelta); }

void GameLoopScreen::Draw() { Current().Draw(); }

void RunMainLoop() {
  FrameRunner runner(GameFrameHooks());
  GameLoopScreen loop(GameMenuHooks(), std::make_unique<PlayingScreen>(), std::make_unique<DemonstrationScreen>());
  runner.Run(loop);
}
