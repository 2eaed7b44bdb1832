// The three celebration screens (level won, the demonstration's level won,
// game won): the camera circles the solved board, the selection runs over
// the cubes and the message stands in the middle of the screen.
#pragma once

#include <memory>

#include "app/Screen.h"

enum class Celebration { kLevelWon, kDemonstrationWon, kGameWon };

class CelebrationScreen final : public Screen {
 public:
  explicit CelebrationScreen(Celebration kind) : m_kind(kind) {}

  void Enter() override;
  void Event(const SDL_Event& event) override;
  void Update(float frameDelta) override;
  void Draw() override;
  void Leave() override;
  bool Finished() const override { return m_finished; }

  Celebration Kind() const { return m_kind; }

 private:
  Celebration m_kind;
  float m_angle = 0.0f;
  float m_sinceSelection = 0.0f;
  float m_shown = 0.0f;  // frame units on screen
  int m_savedWordList = 1;
  int m_message = -1;
  bool m_finished = false;
};

std::unique_ptr<Screen> MakeLevelWonScreen();
std::unique_ptr<Screen> MakeDemonstrationWonScreen();
std::unique_ptr<Screen> MakeGameWonScreen();

// The demonstration's screen ends by itself after this many frame units.
constexpr float kDemonstrationWonFrames = 300.0f;
