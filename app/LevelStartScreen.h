// The level start screen: the previous screen dissolves into the new level
// while the camera circles the board under "Ready?" and the level's code.
#pragma once

#include <memory>

#include "app/Screen.h"

class LevelStartScreen final : public Screen {
 public:
  void Enter() override;
  void Event(const SDL_Event& event) override;
  void Update(float frameDelta) override;
  void Draw() override;
  void Leave() override;
  bool Finished() const override { return m_finished; }
  bool ShowsCursor() const override;

  // "Code ABCDE" for the current level.
  static std::string CodeLine();

 private:
  float m_angle = 0.0f;
  bool m_pressed = false;  // a button went down during the screen
  bool m_finished = false;
  int m_message = -1;
  int m_code = -1;
};

std::unique_ptr<Screen> MakeLevelStartScreen();
