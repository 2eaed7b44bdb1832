// What the puzzle fuzz targets share: a host whose clock runs on by itself,
// and a few moves and undos played on whatever level was started.
#pragma once

#include "puzzle/Puzzle.h"

class FuzzClockHost : public PuzzleHost {
 public:
  uint32_t Ticks() override { return m_ticks += 97; }

 private:
  uint32_t m_ticks = 0;
};

// Selections, moves and undos, each roll run to its end.
inline void PlaySomeMoves(Puzzle& puzzle, int steps, int seed) {
  for (int step = 0; step < steps; ++step) {
    if (step % 4 == 0) puzzle.SelectNextMovable(step % 8 == 0);
    if (step % 5 == 4)
      puzzle.Undo();
    else
      puzzle.MoveSelected((step + seed) % 4);
    for (int frame = 0; frame < 20 && puzzle.Play().moveState != kMoveStateReady; ++frame) puzzle.UpdateLevel();
  }
}
