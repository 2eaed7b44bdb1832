// The puzzle's read-only records, as the renderer sees them.
#include "render/ShownPuzzle.h"

#include "puzzle/Cube.h"
#include "puzzle/PuzzleView.h"

const Board& ShownPuzzle::CurrentBoard() const { return ::CurrentBoard(); }
const LevelSet& ShownPuzzle::CurrentLevelSet() const { return ::CurrentLevelSet(); }
int ShownPuzzle::AlphabetIndex(char16_t letter) const { return ::AlphabetIndex(letter); }
int ShownPuzzle::CubeCount() const { return ::CubeCount(); }
const CubeState& ShownPuzzle::CubeRecord(int index) const { return ::CubeRecord(index); }
const Cube* ShownPuzzle::CubeAt(int index) const { return ::CurrentLevel().CubeAt(index); }
int ShownPuzzle::ArrowCount() const { return ::ArrowCount(); }
const ArrowRecord& ShownPuzzle::Arrow(int index) const { return ::Arrow(index); }
