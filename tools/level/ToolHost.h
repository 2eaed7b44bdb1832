// The puzzle host of the command-line tool: a clock the tool moves itself, so
// that every roll completes at once, and a log of the sounds the rules asked
// for.
#pragma once

#include <vector>

#include "puzzle/Cube.h"
#include "puzzle/Puzzle.h"

class ToolHost final : public PuzzleHost {
 public:
  uint32_t Ticks() override { return m_ticks; }
  void PlaySound(int number) override { sounds.push_back(number); }

  // Runs the roll under way to its end: one update a whole roll later.
  void FinishRolls(Puzzle& puzzle) {
    for (int guard = 0; guard < 4; ++guard) {
      bool rolling = false;
      for (const Cube* cube : puzzle.Level().cubes) rolling = rolling || cube->moving;
      if (!rolling) return;
      m_ticks += static_cast<uint32_t>(puzzle.MoveDuration()) + 1;
      puzzle.UpdateLevel();
    }
  }

  std::vector<int> sounds;

 private:
  uint32_t m_ticks = 1000;
};
