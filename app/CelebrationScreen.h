// The three celebration screens (level won, the demonstration's level won,
// game won): the screen's own camera circles the solved board, the selection
// runs over the cubes and the message stands in the middle of the screen.
#pragma once

#include "platform/Screen.h"

class Game;
class Puzzle;

enum class Celebration { kLevelWon, kDemonstrationWon, kGameWon };

class CelebrationScreen final : public Screen {
 public:
  CelebrationScreen(Game& game, Celebration kind);

  void Enter() override;
  void Event(const SDL_Event& event) override;
  void Update(const FrameTime& time, const Pointer& pointer) override;
  void Draw() override;
  void Leave() override;

  Celebration Kind() const { return m_kind; }

 private:
  void End();

  Game& m_game;
  Puzzle& m_puzzle;
  Celebration m_kind;
  FrameTime m_time;
  Pointer m_pointer;
  float m_angle = 0.0f;
  float m_sinceSelection = 0.0f;
  float m_shown = 0.0f;  // frame units on screen
  bool m_savedWordList = true;
  int m_message = -1;
  bool m_ended = false;
};

// The demonstration's screen ends by itself after this many frame units.
constexpr float kDemonstrationWonFrames = 300.0f;
