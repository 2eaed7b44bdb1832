// The puzzle host of the command-line tool: a clock the tool moves itself, so
// that every roll completes at once, and a log of the sounds the rules asked
// for.
#pragma once

#include <vector>

#include "config/Settings.h"
#include "puzzle/PuzzleGlobals.h"
#include "puzzle/Cube.h"
#include "puzzle/PuzzleHost.h"
#include "puzzle/Scene.h"

class ToolHost final : public PuzzleHost {
 public:
  uint32_t Ticks() override { return m_ticks; }
  void PlaySound(int number) override { sounds.push_back(number); }

  // Runs the roll under way to its end: one update a whole roll later.
  void FinishRolls() {
    for (int guard = 0; guard < 4; ++guard) {
      bool rolling = false;
      for (const Cube* cube : g_level.cubes) rolling = rolling || cube->moving;
      if (!rolling) return;
      m_ticks += static_cast<uint32_t>(g_moveDuration) + 1;
      g_level.Update();
    }
  }

  std::vector<int> sounds;

 private:
  uint32_t m_ticks = 1000;
};
