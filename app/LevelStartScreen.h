// The level start screen: the previous screen dissolves into the new level
// while the screen's own camera circles the board under "Ready?" and the
// level's code, and its par once the solver found it. The level's own view
// is left as the playing screen set it.
#pragma once

#include <memory>
#include <string>

#include "platform/Screen.h"

class Game;
class Puzzle;

class LevelStartScreen final : public Screen {
 public:
  explicit LevelStartScreen(Game& game);

  void Enter() override;
  void Event(const SDL_Event& event) override;
  void Update(const FrameTime& time, const Pointer& pointer) override;
  void Draw() override;
  void Leave() override;

  // "Code ABCDE" for the puzzle's level.
  static std::string CodeLine(const Puzzle& puzzle);

 private:
  Game& m_game;
  Puzzle& m_puzzle;
  FrameTime m_time;
  Pointer m_pointer;
  float m_angle = 0.0f;
  float m_dissolve = 0.0f;  // frame units left of the dissolve from the capture
  bool m_pressed = false;   // a button went down during the screen
  bool m_popped = false;
  int m_message = -1;
  int m_code = -1;
  int m_par = -1;  // "Par N" under the code once the par is known
};
