#include "puzzle/SavedGame.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

#include <sys/stat.h>

#include "base/FileAccess.h"
#include "base/TraceLog.h"
#include "puzzle/ByteIO.h"
#include "puzzle/Puzzle.h"

namespace {

constexpr size_t kMaxSaveBytes = kSaveHeaderBytes + kMaxWords * kSavedWordBytes + 5 * kMaxBoardSide * kMaxBoardSide +
                                 4 + kMaxCubes * kSavedCubeBytes;
constexpr int kMaxDifficulty = 2;
// Far beyond any game, and far from where the counters would overflow.
constexpr int32_t kMaxMoveCount = 100000000;
// Word positions: on the board, or off it by what a level file and the
// board's turns can make of them.
constexpr int32_t kMaxWordOffset = 4096;
// More levels than any level file holds (its count is a 32-bit field but the
// file would be gigabytes long).
constexpr int kMaxLevelsInSet = 100000;

char LowByte(char16_t letter) { return static_cast<char>(letter & 0xFF); }

void TraceCube(int i, const Cube& cube) {
  TraceLog::Write("Cube %d = %c%c%c%c%c%c pos = (%f, %f) ", i, LowByte(cube.LetterFacing(&FacePositions::upper)),
                  LowByte(cube.LetterFacing(&FacePositions::lower)), LowByte(cube.LetterFacing(&FacePositions::north)),
                  LowByte(cube.LetterFacing(&FacePositions::south)), LowByte(cube.LetterFacing(&FacePositions::east)),
                  LowByte(cube.LetterFacing(&FacePositions::west)), cube.position[0], cube.position[2]);
}

bool Fail(std::string& error, const char* format, long a = 0, long b = 0) {
  char text[160];
  std::snprintf(text, sizeof text, format, a, b);
  error = text;
  return false;
}

// The grids must describe a board the rules can run on: known codes, a
// letter on every cube square and none on free floor, at most 150 letters.
bool CheckGrids(Board& board, std::string& error) {
  int letters = 0;
  for (uint32_t y = 0; y < board.height; ++y) {
    for (uint32_t x = 0; x < board.width; ++x) {
      uint8_t& code = board.cells[Board::Index(x, y)];
      const char16_t letter = board.letters[Board::Index(x, y)];
      // Move targets belong to the selection of the moment, not to the board.
      if (IsTargetCode(code)) code = FLOOR;
      if (!IsWallCode(code) && code != CUBE && code != FLOOR)
        return Fail(error, "square (%ld, %ld) has an unknown cell code", x, y);
      if (code == CUBE && letter == 0) return Fail(error, "cube square (%ld, %ld) has no letter", x, y);
      if (code == FLOOR && letter != 0) return Fail(error, "floor square (%ld, %ld) has a letter", x, y);
      if (letter != 0) ++letters;
    }
  }
  if (letters > kMaxCubes) return Fail(error, "%ld letter squares (at most 150)", letters);
  return true;
}

bool AllFinite(const SavedCube& cube) {
  for (float value : cube.transform)
    if (!std::isfinite(value)) return false;
  for (float value : cube.position)
    if (!std::isfinite(value)) return false;
  for (float value : cube.orientation)
    if (!std::isfinite(value)) return false;
  return std::isfinite(cube.rollAngle);
}

// A cube rests on its square, lifted by half a square; a roll moves it by
// less than one square either way.
bool NearItsSquare(const SavedCube& cube) {
  return std::fabs(cube.position[0] - cube.x * kSquareSize) <= kSquareSize &&
         std::fabs(cube.position[1] - kSquareSize / 2) <= kSquareSize &&
         std::fabs(cube.position[2] - cube.y * kSquareSize) <= kSquareSize;
}

// The orientation of a cube at rest nearest to q: one of the 24 made of
// quarter turns about the axes (found by turning the identity about x and y).
void SquareOrientation(float q[4]) {
  struct Quat { float x, y, z, w; };
  auto multiply = [](Quat a, Quat b) {
    return Quat{a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y, a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x,
                a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w, a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z};
  };
  const float h = std::sqrt(0.5f);
  const Quat turns[2] = {{h, 0, 0, h}, {0, h, 0, h}};
  Quat found[24] = {{0, 0, 0, 1}};
  int count = 1;
  for (int i = 0; i < count; ++i) {
    for (const Quat& turn : turns) {
      Quat next = multiply(found[i], turn);
      bool known = false;
      for (int k = 0; k < count && !known; ++k)
        known = std::fabs(next.x * found[k].x + next.y * found[k].y + next.z * found[k].z + next.w * found[k].w) > 0.99f;
      if (!known && count < 24) found[count++] = next;
    }
  }
  int best = 0;
  float bestDot = -1.0f;
  for (int k = 0; k < count; ++k) {
    const float dot = std::fabs(q[0] * found[k].x + q[1] * found[k].y + q[2] * found[k].z + q[3] * found[k].w);
    if (dot > bestDot) bestDot = dot, best = k;
  }
  q[0] = found[best].x, q[1] = found[best].y, q[2] = found[best].z, q[3] = found[best].w;
}

void EncodeGrid(ByteWriter& out, const Board& board, const char16_t* grid) {
  for (uint32_t y = 0; y < board.height; ++y)
    for (uint32_t x = 0; x < board.width; ++x) out.U16(grid[Board::Index(x, y)]);
}

void DecodeGrid(ByteReader& in, const Board& board, char16_t* grid) {
  for (uint32_t y = 0; y < board.height; ++y)
    for (uint32_t x = 0; x < board.width; ++x) grid[Board::Index(x, y)] = in.U16();
}

}  // namespace

std::string Puzzle::SaveSlotPath(int slot) const {
  char path[1200];
  std::snprintf(path, sizeof path, "%s%s%02d%s", m_gamePath.c_str(), "save\\save", slot, ".orb");
  return path;
}

SaveSlotInfo Puzzle::ReadSaveSlotInfo(int slot) const {
  SaveSlotInfo info;
  if (slot < 0 || slot >= kSaveSlotCount) return info;
  const std::string path = SaveSlotPath(slot);
  std::vector<uint8_t> bytes;
  std::string reason;
  const FileRead read = ReadFileBytes(path.c_str(), kMaxSaveBytes, bytes, &reason);
  if (read == FileRead::kMissing) return info;
  if (read == FileRead::kFailed) {
    info.state = SlotState::kUnreadable;
    std::fprintf(stderr, "Save slot %d (%s) can't be read: %s\n", slot, NativePath(path.c_str()).c_str(),
                 reason.c_str());
    return info;
  }
  info.state = SlotState::kDamaged;
  SavedGame game;
  if (read != FileRead::kOk || !DecodeSavedGame(bytes.data(), bytes.size(), game, reason)) {
    std::fprintf(stderr, "Save slot %d (%s) is damaged: %s\n", slot, NativePath(path.c_str()).c_str(), reason.c_str());
    return info;
  }
  // The screens name the level set and show the level's place from these
  // values (the file names the level by its record): a game outside what the
  // game knows cannot be loaded. A set that cannot be read here leaves the
  // number as the file has it; the load says what is wrong.
  ::LevelSet otherSet;
  const bool knownSet = game.levelSet >= 0 && game.levelSet < LevelSetChoiceCount();
  const bool loadedSet = game.levelSet == m_levelSet.selectedBy;
  int level = game.levelIndex < kMaxLevelsInSet ? game.levelIndex : -1;
  if (loadedSet)
    level = m_levelSet.LevelOfRecord(game.levelIndex);
  else if (knownSet && ReadLevelSetFile(m_choices[game.levelSet].path.c_str(), otherSet, reason))
    level = otherSet.LevelOfRecord(game.levelIndex);
  if (!knownSet || level < 0) {
    std::fprintf(stderr, "Save slot %d names no game the game knows; shown as damaged\n", slot);
    return info;
  }
  info.slot = slot;
  info.state = SlotState::kUsed;
  info.levelIndex = level;
  info.difficulty = game.difficulty;
  info.levelSet = game.levelSet;
  info.moveCount = game.moveCount;
  struct stat status;
  if (stat(NativePath(path.c_str()).c_str(), &status) == 0) info.modified = static_cast<int64_t>(status.st_mtime);
  return info;
}

bool DecodeSavedGame(const uint8_t* bytes, size_t size, SavedGame& game, std::string& error) {
  game = SavedGame();
  ByteReader in(bytes, size);
  if (size < kSaveHeaderBytes) return Fail(error, "the file is shorter than its header (%ld bytes)", size);
  game.levelIndex = in.I32();
  game.difficulty = in.I32();
  game.levelSet = in.I32();
  game.moveCount = in.I32();
  Board& board = game.board;
  board.height = in.U32();
  board.width = in.U32();
  board.wordCount = in.U32();
  if (game.levelIndex < 0) return Fail(error, "level index %ld", game.levelIndex);
  if (game.difficulty < 0 || game.difficulty > kMaxDifficulty) return Fail(error, "difficulty %ld", game.difficulty);
  if (game.moveCount < 0 || game.moveCount > kMaxMoveCount) return Fail(error, "move count %ld", game.moveCount);
  if (board.width < 1 || board.width > kMaxBoardSide || board.height < 1 || board.height > kMaxBoardSide)
    return Fail(error, "a board of %ld x %ld squares", board.width, board.height);
  if (board.wordCount > kMaxWords) return Fail(error, "%ld words (at most 5)", board.wordCount);
  const size_t squares = static_cast<size_t>(board.width) * board.height;
  const size_t beforeCubes = board.wordCount * kSavedWordBytes + 5 * squares + 4;
  if (in.Remaining() < beforeCubes) return Fail(error, "the file ends inside the board");

  for (uint32_t w = 0; w < board.wordCount; ++w) {
    LevelWord& word = board.words[w];
    for (int i = 0; i < kMaxWordLength; ++i) word.text[i] = in.U16();
    in.U16();
    word.x = in.I32();
    word.y = in.I32();
    word.length = in.I32();
    word.direction = in.I32();
    for (int i = 0; i < kMaxWordLength; ++i) word.lit[i] = in.I32();
    if (word.length < 0 || word.length > kMaxWordLength)
      return Fail(error, "word %ld is %ld letters long", w + 1, word.length);
    if (word.direction != kWordHorizontal && word.direction != kWordVertical)
      return Fail(error, "word %ld has direction %ld", w + 1, word.direction);
    if (word.x < -kMaxWordOffset || word.x > kMaxWordOffset || word.y < -kMaxWordOffset || word.y > kMaxWordOffset)
      return Fail(error, "word %ld lies far off the board", w + 1);
  }
  DecodeGrid(in, board, board.solution);
  for (uint32_t y = 0; y < board.height; ++y) in.Bytes(&board.cells[Board::Index(0, y)], board.width);
  DecodeGrid(in, board, board.letters);
  if (!CheckGrids(board, error)) return false;

  const uint32_t count = in.U32();
  if (count > kMaxCubes) return Fail(error, "%ld cube records (at most 150)", count);
  if (in.Remaining() != count * kSavedCubeBytes)
    return Fail(error, "%ld cube records announced in %ld bytes", count, in.Remaining());
  game.cubes.resize(count);
  for (uint32_t c = 0; c < count; ++c) {
    SavedCube& cube = game.cubes[c];
    cube.x = in.I32();
    cube.y = in.I32();
    cube.positions.upper = in.I32();
    cube.positions.lower = in.I32();
    cube.positions.north = in.I32();
    cube.positions.south = in.I32();
    cube.positions.east = in.I32();
    cube.positions.west = in.I32();
    in.I32();
    for (int f = 0; f < 6; ++f) {
      cube.turnIndex[f] = in.I32();
      cube.turnTable[f] = in.I32();
      if (cube.turnIndex[f] < 0 || cube.turnIndex[f] > 3)
        return Fail(error, "cube record %ld has turn index %ld", c + 1, cube.turnIndex[f]);
    }
    if (!ValidFacePositions(cube.positions)) return Fail(error, "cube record %ld has impossible face slots", c + 1);
    for (float& value : cube.transform) value = in.F32();
    cube.rollAngle = in.F32();
    for (float& value : cube.position) value = in.F32();
    for (float& value : cube.orientation) value = in.F32();
    if (!AllFinite(cube)) return Fail(error, "cube record %ld holds a value that is not a finite number", c + 1);
    if (!NearItsSquare(cube)) return Fail(error, "cube record %ld stands more than a square away from its square", c + 1);
  }
  return true;
}

std::vector<uint8_t> EncodeSavedGame(const SavedGame& game) {
  ByteWriter out;
  const Board& board = game.board;
  out.I32(game.levelIndex);
  out.I32(game.difficulty);
  out.I32(game.levelSet);
  out.I32(game.moveCount);
  out.U32(board.height);
  out.U32(board.width);
  out.U32(board.wordCount);
  for (uint32_t w = 0; w < board.wordCount && w < kMaxWords; ++w) {
    const LevelWord& word = board.words[w];
    for (int i = 0; i < kMaxWordLength; ++i) out.U16(word.text[i]);
    out.U16(0);
    out.I32(word.x);
    out.I32(word.y);
    out.I32(word.length);
    out.I32(word.direction);
    for (int i = 0; i < kMaxWordLength; ++i) out.I32(word.lit[i]);
  }
  EncodeGrid(out, board, board.solution);
  for (uint32_t y = 0; y < board.height; ++y)
    for (uint32_t x = 0; x < board.width; ++x) {
      const uint8_t code = board.cells[Board::Index(x, y)];
      out.U8(IsTargetCode(code) ? static_cast<uint8_t>(FLOOR) : code);
    }
  EncodeGrid(out, board, board.letters);
  out.U32(static_cast<uint32_t>(game.cubes.size()));
  for (const SavedCube& cube : game.cubes) {
    out.I32(cube.x);
    out.I32(cube.y);
    const FacePositions& p = cube.positions;
    for (int32_t slot : {p.upper, p.lower, p.north, p.south, p.east, p.west}) out.I32(slot);
    out.I32(0);
    for (int f = 0; f < 6; ++f) {
      out.I32(cube.turnIndex[f]);
      out.I32(cube.turnTable[f]);
    }
    for (float value : cube.transform) out.F32(value);
    out.F32(cube.rollAngle);
    for (float value : cube.position) out.F32(value);
    for (float value : cube.orientation) out.F32(value);
  }
  return out.Take();
}

void Puzzle::CaptureSavedGame(SavedGame& game) {
  // The roll would end at the next frame anyway; ending it now keeps the
  // carried letter and the cube's faces in step with the board.
  for (Cube* cube : m_level.cubes)
    if (cube->moving) cube->CompleteRoll();
  game = SavedGame();
  game.levelIndex = m_levelSet.RecordOf(m_play.levelIndex);
  game.difficulty = m_play.difficulty;
  // A set loaded by path alone has no number; its games name the first set.
  game.levelSet = m_levelSet.selectedBy >= 0 ? m_levelSet.selectedBy : 0;
  game.moveCount = m_play.moveCount;
  game.board = m_board;
  for (int i = 0; i < m_cubeCount; ++i) {
    const Cube* cube = m_level.CubeAt(i);
    if (!cube) break;
    SavedCube saved;
    saved.x = m_cubes[i].x;
    saved.y = m_cubes[i].y;
    saved.positions = cube->positions;
    for (int f = 0; f < 6; ++f) {
      saved.turnIndex[f] = cube->faces[f].index;
      saved.turnTable[f] = cube->faces[f].table;
    }
    std::memcpy(saved.transform, cube->transform, sizeof saved.transform);
    saved.rollAngle = cube->rollAngle;
    std::memcpy(saved.position, cube->position, sizeof saved.position);
    std::memcpy(saved.orientation, cube->orientation, sizeof saved.orientation);
    game.cubes.push_back(saved);
  }
}

int Puzzle::SaveGameFile(const char* path, int* error) {
  const std::string name = NativePath(path);
  if (m_board.width == 0 || m_level.width == 0) {
    std::fprintf(stderr, "Couldn't save game %s: no level is being played\n", name.c_str());
    if (error) *error = EINVAL;
    return 0;
  }
  TraceLog::Write("SaveGlyphoxData");
  SavedGame game;
  CaptureSavedGame(game);
  TraceLog::Write("--- nb cube = %d", static_cast<int>(game.cubes.size()));
  for (size_t i = 0; i < game.cubes.size(); ++i) TraceCube(static_cast<int>(i), *m_level.CubeAt(static_cast<int>(i)));
  const std::vector<uint8_t> bytes = EncodeSavedGame(game);
  // A file there that is no saved game may still be what the player wants
  // back: it is set aside, not overwritten.
  std::vector<uint8_t> old;
  std::string reason;
  SavedGame scratch;
  const FileRead read = ReadFileBytes(path, kMaxSaveBytes, old, &reason);
  if ((read == FileRead::kFailed || read == FileRead::kTooLarge ||
       (read == FileRead::kOk && !DecodeSavedGame(old.data(), old.size(), scratch, reason)))) {
    const std::string aside = MoveAside(path, reason);
    if (aside.empty()) {
      std::fprintf(stderr, "Couldn't save game %s: the file there can't be set aside (%s)\n", name.c_str(),
                   reason.c_str());
      if (error) *error = EACCES;
      return 0;
    }
    std::fprintf(stderr, "The file %s was no saved game; kept as %s\n", name.c_str(), aside.c_str());
  }
  const int failure = WriteWholeFile(path, bytes.data(), bytes.size());
  if (error) *error = failure;
  if (failure) {
    std::fprintf(stderr, "Couldn't save game %s: %s\n", name.c_str(), SystemReason(failure).c_str());
    return 0;
  }
  TraceLog::Write("SaveGlyphoxData : ok");
  return 1;
}

int Puzzle::SaveGame(int slot, int* error) { return SaveGameFile(SaveSlotPath(slot).c_str(), error); }

int Puzzle::LoadGameFile(const char* path) {
  TraceLog::Write("LoadGame");
  std::vector<uint8_t> bytes;
  std::string reason;
  const std::string name = NativePath(path);
  if (ReadFileBytes(path, kMaxSaveBytes, bytes, &reason) != FileRead::kOk) {
    std::fprintf(stderr, "Couldn't load saved game %s: %s\n", name.c_str(), reason.c_str());
    return 0;
  }
  if (!LoadGameData(bytes.data(), bytes.size(), name.c_str())) return 0;
  TraceLog::Write("LoadGame : ok");
  return 1;
}

int Puzzle::LoadGameData(const uint8_t* bytes, size_t size, const char* name) {
  TraceLog::Write("LoadGlyphoxData");
  std::string error;
  SavedGame game;
  if (!DecodeSavedGame(bytes, size, game, error)) {
    std::fprintf(stderr, "Couldn't load saved game %s: %s\n", name, error.c_str());
    return 0;
  }

  // A game of another level set brings its set along, so that the next level
  // and the scores are those of the saved game. A set loaded by path (tools)
  // stays as it is.
  ::LevelSet otherSet;
  const bool switchSet = m_levelSet.selectedBy >= 0 && game.levelSet != m_levelSet.selectedBy;
  if (switchSet) {
    if (game.levelSet < 0 || game.levelSet >= LevelSetChoiceCount()) {
      std::fprintf(stderr, "Couldn't load saved game %s: unknown level set %d\n", name, game.levelSet);
      return 0;
    }
    const std::string& setPath = m_choices[game.levelSet].path;
    if (!ReadLevelSetFile(setPath.c_str(), otherSet, error)) {
      std::fprintf(stderr, "Couldn't load saved game %s: level file %s can't be read\n", name, setPath.c_str());
      return 0;
    }
    otherSet.selectedBy = game.levelSet;
    otherSet.symmetricLetters = m_choices[game.levelSet].symmetricLetters;
  }
  const ::LevelSet& set = switchSet ? otherSet : m_levelSet;
  const int level = set.LevelOfRecord(game.levelIndex);
  if (level < 0) {
    std::fprintf(stderr, "Couldn't load saved game %s: level %d is not in its level set\n", name,
                 game.levelIndex + 1);
    return 0;
  }

  if (switchSet) m_levelSet = std::move(otherSet);
  m_play.levelIndex = level;
  m_play.difficulty = game.difficulty;
  m_host->SettingsChanged(game.difficulty, game.levelSet);
  m_play.moveCount = game.moveCount;
  m_board = game.board;
  m_pending = std::move(game.cubes);
  TraceLog::Write("--- nb cube = %d", static_cast<int>(m_pending.size()));
  for (size_t i = 0; i < m_pending.size(); ++i)
    TraceLog::Write("Cube %d = pos = (%f, %f) ", static_cast<int>(i), m_pending[i].position[0],
                    m_pending[i].position[2]);
  TraceLog::Write("LoadGlyphoxData : ok");
  return 1;
}

int Puzzle::LoadGame(int slot) { return LoadGameFile(SaveSlotPath(slot).c_str()); }

void Puzzle::ApplyPendingCubes() {
  TraceLog::Write("ApplyGlyphoxData");
  for (const SavedCube& saved : m_pending) {
    Cube* cube = m_level.CubeAt(FindCubeAt(saved.x, saved.y));
    if (!cube) continue;
    cube->positions = saved.positions;
    for (int f = 0; f < 6; ++f) {
      cube->faces[f].index = saved.turnIndex[f];
      if (saved.turnTable[f] >= TopTurns && saved.turnTable[f] <= NorthSouthTurns)
        cube->faces[f].table = saved.turnTable[f];
    }
    std::memcpy(cube->transform, saved.transform, sizeof cube->transform);
    std::memcpy(cube->position, saved.position, sizeof cube->position);
    std::memcpy(cube->orientation, saved.orientation, sizeof cube->orientation);
    // A cube at rest has no roll under way; one saved mid-roll would keep its
    // angle, tilt and offset, so it is set back square on its square.
    if (saved.rollAngle != 0.0f) {
      cube->position[0] = saved.x * kSquareSize;
      cube->position[1] = kSquareSize / 2;
      cube->position[2] = saved.y * kSquareSize;
      SquareOrientation(cube->orientation);
      cube->RebuildTransform();
    }
    cube->rollAngle = 0.0f;
  }
  m_pending.clear();
  m_pending.shrink_to_fit();
  TraceLog::Write("ApplyGlyphoxData : ok");
}

int Puzzle::ResumeLoadedGame() {
  m_level.Clear();
  m_host->ResetCameras();
  m_host->ShowWordList();
  if (!m_host->ChooseThemeForLevel()) return 0;
  m_host->ClearSceneLists();
  ClearTargets();
  m_undo.Clear();

  BuildCubeList();
  m_host->BeginSceneBuild();
  m_level.Build(m_board, m_play.difficulty, m_levelSet);
  m_host->EndSceneBuild();

  SelectCube(0);
  m_play.moveState = kMoveStateReady;
  ApplyPendingCubes();

  m_board.formedCount = CheckWords();
  m_play.lastWordsFormed = m_board.formedCount;
  m_board.previousPlacementScore = m_board.placementScore;
  m_host->PrepareTopBar(true);
  SelectCube(FirstMovableCube());
  return 1;
}
