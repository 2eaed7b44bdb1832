// The main loop: the main menu screen run by the frame runner until the
// player quits or the window closes, and the transitions between the game's
// states.
#pragma once

#include <functional>
#include <memory>

#include "app/Screen.h"

// Runs until the player quits or the window closes.
void RunMainLoop();

// Quit from the main menu: fade to black, then the exit page, then the end.
void RequestQuit();

// What the main menu screen needs of the menus; the game's come from ui/.
struct MenuHooks {
  std::function<void()> draw;
  // Handles one input event; true when it ran a command or moved the
  // highlight (the menu was touched).
  std::function<bool(const SDL_Event&)> handleEvent;
  // Whether the main menu (not a submenu) is the current one.
  std::function<bool()> mainMenuCurrent;
  std::function<void()> startDemonstration;
};
MenuHooks GameMenuHooks();

// The menu state: the menu screen, its input, and the idle count that starts
// the demonstration after 600 frame units (10 s) on an untouched main menu.
class MainMenuScreen final : public Screen {
 public:
  explicit MainMenuScreen(MenuHooks hooks) : m_hooks(std::move(hooks)) {}

  void Event(const SDL_Event& event) override;
  void Update(float frameDelta) override;
  void Draw() override { m_hooks.draw(); }

 private:
  MenuHooks m_hooks;
};

constexpr float kIdleFramesBeforeDemonstration = 600.0f;

enum class GameLoopState { kMenu, kPlaying, kDemonstration };

// The main loop's screen: the menu (also the pause menu over a suspended
// level), the level being played or the demonstration, as the game's flags
// say on each call; the transitions change the flags.
class GameLoopScreen final : public Screen {
 public:
  GameLoopScreen(MenuHooks hooks, std::unique_ptr<Screen> playing, std::unique_ptr<Screen> demonstration);

  static GameLoopState State();

  void Event(const SDL_Event& event) override;
  void Update(float frameDelta) override;
  void Draw() override;

 private:
  Screen& Current();

  MainMenuScreen m_menu;
  std::unique_ptr<Screen> m_playing;
  std::unique_ptr<Screen> m_demonstration;
};
