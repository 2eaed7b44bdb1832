#include "puzzle/Rules.h"
#include "puzzle/PuzzleGlobals.h"
#include "puzzle/PlayState.h"

#include <cstdio>

#include "config/Language.h"
#include "config/Settings.h"
#include "puzzle/Board.h"
#include "puzzle/Cube.h"
#include "puzzle/LevelSet.h"
#include "puzzle/PuzzleHost.h"
#include "puzzle/Variation.h"

MoveRecord g_move;
UndoStack g_undo;
ArrowRecord g_arrows[kMaxArrows];
int g_arrowCount = 0;

namespace {

// Set while the roll of an undo runs: it chooses the undo sound.
int g_undoRolling = 0;

void HighlightCube(int i) {
  if (g_level.CubeAt(g_level.highlightedCube)) g_level.SetCubeHighlight(g_level.highlightedCube, false);
  g_level.SetCubeHighlight(i, true);
  g_level.highlightedCube = i;
}

// A free square a cube may roll onto in the direction: plain floor or the
// target mark of that same direction.
bool FreeFor(int x, int y, int direction) {
  if (!g_board.OnBoard(x, y)) return false;
  int code = g_board.cells[Board::Index(x, y)];
  return code == FLOOR || code == TARGET_NORTH + direction;
}

// Floor or any move target mark: no wall, no cube, on the board.
bool Vacant(int x, int y) {
  if (!g_board.OnBoard(x, y)) return false;
  int code = g_board.cells[Board::Index(x, y)];
  return code == FLOOR || IsTargetCode(code);
}

// Starts the roll of the cube standing on the cursor square towards the
// destination square, which the caller has checked.
void StartMoveRoll(int direction, int x, int y) {
  g_play.moveState = TARGET_NORTH + direction;
  g_move.cursorX = x;
  g_move.cursorY = y;
  g_move.destinationX = x + DirectionDx(direction);
  g_move.destinationY = y + DirectionDy(direction);
  g_move.movingLetter = g_board.letters[Board::Index(x, y)];
  g_board.cells[Board::Index(x, y)] = FLOOR;
  g_board.letters[Board::Index(x, y)] = 0;
}

// What a square holds for word reading.
enum class Reading { kStatic, kRightLetter, kWrong };

Reading ReadSquare(int x, int y, char16_t wanted) {
  if (g_board.IsStaticBlock(x, y)) return Reading::kStatic;
  if (g_board.CellAt(x, y) != CUBE) return Reading::kWrong;
  const Cube* cube = g_level.CubeAt(FindCubeAt(x, y));
  if (cube && cube->UpperLetter() == wanted && IsUpright(*cube)) return Reading::kRightLetter;
  return Reading::kWrong;
}

}  // namespace

void UndoStack::Push(UndoRecord record) {
  if (count == kUndoDepth) {
    for (int i = 1; i < kUndoDepth; ++i) records[i - 1] = records[i];
    --count;
  }
  records[count++] = record;
}

bool UndoStack::Pop(UndoRecord& record) {
  if (count == 0) return false;
  record = records[--count];
  return true;
}

int CanMove(int x, int y) {
  if (g_board.CellAt(x, y) != CUBE) return 0;
  for (int direction = North; direction <= West; ++direction) {
    int nx = x + DirectionDx(direction), ny = y + DirectionDy(direction);
    if (!g_board.OnBoard(nx, ny)) continue;
    int code = g_board.cells[Board::Index(nx, ny)];
    if (IsTargetCode(code) || code == FLOOR) return 1;
  }
  return 0;
}

int FirstMovableCube() {
  for (int i = 0; i < g_cubeCount; ++i)
    if (CanMove(g_cubes[i].x, g_cubes[i].y)) return i;
  return 0;
}

void ClearTargets() {
  for (int i = 0; i < g_arrowCount; ++i) {
    ArrowRecord& arrow = g_arrows[i];
    if (arrow.active && g_board.OnBoard(arrow.x, arrow.y) &&
        IsTargetCode(g_board.cells[Board::Index(arrow.x, arrow.y)]))
      g_board.cells[Board::Index(arrow.x, arrow.y)] = FLOOR;
    arrow.active = 0;
  }
  g_arrowCount = 0;
}

void ShowTargets(int x, int y) {
  ClearTargets();
  for (int direction = North; direction <= West; ++direction) {
    int nx = x + DirectionDx(direction), ny = y + DirectionDy(direction);
    if (!g_board.OnBoard(nx, ny) || g_board.cells[Board::Index(nx, ny)] != FLOOR) continue;
    g_board.cells[Board::Index(nx, ny)] = static_cast<uint8_t>(TARGET_NORTH + direction);
    g_arrows[g_arrowCount++] = ArrowRecord{nx, ny, direction, 1};
  }
}

void SelectCube(int i) {
  g_play.selectedCube = i;
  if (i < 0 || i >= g_cubeCount) return;
  ShowTargets(g_cubes[i].x, g_cubes[i].y);
  g_move.cursorX = g_cubes[i].x;
  g_move.cursorY = g_cubes[i].y;
  HighlightCube(i);
}

void SelectNextMovable(bool forward) {
  if (g_cubeCount == 0) return;
  int candidate = g_play.selectedCube;
  for (int step = 0; step < g_cubeCount; ++step) {
    candidate = forward ? candidate + 1 : candidate - 1;
    if (candidate >= g_cubeCount) candidate = 0;
    if (candidate < 0) candidate = g_cubeCount - 1;
    if (CanMove(g_cubes[candidate].x, g_cubes[candidate].y)) {
      SelectCube(candidate);
      return;
    }
  }
}

int MoveSelected(int direction) {
  if (direction < North || direction > West) return 0;
  if (g_play.moveState != kMoveStateReady) return 0;
  Cube* cube = g_level.CubeAt(g_play.selectedCube);
  const int x = g_move.cursorX, y = g_move.cursorY;
  if (!cube || g_board.CellAt(x, y) != CUBE) return 0;
  if (!FreeFor(x + DirectionDx(direction), y + DirectionDy(direction), direction)) return 0;
  StartMoveRoll(direction, x, y);
  g_undo.Push(UndoRecord{g_play.selectedCube, TARGET_NORTH + direction});
  g_play.moveCount += 1;
  Host().PrepareTopBar(false);
  cube->StartRoll(direction, true);
  return 1;
}

int Undo() {
  if (g_play.moveState != kMoveStateReady) return 0;
  if (g_undo.count == 0) {
    Host().PlaySound(kSoundRefuse);
    return 0;
  }
  const UndoRecord record = g_undo.records[g_undo.count - 1];
  Cube* cube = g_level.CubeAt(record.cube);
  const int direction = OppositeDirection(record.code - TARGET_NORTH);
  const bool known = cube && record.cube < g_cubeCount && record.code >= TARGET_NORTH && record.code <= TARGET_WEST;
  const int x = known ? g_cubes[record.cube].x : -1;
  const int y = known ? g_cubes[record.cube].y : -1;
  // The destination is the square the cube came from; another cube's target
  // marks may lie on it, so any mark counts as free. The guard only keeps a
  // history that does not fit the board from rolling a cube into a wall or
  // off the board, and a refused record stays for the player to see.
  if (!known || g_board.CellAt(x, y) != CUBE || !Vacant(x + DirectionDx(direction), y + DirectionDy(direction))) {
    Host().PlaySound(kSoundRefuse);
    return 0;
  }
  g_undo.count -= 1;
  g_play.selectedCube = record.cube;
  StartMoveRoll(direction, x, y);
  g_undoRolling = 1;
  cube->StartRoll(direction, true);
  g_play.moveCount += 10;
  Host().PrepareTopBar(false);
  return 1;
}

void OnRollStart() {
  if (g_mixing) return;
  g_play.lastWordsFormed = g_board.formedCount;
  ClearTargets();
  if (g_undoRolling) {
    Host().PlaySound(kSoundUndoRoll);
    g_undoRolling = 0;
  } else {
    Host().PlaySound(kSoundRoll);
  }
}

void OnRollEnd(int /*direction*/) {
  if (g_mixing) return;
  g_play.moveState = kMoveStateReady;
  const int x = g_move.destinationX, y = g_move.destinationY;
  g_move.cursorX = x;
  g_move.cursorY = y;
  SetCubeSquare(g_play.selectedCube, x, y);
  if (g_board.OnBoard(x, y)) {
    g_board.cells[Board::Index(x, y)] = CUBE;
    g_board.letters[Board::Index(x, y)] = g_move.movingLetter;
  }
  ShowTargets(x, y);
  HighlightCube(g_play.selectedCube);
  g_board.formedCount = CheckWords();
  if (g_board.placementScore > g_board.previousPlacementScore) Host().PlaySound(kSoundBetter);
}

int IsUpright(const Cube& cube) {
  const int turn = cube.UpperTurn();
  if (IsSymmetricLetter(g_settings.langLevel, cube.UpperLetter())) return turn == 0 || turn == 2;
  return turn == 0;
}

bool FindAnchor(char16_t letter, int& x, int& y) {
  for (int row = 0; row < static_cast<int>(g_board.height); ++row) {
    for (int column = 0; column < static_cast<int>(g_board.width); ++column) {
      const int index = Board::Index(column, row);
      if ((g_board.cells[index] == CUBE && g_board.letters[index] == letter) || g_board.IsStaticBlock(column, row)) {
        x = column;
        y = row;
        return true;
      }
    }
  }
  return false;
}

int CheckWords() {
  Board& b = g_board;
  b.formedCount = 0;
  for (int i = 0; i < kMaxWords; ++i) b.found[i] = 0;
  for (int i = 0; i < g_cubeCount; ++i) g_cubes[i].inPlace = 0;
  b.previousPlacementScore = b.placementScore;
  b.placementScore = 0;

  for (uint32_t w = 0; w < b.wordCount && w < kMaxWords; ++w) {
    LevelWord& word = b.words[w];
    const int length = word.length < 0 ? 0 : word.length > kMaxWordLength ? kMaxWordLength : word.length;
    int row[kMaxWordLength] = {}, column[kMaxWordLength] = {};
    int h = 0, v = 0, spelled = 1;
    int ax = 0, ay = 0;
    if (FindAnchor(word.text[0], ax, ay)) {
      const bool anchorStatic = b.IsStaticBlock(ax, ay);
      if (!anchorStatic && ReadSquare(ax, ay, word.text[0]) != Reading::kRightLetter) {
        spelled = 0;
      } else {
        row[0] = column[0] = 1;
        h = v = 1;
        if (length > 1) {
          for (int i = 1; i < length; ++i) {
            switch (ReadSquare(ax + i, ay, word.text[i])) {
              case Reading::kStatic:
                row[i] = 1;
                h += 2;
                break;
              case Reading::kRightLetter:
                row[i] = 1;
                h += 1;
                break;
              case Reading::kWrong:
                spelled = 0;
                break;
            }
          }
          if (!spelled) {
            // The column is read only when the row fails.
            spelled = 1;
            for (int i = 1; i < length; ++i) {
              switch (ReadSquare(ax, ay + i, word.text[i])) {
                case Reading::kStatic:
                  row[i] = 1;
                  h += 1;
                  column[i] = 1;
                  v += 1;
                  break;
                case Reading::kRightLetter:
                  column[i] = 1;
                  v += 1;
                  break;
                case Reading::kWrong:
                  spelled = 0;
                  break;
              }
            }
          }
        }
      }
    }
    for (int i = 0; i < length; ++i) word.lit[i] = row[i] || column[i];
    b.placementScore += h + v - (row[0] == 1 ? 1 : 0);
    if (spelled) {
      b.found[w] = 1;
      b.formedCount += 1;
    }
  }

  for (int i = 0; i < g_cubeCount; ++i) {
    const Cube* cube = g_level.CubeAt(i);
    if (cube && IsUpright(*cube) && cube->UpperLetter() == cube->OwnLetter()) g_cubes[i].inPlace = 1;
  }
  return b.formedCount;
}

void EndLevel() { g_level.Clear(); }

void UpdateLevel() { g_level.Update(); }

int StartLevel(int index, const LevelStartOptions& options) {
  if (index < 0 || index >= static_cast<int>(g_levelSet.levels.size())) {
    std::fprintf(stderr, "No level %d in the level set\n", index + 1);
    return 0;
  }
  g_level.Clear();
  if (!Host().DemonstrationRunning()) Host().CaptureLevelStartScreen();
  g_play.levelIndex = index;
  if (!Host().ChooseThemeForLevel()) return 0;
  Host().ResetCameras();
  Host().ShowWordList();
  g_play.lastWordsFormed = 0;
  g_board.formedCount = 0;
  Host().ClearSceneLists();
  g_play.selectedCube = 0;
  ClearTargets();

  SetUpBoard(index);
  if (options.vary && options.variant < 0) VaryLevel();
  if (options.vary && options.variant >= 0) ApplyVariation(options.variant);
  CountWordLengths();
  CopySolution();
  g_board.placementScore = 0;
  g_board.previousPlacementScore = 0;
  ClearFoundFlags();
  IsolateStaticBlocks();

  g_undo.Clear();
  g_undoRolling = 0;
  g_play.moveState = kMoveStateReady;

  BuildCubeList();
  Host().BeginSceneBuild();
  const int failed = g_level.Build(g_board.width, g_board.height);
  Host().EndSceneBuild();
  if (failed) {
    std::fprintf(stderr, "Out of memory\n");
    return 0;
  }

  if (options.mix) MixLevel();

  Host().ShowOverview();
  SelectCube(0);
  g_play.moveCount = 0;
  g_play.moveState = kMoveStateReady;
  Host().PrepareTopBar(true);

  g_board.formedCount = CheckWords();
  g_play.lastWordsFormed = g_board.formedCount;
  g_board.previousPlacementScore = g_board.placementScore;
  SelectCube(FirstMovableCube());
  return 1;
}
