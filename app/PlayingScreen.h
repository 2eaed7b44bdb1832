// The playing state: the level scene under the top bar, the keys and the
// pointer of the player (moves, selection, undo, restart, views, load and
// save, screenshots) and what follows when the words are all formed (level
// won, a record's name, the next level or the game won).
#pragma once

#include <SDL.h>

#include "app/Hint.h"
#include "app/PlayView.h"
#include "platform/Screen.h"

class Game;

class PlayingScreen final : public Screen {
 public:
  explicit PlayingScreen(Game& game);

  void Enter() override;
  void Event(const SDL_Event& event) override;
  void Update(const FrameTime& time, const Pointer& pointer) override;
  void Draw() override;
  void Leave() override;
  void Uncovered() override;

  // The level (restart, next level, a code) with the level start over it.
  void StartLevelWithIntro(int level);
  // A loaded slot becomes the level being played.
  void ResumeLoaded();
  PlayView& View() { return m_view; }

 private:
  void KeyPressed(SDLKey key);
  void KeyReleased(SDLKey key);
  // All words formed: level won, the record, then the next level or the
  // game won and the way back to the main menu.
  void CheckLevelCompletion();
  void AfterLevelWon();
  void NextLevel();
  void DrawScene(bool withArrows);
  // The overview fitted to the screen below the top bar.
  void Fit();

  Game& m_game;
  Puzzle& m_puzzle;
  PlayView m_view;
  Hint m_hint;
  FrameTime m_time;
  Pointer m_pointer;
  PickResult m_pick;
  bool m_leftShift = false, m_rightShift = false;
  bool m_buttonHeld = false;
  bool m_boardClick = false;
  bool m_ending = false;          // the level is won: the screens that follow run
  int m_screenshotsPending = 0;   // F10 presses since the last frame drawn
  bool m_screenshotSaved = false; // the top bar says so from the next frame
  int m_screenshotError = 0;      // the errno of a screenshot not saved: the bar says so
};
