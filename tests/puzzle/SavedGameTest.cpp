// Saved games: the slot file byte for byte, a game saved and loaded back as
// it was, broken files that change nothing, and the slot headers the load
// and save screens list.
#include <sys/stat.h>

#include <cerrno>
#include <cmath>
#include <cstring>

#include "base/FileAccess.h"
#include "puzzle/Cube.h"
#include "tests/puzzle/PuzzleTestSupport.h"
#include "tests/support/TestFiles.h"

using namespace puzzletest;
using testsupport::CapturedStream;
using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

int32_t I32At(const std::string& bytes, size_t offset) {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[offset + i])) << (8 * i);
  return static_cast<int32_t>(value);
}
uint16_t U16At(const std::string& bytes, size_t offset) {
  return static_cast<uint16_t>(static_cast<uint8_t>(bytes[offset]) | static_cast<uint8_t>(bytes[offset + 1]) << 8);
}
float F32At(const std::string& bytes, size_t offset) {
  int32_t bits = I32At(bytes, offset);
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// What a player sees of the game: the board (targets as floor), every cube's
// square, upper letter, turn and faces, the counts.
struct Snapshot {
  std::vector<int> cells;
  std::u16string letters;
  std::vector<int> cubes;
  std::u16string uppers;
  int formed, moves, levelIndex;
  bool operator==(const Snapshot& o) const {
    return cells == o.cells && letters == o.letters && cubes == o.cubes && uppers == o.uppers &&
           formed == o.formed && moves == o.moves && levelIndex == o.levelIndex;
  }
};

Snapshot Take(const Puzzle& puzzle) {
  const Board& board = puzzle.Board();
  Snapshot s;
  for (uint32_t y = 0; y < board.height; ++y)
    for (uint32_t x = 0; x < board.width; ++x) {
      const int code = board.cells[Board::Index(x, y)];
      s.cells.push_back(IsTargetCode(code) ? FLOOR : code);
      s.letters += board.letters[Board::Index(x, y)];
    }
  // Square by square: the cube list is numbered anew when a game is loaded.
  for (uint32_t y = 0; y < board.height; ++y)
    for (uint32_t x = 0; x < board.width; ++x) {
      const int i = puzzle.FindCubeAt(x, y);
      if (i < 0) continue;
      const Cube& cube = *puzzle.Level().cubes[i];
      s.cubes.insert(s.cubes.end(), {static_cast<int>(x), static_cast<int>(y), cube.positions.upper,
                                     cube.positions.north, cube.positions.east, cube.UpperTurn()});
      for (int f = 0; f < 6; ++f) s.cubes.push_back(cube.faces[f].index * 10 + cube.faces[f].table);
      for (float value : cube.transform) s.cubes.push_back(static_cast<int>(value * 1e6f));
      s.uppers += cube.UpperLetter();
    }
  s.formed = board.formedCount;
  s.moves = puzzle.Play().moveCount;
  s.levelIndex = puzzle.Play().levelIndex;
  return s;
}

class SavedGameTest : public PuzzleTest {
 protected:
  void SetUp() override {
    PuzzleTest::SetUp();
    puzzle.SetGamePath(dir.Path() + "/");
    MakeDirectory();
  }
  void MakeDirectory() { ASSERT_EQ(MakeDirectoriesAlongPath((dir / "save/").c_str()), 1); }

  void Move(int x, int y, int direction) {
    puzzle.SelectCube(puzzle.FindCubeAt(x, y));
    ASSERT_EQ(puzzle.MoveSelected(direction), 1);
    FinishRoll();
  }

  std::string SaveToString() {
    const std::string path = dir / "game.orb";
    EXPECT_EQ(puzzle.SaveGameFile(path.c_str()), 1);
    return ReadFile(path);
  }
  Snapshot Take() const { return ::Take(puzzle); }

  TempDir dir;
};

const std::vector<std::string> kRows = {".......", ".CAT...", ".......", "..DOG..", "......."};
const std::vector<std::string> kWords = {"CAT 1 1 h", "DOG 2 3 h"};

}  // namespace

TEST_F(SavedGameTest, TheSlotFileHoldsEveryFieldAtItsOffset) {
  LevelSet set = LevelsFrom(OneLevel({".....", ".CAT.", "....."}, {"CAT 1 1 h"}));
  set.selectedBy = 2;
  puzzle.UseLevelSet(set);
  puzzle.SetDifficulty(1);
  StartPlain();
  Move(3, 1, East);
  ASSERT_EQ(puzzle.SaveGame(3), 1);
  EXPECT_EQ(puzzle.SaveSlotPath(3), dir.Path() + "/save\\save03.orb");
  const std::string bytes = ReadFile(dir / "save/save03.orb");
  ASSERT_EQ(bytes.size(), 28u + 204u + 5u * 15u + 4u + 3u * 180u);
  // Level index, difficulty, level set, moves, height (first), width, words;
  // then the word's x, y, length, direction and lit flags (T rolled away).
  const int32_t fields[][2] = {{0, 0},       {4, 1},       {8, 2},       {12, 1},      {16, 3},
                               {20, 5},      {24, 1},      {28 + 64, 1}, {28 + 68, 1}, {28 + 72, 3},
                               {28 + 76, 1}, {28 + 80, 1}, {28 + 84, 1}, {28 + 88, 0}};
  for (const auto& field : fields) EXPECT_EQ(I32At(bytes, field[0]), field[1]) << "offset " << field[0];
  // The word's text, then a zero unit.
  EXPECT_EQ(U16At(bytes, 28), u'C');
  EXPECT_EQ(U16At(bytes, 28 + 4), u'T');
  EXPECT_EQ(U16At(bytes, 28 + 6), 0);
  EXPECT_EQ(U16At(bytes, 28 + 62), 0);
  // Solution, cells (no move targets), letters; rows of five.
  const size_t solution = 232, cells = solution + 30, letters = cells + 15;
  EXPECT_EQ(U16At(bytes, solution + 2 * 8), u'T');
  EXPECT_EQ(std::string(bytes, cells, 15), std::string("\x16\x16\x16\x16\x16\x16\x14\x14\x16\x14\x16\x16\x16\x16\x16"));
  EXPECT_EQ(U16At(bytes, letters + 2 * 9), u'T');
  EXPECT_EQ(U16At(bytes, letters + 2 * 8), 0);
  // The cubes.
  const size_t cubes = letters + 30;
  EXPECT_EQ(I32At(bytes, cubes), 3);
  const size_t first = cubes + 4, third = cubes + 4 + 2 * 180;
  EXPECT_EQ(I32At(bytes, first), 1);
  EXPECT_EQ(I32At(bytes, first + 4), 1);
  const int32_t firstSlots[6] = {0, 5, 4, 1, 3, 2};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(I32At(bytes, first + 8 + 4 * i), firstSlots[i]);
  EXPECT_EQ(I32At(bytes, first + 32), 0);
  const int32_t firstTurns[12] = {0, 1, 0, 3, 0, 2, 0, 2, 2, 3, 2, 1};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(I32At(bytes, first + 36 + 4 * i), firstTurns[i]) << i;
  EXPECT_EQ(F32At(bytes, first + 84), 1.0f);
  EXPECT_EQ(F32At(bytes, first + 84 + 4 * 12), kSquareSize);
  EXPECT_EQ(F32At(bytes, first + 148), 0.0f);
  EXPECT_EQ(F32At(bytes, first + 152), kSquareSize);
  EXPECT_EQ(F32At(bytes, first + 156), kSquareSize / 2);
  EXPECT_EQ(F32At(bytes, first + 164 + 12), 1.0f);
  // The rolled T: at (4, 1), its former west face up, turned once.
  EXPECT_EQ(I32At(bytes, third), 4);
  EXPECT_EQ(I32At(bytes, third + 8), 2);
  EXPECT_EQ(I32At(bytes, third + 36 + 8 * 2), 1);
  EXPECT_EQ(I32At(bytes, third + 36 + 8 * 2 + 4), TopTurns);
  EXPECT_NEAR(F32At(bytes, third + 152), 4 * kSquareSize, 1e-6);
  EXPECT_NEAR(F32At(bytes, third + 164 + 8), std::sqrt(0.5f), 1e-6);  // a quarter turn about z
}

TEST_F(SavedGameTest, AGameLoadedBackIsTheGameThatWasSaved) {
  LevelSet reordered = LevelsFrom(OneLevel(kRows, kWords) + OneLevel({"XY.."}, {"XY 0 0 h"}, "BBBBB"));
  reordered.records = {1, 0};  // the two boards swapped places since they were first published
  puzzle.UseLevelSet(reordered);
  for (int difficulty : {0, 2}) {
    puzzle.SetDifficulty(difficulty);
    StartPlain();
    Move(3, 1, South);
    Move(3, 2, West);
    Move(4, 3, North);
    Move(4, 2, North);
    const Snapshot saved = Take();
    const std::string bytes = SaveToString();
    EXPECT_EQ(I32At(bytes, 0), 1);  // the file names the board by its record, as older games number it

    // Play on, then go to another level.
    Move(4, 1, East);
    StartPlain(1);
    puzzle.SetDifficulty(1 - difficulty / 2);
    ASSERT_EQ(puzzle.LoadGameFile((dir / "game.orb").c_str()), 1);
    EXPECT_EQ(play.difficulty, difficulty);
    EXPECT_EQ(host.settings.back(), std::make_pair(difficulty, 0));
    puzzle.ResumeLoadedGame();
    Snapshot loaded = Take();
    if (difficulty != 0) {
      // Spare letters are drawn anew: only the faces' bookkeeping must match.
      loaded.uppers = saved.uppers;
    }
    EXPECT_EQ(loaded, saved) << "difficulty " << difficulty;
    EXPECT_EQ(play.lastWordsFormed, saved.formed);
    EXPECT_EQ(play.moveState, kMoveStateReady);
    // The history stays behind.
    host.sounds.clear();
    EXPECT_EQ(puzzle.Undo(), 0);
    EXPECT_EQ(host.sounds, std::vector<int>{kSoundRefuse});
    // The file reads back to the same bytes; a game saved after loading
    // comes back to the same bytes through the game.
    SavedGame decoded;
    std::string error;
    ASSERT_TRUE(DecodeSavedGame(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), decoded, error));
    const std::vector<uint8_t> encoded = EncodeSavedGame(decoded);
    EXPECT_EQ(std::string(encoded.begin(), encoded.end()), bytes);
    const std::string again = SaveToString();
    ASSERT_EQ(puzzle.LoadGameFile((dir / "game.orb").c_str()), 1);
    puzzle.ResumeLoadedGame();
    EXPECT_EQ(SaveToString(), again);
  }
}

TEST_F(SavedGameTest, ACubeRecordWhoseSquareHoldsNoCubeIsNotApplied) {
  UseLevels(OneLevel(kRows, kWords));
  StartPlain();
  Move(1, 1, North);
  SavedGame game;
  puzzle.CaptureSavedGame(game);
  ASSERT_EQ(game.cubes[0].x, 1);
  ASSERT_EQ(game.cubes[0].y, 0);
  game.cubes[0].x = 6;  // a floor square
  game.cubes[0].y = 4;
  game.cubes[0].position[0] = 6 * kSquareSize;
  game.cubes[0].position[2] = 4 * kSquareSize;
  const std::vector<uint8_t> bytes = EncodeSavedGame(game);
  ASSERT_TRUE(WriteFile(dir / "moved.orb", std::string(bytes.begin(), bytes.end())));
  ASSERT_EQ(puzzle.LoadGameFile((dir / "moved.orb").c_str()), 1);
  puzzle.ResumeLoadedGame();
  // The C on (1, 0) is built fresh: upright, its own letter up.
  EXPECT_EQ(puzzle.CubeRecord(0).x, 1);
  EXPECT_EQ(level.cubes[0]->positions, (FacePositions{0, 5, 4, 1, 3, 2}));
  EXPECT_FLOAT_EQ(level.cubes[0]->position[2], 0.0f);
}

TEST_F(SavedGameTest, BrokenSlotFilesPrintOneLineAndChangeNothing) {
  UseLevels(OneLevel(kRows, kWords));
  puzzle.SetDifficulty(1);
  StartPlain();
  Move(1, 1, North);
  const std::string good = SaveToString();
  Move(2, 1, North);
  const Snapshot before = Take();
  Board stored;
  std::memcpy(&stored, &board, sizeof stored);

  auto with = [&](size_t offset, int32_t value) {
    std::string bytes = good;
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>(static_cast<uint32_t>(value) >> (8 * i));
    return bytes;
  };
  const size_t cells = 28 + 2 * 204 + 2 * 35;
  const size_t cubes = cells + 35 + 70;
  std::string unknownCode = good;
  unknownCode[cells + 3] = 21;
  std::string cubeWithoutLetter = good;
  cubeWithoutLetter[cells] = CUBE;
  struct Case {
    const char* name;
    std::string bytes;
    const char* reason;
  } cases[] = {
      {"empty", "", "the file is shorter than its header (0 bytes)"},
      {"header only", good.substr(0, 28), "the file ends inside the board"},
      {"cut in the grids", good.substr(0, cells + 3), "the file ends inside the board"},
      {"cut in a cube", good.substr(0, good.size() - 1), "6 cube records announced in 1079 bytes"},
      {"one byte more", good + '\0', "6 cube records announced in 1081 bytes"},
      {"level -1", with(0, -1), "level index -1"},
      {"level 2", with(0, 1), "level 2 is not in its level set"},
      {"difficulty 3", with(4, 3), "difficulty 3"},
      {"moves -1", with(12, -1), "move count -1"},
      {"word far off", with(28 + 64, 100000), "word 1 lies far off the board"},
      {"31 rows", with(16, 31), "a board of 7 x 31 squares"},
      {"no columns", with(20, 0), "a board of 0 x 5 squares"},
      {"six words", with(24, 6), "6 words (at most 5)"},
      {"word of 32", with(28 + 72, 32), "word 1 is 32 letters long"},
      {"direction 2", with(28 + 204 + 76, 2), "word 2 has direction 2"},
      {"151 cubes", with(cubes, 151), "151 cube records (at most 150)"},
      {"turn index 4", with(cubes + 4 + 36, 4), "cube record 1 has turn index 4"},
      {"upper = north", with(cubes + 4 + 8, 4), "cube record 1 has impossible face slots"},
      {"code 21", unknownCode, "square (3, 0) has an unknown cell code"},
      {"cube without letter", cubeWithoutLetter, "cube square (0, 0) has no letter"},
      {"NaN in the transform", with(cubes + 4 + 84 + 20, 0x7FC00000), "cube record 1 holds a value that is not a finite number"},
      {"infinite position", with(cubes + 4 + 152, 0x7F800000), "cube record 1 holds a value that is not a finite number"},
      {"NaN orientation", with(cubes + 4 + 176, 0xFFC00000), "cube record 1 holds a value that is not a finite number"},
      {"two squares away", with(cubes + 4 + 160, 0x3E800000 /* 0.25 */),
       "cube record 1 stands more than a square away from its square"},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(WriteFile(dir / "broken.orb", c.bytes));
    CapturedStream err(2);
    EXPECT_EQ(puzzle.LoadGameFile((dir / "broken.orb").c_str()), 0) << c.name;
    EXPECT_EQ(err.Text(), "Couldn't load saved game " + (dir / "broken.orb") + ": " + c.reason + "\n") << c.name;
    EXPECT_TRUE(Take() == before) << c.name;
    EXPECT_EQ(std::memcmp(&stored, &board, sizeof stored), 0) << c.name;
    EXPECT_EQ(play.difficulty, 1);
  }
  CapturedStream err(2);
  EXPECT_EQ(puzzle.LoadGame(9), 0);
  EXPECT_EQ(err.Text(), "Couldn't load saved game " + dir.Path() + "/save/save09.orb: No such file or directory\n");
  EXPECT_TRUE(Take() == before);
}

TEST_F(SavedGameTest, ASaveDuringARollRecordsTheRollAsFinished) {
  UseLevels(OneLevel(kRows, kWords));
  StartPlain();
  puzzle.SelectCube(puzzle.FindCubeAt(1, 1));
  ASSERT_EQ(puzzle.MoveSelected(South), 1);
  host.ticks += 10;
  puzzle.UpdateLevel();  // under way
  ASSERT_TRUE(level.cubes[0]->moving);
  SaveToString();
  EXPECT_EQ(play.moveState, kMoveStateReady);
  EXPECT_EQ(puzzle.CubeRecord(0).y, 2);
  ASSERT_EQ(puzzle.LoadGameFile((dir / "game.orb").c_str()), 1);
  puzzle.ResumeLoadedGame();
  const int c = puzzle.FindCubeAt(1, 2);
  ASSERT_GE(c, 0);
  EXPECT_NE(board.cells[Board::Index(1, 1)], CUBE);
  EXPECT_EQ(level.cubes[c]->positions.upper, 4);
  EXPECT_NEAR(level.cubes[c]->position[2], 2 * kSquareSize, 1e-6);

  // A file that holds a cube half-way through a roll: it is set back square
  // on its square, upright as one of the 24 rest orientations.
  std::string bytes = ReadFile(dir / "game.orb");
  const size_t cube0 = 28 + 2 * 204 + 5 * 35 + 4;
  const float halfway[] = {45.0f, 1 * kSquareSize + 0.03f, 0.05f, 2 * kSquareSize, 0.38268343f, 0, 0, 0.92387953f};
  const size_t offsets[] = {148, 152, 156, 160, 164, 168, 172, 176};
  for (int i = 0; i < 8; ++i) std::memcpy(&bytes[cube0 + offsets[i]], &halfway[i], 4);
  ASSERT_TRUE(WriteFile(dir / "halfway.orb", bytes));
  ASSERT_EQ(puzzle.LoadGameFile((dir / "halfway.orb").c_str()), 1);
  puzzle.ResumeLoadedGame();
  const Cube& cube = *level.cubes[puzzle.FindCubeAt(1, 2)];
  EXPECT_EQ(cube.rollAngle, 0.0f);
  EXPECT_EQ(cube.position[0], kSquareSize);
  EXPECT_EQ(cube.position[1], kSquareSize / 2);
  EXPECT_EQ(cube.position[2], 2 * kSquareSize);
  const float rest[] = {0, 0, 0, 1};  // 22.5 degrees about x is nearest to no turn
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(cube.orientation[i], rest[i], 1e-6) << i;
  EXPECT_EQ(cube.transform[13], kSquareSize / 2);
}

TEST_F(SavedGameTest, AGameOfAnotherLevelSetBringsItsLevelSetAlong) {
  puzzle.SetLevelSetChoices(ShippedChoices());
  ASSERT_EQ(puzzle.SelectLevelSet(1), 1);
  StartPlain(2);
  const std::string path = dir / "english.orb";
  ASSERT_EQ(puzzle.SaveGameFile(path.c_str()), 1);
  const Snapshot saved = Take();

  ASSERT_EQ(puzzle.SelectLevelSet(0), 1);
  StartPlain(0);
  ASSERT_EQ(puzzle.LoadGameFile(path.c_str()), 1);
  EXPECT_EQ(puzzle.LevelSet().selectedBy, 1);
  EXPECT_EQ(host.settings, (std::vector<std::pair<int, int>>{{0, 1}}));
  puzzle.ResumeLoadedGame();
  EXPECT_TRUE(Take() == saved);

  // A level set the game does not know is refused.
  ASSERT_TRUE(WriteFile(dir / "unknown.orb", ReadFile(path).replace(8, 1, 1, '\x07')));
  ASSERT_EQ(puzzle.SelectLevelSet(0), 1);
  CapturedStream err(2);
  EXPECT_EQ(puzzle.LoadGameFile((dir / "unknown.orb").c_str()), 0);
  EXPECT_EQ(err.Text(), "Couldn't load saved game " + (dir / "unknown.orb") + ": unknown level set 7\n");
  EXPECT_EQ(puzzle.LevelSet().selectedBy, 0);
}

TEST_F(SavedGameTest, NothingIsSavedWhenNoLevelIsPlayed) {
  CapturedStream err(2);
  EXPECT_EQ(puzzle.SaveGame(0), 0);
  EXPECT_EQ(err.Text(), "Couldn't save game " + dir.Path() + "/save/save00.orb: no level is being played\n");
  EXPECT_FALSE(testsupport::FileExists(dir / "save/save00.orb"));
}

// A save that fails says why (the save screen shows it); a slot file that
// is no game is set aside, not overwritten.
TEST_F(SavedGameTest, AFailedSaveSaysWhyAndAFileThatIsNoGameIsSetAside) {
  UseLevels(OneLevel(kRows, kWords));
  StartPlain();
  ASSERT_TRUE(WriteFile(dir / "save/save03.orb", "not a game"));
  {
    CapturedStream err(2);
    EXPECT_EQ(puzzle.SaveGame(3), 1);
    EXPECT_NE(err.Text().find("kept as " + dir.Path() + "/save/save03.orb.bad"), std::string::npos) << err.Text();
  }
  EXPECT_EQ(ReadFile(dir / "save/save03.orb.bad"), "not a game");
  EXPECT_EQ(ReadFile(dir / "save/save03.orb"), SaveToString());
  // A directory the player may not write to (as "nobody": root writes anywhere).
  chmod(dir.Path().c_str(), 0755);
  chmod((dir / "save").c_str(), 0555);
  EXPECT_EQ(testsupport::AsNobody([&] {
              int error = 0;
              return puzzle.SaveGame(4, &error) == 0 && error == EACCES ? 0 : 1;
            }),
            0);
  EXPECT_FALSE(testsupport::FileExists(dir / "save/save04.orb"));
}
