// The demonstration: the game plays a level by itself, rolling the cubes
// back through the steps its shuffle recorded, last to first, with a pause
// to select each cube and a pause before each roll.
#pragma once

#include <vector>

#include "app/Screen.h"
#include "puzzle/Variation.h"

// The replay over the rules alone (no drawing), one frame at a time.
class ShuffleReplay {
 public:
  // speed is the Speed setting: selections wait speed x 5 frame units,
  // rolls speed x 4.
  void Begin(const ShuffleRecord& record, int speed);
  // Counts the delays down and, when the cubes are ready, selects the cube
  // of the next step (sound 3) or rolls it back.
  void Step(float frameDelta);
  bool Done() const { return m_next < 0; }
  int StepsLeft() const { return m_next + 1; }

 private:
  std::vector<ShuffleStep> m_steps;
  int m_next = -1;
  float m_stepDelay = 0.0f;
  float m_selectionDelay = 0.0f;
  float m_speed = 8.0f;
};

// Starts the level with its shuffle recorded and the replay ready.
void BeginDemonstration(int level);
// One frame of that replay (no word check).
void StepDemonstrationReplay(float frameDelta);

// The demonstration state of the main loop.
class DemonstrationScreen final : public Screen {
 public:
  void Event(const SDL_Event& event) override;
  void Update(float frameDelta) override;
  void Draw() override;
};

// The word check of a demonstration frame: sound 5 for a new word; all words
// formed show the demonstration's level won screen and end it.
void CheckDemonstrationWords();
