// The rule book of a level: starting it, selecting a cube and where it may
// go, moves and undo, and recognising words.
#include "puzzle/Puzzle.h"

#include <cstdio>

#include "puzzle/Cube.h"

namespace {

// A free square a cube may roll onto in the direction: plain floor or the
// target mark of that same direction.
bool FreeFor(const Board& board, int x, int y, int direction) {
  if (!board.OnBoard(x, y)) return false;
  int code = board.cells[Board::Index(x, y)];
  return code == FLOOR || code == TARGET_NORTH + direction;
}

// Floor or any move target mark: no wall, no cube, on the board.
bool Vacant(const Board& board, int x, int y) {
  if (!board.OnBoard(x, y)) return false;
  int code = board.cells[Board::Index(x, y)];
  return code == FLOOR || IsTargetCode(code);
}

}  // namespace

void Puzzle::HighlightCube(int i) {
  if (m_level.CubeAt(m_level.highlightedCube)) m_level.SetCubeHighlight(m_level.highlightedCube, false);
  m_level.SetCubeHighlight(i, true);
  m_level.highlightedCube = i;
}

// Starts the roll of the cube standing on the cursor square towards the
// destination square, which the caller has checked.
void Puzzle::StartMoveRoll(int direction, int x, int y) {
  m_play.moveState = TARGET_NORTH + direction;
  m_move.cursorX = x;
  m_move.cursorY = y;
  m_move.destinationX = x + DirectionDx(direction);
  m_move.destinationY = y + DirectionDy(direction);
  m_move.movingLetter = m_board.letters[::Board::Index(x, y)];
  m_board.cells[::Board::Index(x, y)] = FLOOR;
  m_board.letters[::Board::Index(x, y)] = 0;
}

// What a square holds for word reading.
Puzzle::Reading Puzzle::ReadSquare(int x, int y, char16_t wanted) const {
  if (m_board.IsStaticBlock(x, y)) return Reading::kStatic;
  if (m_board.CellAt(x, y) != CUBE) return Reading::kWrong;
  const Cube* cube = m_level.CubeAt(FindCubeAt(x, y));
  if (cube && cube->UpperLetter() == wanted && IsUpright(*cube)) return Reading::kRightLetter;
  return Reading::kWrong;
}

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

int Puzzle::CanMove(int x, int y) const {
  if (m_board.CellAt(x, y) != CUBE) return 0;
  for (int direction = North; direction <= West; ++direction) {
    int nx = x + DirectionDx(direction), ny = y + DirectionDy(direction);
    if (!m_board.OnBoard(nx, ny)) continue;
    int code = m_board.cells[::Board::Index(nx, ny)];
    if (IsTargetCode(code) || code == FLOOR) return 1;
  }
  return 0;
}

int Puzzle::FirstMovableCube() const {
  for (int i = 0; i < m_cubeCount; ++i)
    if (CanMove(m_cubes[i].x, m_cubes[i].y)) return i;
  return 0;
}

void Puzzle::ClearTargets() {
  for (int i = 0; i < m_arrowCount; ++i) {
    ArrowRecord& arrow = m_arrows[i];
    if (arrow.active && m_board.OnBoard(arrow.x, arrow.y) &&
        IsTargetCode(m_board.cells[::Board::Index(arrow.x, arrow.y)]))
      m_board.cells[::Board::Index(arrow.x, arrow.y)] = FLOOR;
    arrow.active = 0;
  }
  m_arrowCount = 0;
}

void Puzzle::ShowTargets(int x, int y) {
  ClearTargets();
  for (int direction = North; direction <= West; ++direction) {
    int nx = x + DirectionDx(direction), ny = y + DirectionDy(direction);
    if (!m_board.OnBoard(nx, ny) || m_board.cells[::Board::Index(nx, ny)] != FLOOR) continue;
    m_board.cells[::Board::Index(nx, ny)] = static_cast<uint8_t>(TARGET_NORTH + direction);
    m_arrows[m_arrowCount++] = ArrowRecord{nx, ny, direction, 1};
  }
}

void Puzzle::SelectCube(int i) {
  m_play.selectedCube = i;
  if (i < 0 || i >= m_cubeCount) return;
  ShowTargets(m_cubes[i].x, m_cubes[i].y);
  m_move.cursorX = m_cubes[i].x;
  m_move.cursorY = m_cubes[i].y;
  HighlightCube(i);
}

void Puzzle::SelectNextMovable(bool forward) {
  if (m_cubeCount == 0) return;
  int candidate = m_play.selectedCube;
  for (int step = 0; step < m_cubeCount; ++step) {
    candidate = forward ? candidate + 1 : candidate - 1;
    if (candidate >= m_cubeCount) candidate = 0;
    if (candidate < 0) candidate = m_cubeCount - 1;
    if (CanMove(m_cubes[candidate].x, m_cubes[candidate].y)) {
      SelectCube(candidate);
      return;
    }
  }
}

int Puzzle::MoveSelected(int direction) {
  if (direction < North || direction > West) return 0;
  if (m_play.moveState != kMoveStateReady) return 0;
  Cube* cube = m_level.CubeAt(m_play.selectedCube);
  const int x = m_move.cursorX, y = m_move.cursorY;
  if (!cube || m_board.CellAt(x, y) != CUBE) return 0;
  if (!FreeFor(m_board, x + DirectionDx(direction), y + DirectionDy(direction), direction)) return 0;
  StartMoveRoll(direction, x, y);
  m_undo.Push(UndoRecord{m_play.selectedCube, TARGET_NORTH + direction});
  m_play.moveCount += 1;
  m_host->PrepareTopBar(false);
  cube->StartRoll(direction, true);
  return 1;
}

int Puzzle::Undo() {
  if (m_play.moveState != kMoveStateReady) return 0;
  if (m_undo.count == 0) {
    m_host->PlaySound(kSoundRefuse);
    return 0;
  }
  const UndoRecord record = m_undo.records[m_undo.count - 1];
  Cube* cube = m_level.CubeAt(record.cube);
  const int direction = OppositeDirection(record.code - TARGET_NORTH);
  const bool known = cube && record.cube < m_cubeCount && record.code >= TARGET_NORTH && record.code <= TARGET_WEST;
  const int x = known ? m_cubes[record.cube].x : -1;
  const int y = known ? m_cubes[record.cube].y : -1;
  // The destination is the square the cube came from; another cube's target
  // marks may lie on it, so any mark counts as free. The guard only keeps a
  // history that does not fit the board from rolling a cube into a wall or
  // off the board, and a refused record stays for the player to see.
  if (!known || m_board.CellAt(x, y) != CUBE || !Vacant(m_board, x + DirectionDx(direction), y + DirectionDy(direction))) {
    m_host->PlaySound(kSoundRefuse);
    return 0;
  }
  m_undo.count -= 1;
  m_play.selectedCube = record.cube;
  StartMoveRoll(direction, x, y);
  m_undoRolling = 1;
  cube->StartRoll(direction, true);
  m_play.moveCount += 10;
  m_host->PrepareTopBar(false);
  return 1;
}

void Puzzle::ChargeHint() {
  m_play.moveCount += 10;
  m_host->PrepareTopBar(false);
}

void Puzzle::RollStarted() {
  if (m_mixing) return;
  m_play.lastWordsFormed = m_board.formedCount;
  ClearTargets();
  if (m_undoRolling) {
    m_host->PlaySound(kSoundUndoRoll);
    m_undoRolling = 0;
  } else {
    m_host->PlaySound(kSoundRoll);
  }
}

void Puzzle::RollEnded(int /*direction*/) {
  if (m_mixing) return;
  m_play.moveState = kMoveStateReady;
  const int x = m_move.destinationX, y = m_move.destinationY;
  m_move.cursorX = x;
  m_move.cursorY = y;
  SetCubeSquare(m_play.selectedCube, x, y);
  if (m_board.OnBoard(x, y)) {
    m_board.cells[::Board::Index(x, y)] = CUBE;
    m_board.letters[::Board::Index(x, y)] = m_move.movingLetter;
  }
  ShowTargets(x, y);
  HighlightCube(m_play.selectedCube);
  m_board.formedCount = CheckWords();
  if (m_board.placementScore > m_board.previousPlacementScore) m_host->PlaySound(kSoundBetter);
}

int Puzzle::IsUpright(const Cube& cube) const {
  const int turn = cube.UpperTurn();
  if (m_levelSet.IsSymmetric(cube.UpperLetter())) return turn == 0 || turn == 2;
  return turn == 0;
}

bool Puzzle::FindAnchor(char16_t letter, int& x, int& y) const {
  for (int row = 0; row < static_cast<int>(m_board.height); ++row) {
    for (int column = 0; column < static_cast<int>(m_board.width); ++column) {
      const int index = ::Board::Index(column, row);
      if ((m_board.cells[index] == CUBE && m_board.letters[index] == letter) || m_board.IsStaticBlock(column, row)) {
        x = column;
        y = row;
        return true;
      }
    }
  }
  return false;
}

int Puzzle::CheckWords() {
  ::Board& b = m_board;
  b.formedCount = 0;
  for (int i = 0; i < kMaxWords; ++i) b.found[i] = 0;
  for (int i = 0; i < m_cubeCount; ++i) m_cubes[i].inPlace = 0;
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

  for (int i = 0; i < m_cubeCount; ++i) {
    const Cube* cube = m_level.CubeAt(i);
    // Its own letter upright on a square where that letter belongs: the
    // progress the board shows.
    if (cube && IsUpright(*cube) && cube->UpperLetter() == cube->OwnLetter() &&
        b.solution[::Board::Index(m_cubes[i].x, m_cubes[i].y)] == cube->OwnLetter())
      m_cubes[i].inPlace = 1;
  }
  return b.formedCount;
}

void Puzzle::EndLevel() { m_level.Clear(); }

void Puzzle::UpdateLevel() { m_level.Update(); }

int Puzzle::StartLevel(int index, const LevelStartOptions& options) {
  if (index < 0 || index >= static_cast<int>(m_levelSet.levels.size())) {
    std::fprintf(stderr, "No level %d in the level set\n", index + 1);
    return 0;
  }
  m_level.Clear();
  if (!m_host->DemonstrationRunning()) m_host->CaptureLevelStartScreen();
  m_play.levelIndex = index;
  if (!m_host->ChooseThemeForLevel()) return 0;
  m_host->ResetCameras();
  m_host->ShowWordList();
  m_play.lastWordsFormed = 0;
  m_board.formedCount = 0;
  m_host->ClearSceneLists();
  m_play.selectedCube = 0;
  ClearTargets();

  SetUpBoard(m_board, m_levelSet.levels[index]);
  if (options.vary && options.variant < 0) VaryLevel(m_board);
  if (options.vary && options.variant >= 0) ApplyVariation(m_board, options.variant);
  CountWordLengths(m_board);
  CopySolution(m_board);
  m_board.placementScore = 0;
  m_board.previousPlacementScore = 0;
  ClearFoundFlags(m_board);
  IsolateStaticBlocks(m_board);

  m_undo.Clear();
  m_undoRolling = 0;
  m_play.moveState = kMoveStateReady;

  BuildCubeList();
  m_host->BeginSceneBuild();
  const int failed = m_level.Build(m_board, m_play.difficulty, m_levelSet);
  m_host->EndSceneBuild();
  if (failed) {
    std::fprintf(stderr, "Out of memory\n");
    return 0;
  }

  if (options.mix) MixLevel(options.gentle ? GentleDealMoves(index, m_play.difficulty) : 0);

  m_host->ShowOverview();
  SelectCube(0);
  m_play.moveCount = 0;
  m_play.moveState = kMoveStateReady;
  m_host->PrepareTopBar(true);

  m_board.formedCount = CheckWords();
  m_play.lastWordsFormed = m_board.formedCount;
  m_board.previousPlacementScore = m_board.placementScore;
  SelectCube(FirstMovableCube());
  return 1;
}
