// The renderer's one window on the puzzle: what it reads of the level on
// show (board, level set, cubes, arrows), and nothing it could change.
// Every part of the renderer reads the puzzle through a const ShownPuzzle&,
// so that this can become the puzzle object itself without touching them.
#pragma once

#include "puzzle/Board.h"
#include "puzzle/LevelSet.h"
#include "puzzle/Rules.h"
#include "puzzle/Scene.h"

class Cube;

class ShownPuzzle {
 public:
  const Board& CurrentBoard() const;
  const LevelSet& CurrentLevelSet() const;
  // Index of the letter in the level set's alphabet, -1 when absent.
  int AlphabetIndex(char16_t letter) const;
  int CubeCount() const;
  const CubeState& CubeRecord(int index) const;
  // The scene cube of record index; null when there is none.
  const Cube* CubeAt(int index) const;
  int ArrowCount() const;
  const ArrowRecord& Arrow(int index) const;
};
