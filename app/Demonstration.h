// The demonstration: the game plays a level by itself, rolling the cubes
// back through the steps its shuffle recorded, last to first, with a pause
// to select each cube and a pause before each roll.
#pragma once

#include <vector>

#include "app/PlayView.h"
#include "platform/Screen.h"
#include "puzzle/Puzzle.h"
#include "puzzle/PuzzleHost.h"
#include "puzzle/Variation.h"

class Game;

// The replay over the rules alone (no drawing), one frame at a time.
class ShuffleReplay {
 public:
  // speed is the Speed setting: selections wait speed x 5 frame units,
  // rolls speed x 4.
  void Begin(const ShuffleRecord& record, int speed);
  // Counts the delays down and, when the cubes are ready, selects the cube
  // of the next step (sound 3) or rolls it back.
  void Step(Puzzle& puzzle, PuzzleHost& host, float frameDelta);
  bool Done() const { return m_next < 0; }
  int StepsLeft() const { return m_next + 1; }

 private:
  std::vector<ShuffleStep> m_steps;
  int m_next = -1;
  float m_stepDelay = 0.0f;
  float m_selectionDelay = 0.0f;
  float m_speed = 8.0f;
};

// The demonstration's screen. The level is started (with its shuffle
// recorded) when the screen is made; any key gives the main menu back, and
// solving the level shows the demonstration's level won screen first.
class DemonstrationScreen final : public Screen {
 public:
  DemonstrationScreen(Game& game, int level);

  void Enter() override { m_view.FitToBoard(); }
  void Event(const SDL_Event& event) override;
  void Update(const FrameTime& time, const Pointer& pointer) override;
  void Draw() override;
  void Leave() override;

  // One frame of the replay and the rolls, as Update does it (the timedemo
  // steps it at a fixed rate).
  void Step(const FrameTime& time);

 private:
  void End();

  Game& m_game;
  Puzzle& m_puzzle;
  PlayView m_view;
  ShuffleReplay m_replay;
  FrameTime m_time;
  Pointer m_pointer;
  bool m_ending = false;
};
