// The binary level file: every field read from hand-made bytes and written
// back byte for byte, the scrambled access codes, the limits the reader
// enforces, and choosing a level set by language.
#include <cstdlib>
#include <cstring>
#include <functional>

#include "tests/puzzle/PuzzleTestSupport.h"
#include "tests/support/TestFiles.h"

using namespace puzzletest;
using testsupport::CapturedStream;
using testsupport::TempDir;

namespace {

struct FileWord {
  std::u16string text;
  int x, y, length, direction;
};

struct FileLevel {
  std::string code;  // plain, five bytes
  int width, height;
  std::vector<FileWord> words;
  std::vector<uint8_t> walls;     // width x height
  std::u16string letters;         // width x height, 0 = none
};

void Put16(std::string& out, unsigned value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8);
}

// The file image, written field by field as the format gives it.
std::string Image(const std::vector<FileLevel>& levels, uint32_t count = 0xFFFFFFFF) {
  if (count == 0xFFFFFFFF) count = static_cast<uint32_t>(levels.size());
  std::string out;
  for (int i = 0; i < 4; ++i) out += static_cast<char>(count >> (8 * i));
  for (const FileLevel& level : levels) {
    for (int i = 0; i < 5; ++i) {
      const uint8_t wall = i < level.width ? level.walls[i] : 0;
      out += static_cast<char>(level.code[i] ^ wall ^ 0xA6);
    }
    out += static_cast<char>(level.width);
    out += static_cast<char>(level.height);
    out += static_cast<char>(level.words.size());
    for (const FileWord& word : level.words) {
      for (int i = 0; i < 31; ++i) Put16(out, i < static_cast<int>(word.text.size()) ? word.text[i] : 0);
      out += static_cast<char>(word.x);
      out += static_cast<char>(word.y);
      out += static_cast<char>(word.length);
      out += static_cast<char>(word.direction);
    }
    for (uint8_t wall : level.walls) out += static_cast<char>(wall);
    for (char16_t letter : level.letters) Put16(out, letter);
  }
  return out;
}

// A 6 x 2 level with static blocks and two words, and a 3 x 1 level
// without words (narrower than its code).
std::vector<FileLevel> SampleLevels() {
  FileLevel first{"QZKRT", 6, 2, {}, {}, {}};
  first.words.push_back({u"DOG", 1, 0, 3, 1});
  first.words.push_back({u"ZY", 5, 0, 2, 0});
  first.walls = {8, 20, 20, 20, 22, 0, 22, 22, 22, 22, 22, 0};
  first.letters = std::u16string(u"\0DOG\0Z\0\0\0\0\0Y", 12);
  FileLevel second{"AB\x01\xFF" "C", 3, 1, {}, {20, 22, 22}, std::u16string(u"Ñ\0\0", 3)};
  return {first, second};
}

bool Decode(const std::string& image, LevelSet& set, std::string& error) {
  return DecodeLevelFile(reinterpret_cast<const uint8_t*>(image.data()), image.size(), set, error);
}

std::string Encode(const LevelSet& set) {
  std::vector<uint8_t> bytes = EncodeLevelFile(set);
  return std::string(bytes.begin(), bytes.end());
}

class LevelFileTest : public PuzzleTest {};

}  // namespace

TEST_F(LevelFileTest, EveryFieldIsReadAndTheSameBytesAreWrittenBack) {
  const std::string image = Image(SampleLevels());
  // 4 + (8 + 2 x 66 + 3 x 12) + (8 + 3 x 3)
  ASSERT_EQ(image.size(), 4u + 176u + 17u);
  LevelSet set;
  std::string error;
  ASSERT_TRUE(Decode(image, set, error)) << error;
  ASSERT_EQ(set.levelCount, 2u);
  const LevelRecord& first = set.levels[0];
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(first.code), 5), "QZKRT");
  EXPECT_EQ(first.width, 6u);
  EXPECT_EQ(first.height, 2u);
  EXPECT_EQ(first.wordCount, 2u);
  EXPECT_EQ(std::u16string(first.words[0].text, 3), u"DOG");
  EXPECT_EQ(first.words[0].text[3], 0);
  EXPECT_EQ(first.words[0].x, 1);
  EXPECT_EQ(first.words[0].direction, kWordHorizontal);
  EXPECT_EQ(first.words[1].length, 2);
  EXPECT_EQ(first.words[1].text[1], u'Y');
  EXPECT_EQ(first.words[1].direction, kWordVertical);
  // Layers are placed in rows of 30.
  EXPECT_EQ(first.walls[5], 0);
  EXPECT_EQ(first.walls[30], FLOOR);
  EXPECT_EQ(first.walls[6], 0);  // beyond the width: zero
  EXPECT_EQ(first.letters[1], u'D');
  EXPECT_EQ(first.letters[30 + 5], u'Y');
  // Beyond a narrow board the scrambling uses zeros.
  const LevelRecord& second = set.levels[1];
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(second.code), 5), "AB\x01\xFF" "C");
  EXPECT_EQ(second.wordCount, 0u);
  EXPECT_EQ(second.letters[0], u'Ñ');
  // The alphabet: the distinct letters of the words, sorted.
  ASSERT_EQ(set.alphabetCount, 5);
  EXPECT_EQ(set.alphabet[0], u'D');
  EXPECT_EQ(set.alphabet[4], u'Z');
  EXPECT_EQ(Encode(set), image);

  // Through the files: load, save, the same bytes.
  TempDir dir;
  ASSERT_TRUE(testsupport::WriteFile(dir / "in.lvl", image));
  ASSERT_EQ(puzzle.LoadLevelSet((dir / "in.lvl").c_str()), 1);
  const LevelSet& loaded = puzzle.LevelSet();
  EXPECT_EQ(loaded.AlphabetIndex(u'O'), 2);
  EXPECT_EQ(loaded.AlphabetIndex(u'Ñ'), -1);  // only the words' letters: a blank tile
  EXPECT_EQ(LetterTile(loaded.AlphabetIndex(u'Ñ'), 5), kBlankTile);
  EXPECT_EQ(LetterTile(loaded.AlphabetIndex(u'O'), 5), 2);
  EXPECT_EQ(LetterTile(5, 5), kBlankTile);
  ASSERT_EQ(SaveLevelSet(loaded, (dir / "out.lvl").c_str()), 1);
  EXPECT_EQ(testsupport::ReadFile(dir / "out.lvl"), image);
}

TEST_F(LevelFileTest, TheAccessCodeIsScrambledWithTheFirstWallRow) {
  std::string image = Image(SampleLevels());
  // Level 1's first wall byte (a wall of shape 8) becomes another wall shape.
  const size_t firstWall = 4 + 8 + 2 * 66;
  ASSERT_EQ(image[firstWall], 8);
  image[firstWall] = 0;
  LevelSet set;
  std::string error;
  ASSERT_TRUE(Decode(image, set, error)) << error;
  EXPECT_EQ(set.levels[0].code[0], 'Q' ^ 8);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(set.levels[0].code + 1), 4), "ZKRT");
  // Written back, the stored bytes are unchanged.
  EXPECT_EQ(Encode(set), image);
}

TEST_F(LevelFileTest, TheFirstLevelWithACodeIsFound) {
  std::vector<FileLevel> levels = SampleLevels();
  levels.push_back(levels[0]);
  levels[2].code = "AB\x01\xFF" "C";
  LevelSet set;
  std::string error;
  ASSERT_TRUE(Decode(Image(levels), set, error)) << error;
  puzzle.UseLevelSet(set);
  int index = -1;
  const uint8_t code[5] = {'A', 'B', 0x01, 0xFF, 'C'};
  EXPECT_EQ(puzzle.FindLevelByCode(code, index), 1);
  EXPECT_EQ(index, 1);
  const uint8_t other[5] = {'Q', 'Z', 'K', 'R', 'X'};
  EXPECT_EQ(puzzle.FindLevelByCode(other, index), 0);
}

TEST_F(LevelFileTest, FilesOutsideTheLimitsOrShortOrLongAreRejectedWithAReason) {
  struct Case {
    const char* name;
    std::function<void(std::vector<FileLevel>&)> change;
    const char* reason;
  };
  const Case cases[] = {
      {"width 0", [](std::vector<FileLevel>& l) { l[1] = FileLevel{"AAAAA", 0, 1, {}, {}, {}}; },
       "level 2: width 0 is not within 1..30"},
      {"width 31", [](std::vector<FileLevel>& l) { l[1] = FileLevel{"AAAAA", 31, 1, {}, std::vector<uint8_t>(31, 22), std::u16string(31, 0)}; },
       "level 2: width 31 is not within 1..30"},
      {"height 31", [](std::vector<FileLevel>& l) { l[1] = FileLevel{"AAAAA", 1, 31, {}, std::vector<uint8_t>(31, 22), std::u16string(31, 0)}; },
       "level 2: height 31 is not within 1..30"},
      {"six words", [](std::vector<FileLevel>& l) { l[0].words.resize(6, l[0].words[0]); },
       "level 1: 6 words (at most 5)"},
      {"32 letters", [](std::vector<FileLevel>& l) { l[0].words[0].length = 32; },
       "level 1: word 1 is 32 letters long (at most 31)"},
      {"direction 2", [](std::vector<FileLevel>& l) { l[0].words[1].direction = 2; },
       "level 1: word 2 has direction 2 (1 or 0)"},
      {"code 21", [](std::vector<FileLevel>& l) { l[0].walls[4] = 21; }, "level 1: square (4, 0) has an unknown cell code"},
      {"word on floor", [](std::vector<FileLevel>& l) { l[0].words[0].x = 2; },
       "level 1: word 1 has square 3 off the letter squares"},
      {"word off the board", [](std::vector<FileLevel>& l) { l[0].words[1] = {u"ABCDEFGHIJKLMNOPQRSTUVWXYZÉÈÊËÀ", 5, 0, 31, 0}; },
       "level 1: word 2 has square 3 off the letter squares"},
      {"longer text than length", [](std::vector<FileLevel>& l) { l[0].words[0].text = u"DOGS"; },
       "level 1: word 1 has square 4 off the letter squares"},
      {"a target", [](std::vector<FileLevel>& l) { l[0].walls[4] = TARGET_EAST; }, "unknown cell code"},
      {"cube without letter", [](std::vector<FileLevel>& l) { l[1].walls[2] = CUBE; },
       "level 2: cube square (2, 0) has no letter"},
      {"floor with letter", [](std::vector<FileLevel>& l) { l[1].letters[1] = u'Q'; },
       "level 2: floor square (1, 0) has a letter"},
      {"151 letters",
       [](std::vector<FileLevel>& l) {
         l[1] = FileLevel{"AAAAA", 30, 6, {}, std::vector<uint8_t>(180, 22), std::u16string(180, 0)};
         for (int i = 0; i < 151; ++i) {
           l[1].walls[i] = CUBE;
           l[1].letters[i] = u'X';
         }
       },
       "level 2: 151 letter squares (at most 150)"},
  };
  for (const Case& c : cases) {
    std::vector<FileLevel> levels = SampleLevels();
    c.change(levels);
    LevelSet set;
    std::string error;
    EXPECT_FALSE(Decode(Image(levels), set, error)) << c.name;
    EXPECT_NE(error.find(c.reason), std::string::npos) << c.name << ": " << error;
  }

  // Short files are refused wherever they end, and so are extra bytes.
  const std::string image = Image(SampleLevels());
  for (size_t size = 0; size < image.size(); ++size) {
    LevelSet set;
    std::string error;
    EXPECT_FALSE(Decode(image.substr(0, size), set, error)) << size;
    EXPECT_EQ(set.levelCount, 0u);
  }
  LevelSet set;
  std::string error;
  EXPECT_FALSE(Decode(image + '\0', set, error));
  EXPECT_EQ(error, "1 bytes follow the last level");
  EXPECT_FALSE(Decode(Image(SampleLevels(), 1000000), set, error));
  EXPECT_EQ(error, "a level count of 1000000, more than the file can hold");
  // A file of 150 letters exactly is fine.
  std::vector<FileLevel> full = SampleLevels();
  full[1] = FileLevel{"AAAAA", 30, 5, {}, std::vector<uint8_t>(150, CUBE), std::u16string(150, u'X')};
  EXPECT_TRUE(Decode(Image(full), set, error)) << error;
}

TEST_F(LevelFileTest, AFailedLoadPrintsOneLineAndLeavesTheSetInPlay) {
  TempDir dir;
  ASSERT_TRUE(testsupport::WriteFile(dir / "good.lvl", Image(SampleLevels())));
  ASSERT_TRUE(testsupport::WriteFile(dir / "short.lvl", Image(SampleLevels()).substr(0, 100)));
  ASSERT_EQ(puzzle.LoadLevelSet((dir / "good.lvl").c_str()), 1);
  ASSERT_EQ(puzzle.LevelSet().levelCount, 2u);
  {
    CapturedStream err(2);
    EXPECT_EQ(puzzle.LoadLevelSet((dir / "missing.lvl").c_str()), 0);
    EXPECT_EQ(err.Text(), "Couldn't load level file " + (dir / "missing.lvl") + ": No such file or directory\n");
  }
  EXPECT_EQ(puzzle.LevelSet().levelCount, 2u);
  {
    CapturedStream err(2);
    EXPECT_EQ(puzzle.LoadLevelSet((dir / "short.lvl").c_str()), 0);
    EXPECT_EQ(err.Text(), "Couldn't load level file " + (dir / "short.lvl") +
                              ": level 1: the file ends inside the level\n");
  }
  EXPECT_EQ(puzzle.LevelSet().levelCount, 2u);
  EXPECT_EQ(puzzle.LevelSet().alphabetCount, 5);
  {
    CapturedStream err(2);
    EXPECT_EQ(SaveLevelSet(puzzle.LevelSet(), (dir / "no/such/dir/out.lvl").c_str()), 0);
    EXPECT_EQ(err.Text(), "Couldn't save level file " + (dir / "no/such/dir/out.lvl") + "\n");
  }
}

// Records stay with their boards through a reorder: the record order beside
// the level file is read, written, checked, and removed when not needed.
TEST_F(LevelFileTest, TheRecordOrderKeepsRecordsWithTheirBoards) {
  const struct {
    const char* text;
    const char* error;  // "" when read
  } cases[] = {
      {"; swapped\n 2 ; first\n\n1\r\n", ""},
      {"1\n1\n", "line 2: record 1 is given twice"},
      {"1\n3\n", "line 2: not a level number within 1..2"},
      {"2\n-1\n", "line 2: not a level number within 1..2"},
      {"2\n1\n1\n", "line 3: more numbers than the 2 levels"},
      {"2", "1 numbers for 2 levels"},
  };
  for (const auto& c : cases) {
    std::vector<int> records;
    std::string error;
    EXPECT_EQ(DecodeRecordOrder(c.text, std::strlen(c.text), 2, records, error), !*c.error) << c.text;
    EXPECT_EQ(error, c.error) << c.text;
    EXPECT_EQ(records.size(), *c.error ? 0u : 2u) << c.text;
  }

  TempDir dir;
  LevelSet set;
  std::string error;
  ASSERT_TRUE(Decode(Image(SampleLevels()), set, error));
  set.records = {1, 0};
  ASSERT_EQ(SaveLevelSet(set, (dir / "set.lvl").c_str()), 1);
  LevelSet read;
  ASSERT_TRUE(ReadLevelSetFile((dir / "set.lvl").c_str(), read, error)) << error;
  EXPECT_EQ(read.records, set.records);
  EXPECT_EQ(read.RecordOf(0), 1);
  EXPECT_EQ(read.LevelOfRecord(0), 1);
  EXPECT_EQ(read.LevelOfRecord(2), -1);
  // A broken record order refuses the set rather than mix records up.
  ASSERT_TRUE(testsupport::WriteFile(dir / "set.records", "1\n"));
  EXPECT_FALSE(ReadLevelSetFile((dir / "set.lvl").c_str(), read, error));
  EXPECT_EQ(error, (dir / "set.records") + ": 1 numbers for 2 levels");
  // A set in its first order leaves no stale record order behind.
  set.records.clear();
  ASSERT_EQ(SaveLevelSet(set, (dir / "set.lvl").c_str()), 1);
  EXPECT_FALSE(testsupport::FileExists(dir / "set.records"));
  ASSERT_TRUE(ReadLevelSetFile((dir / "set.lvl").c_str(), read, error));
  EXPECT_TRUE(read.records.empty());
  EXPECT_EQ(read.LevelOfRecord(1), 1);
}

TEST_F(LevelFileTest, TheLevelSetIsChosenByItsNumberAmongTheChoices) {
  puzzle.SetLevelSetChoices(ShippedChoices());
  ASSERT_EQ(puzzle.SelectLevelSet(1), 1);
  EXPECT_EQ(puzzle.LevelSet().selectedBy, 1);
  EXPECT_GE(puzzle.LevelSet().levelCount, 5u);
  EXPECT_EQ(puzzle.LevelSet().symmetricLetters, ShippedChoices()[1].symmetricLetters);
  for (int number : {static_cast<int>(ShippedChoices().size()), -1}) {
    CapturedStream err(2);
    EXPECT_EQ(puzzle.SelectLevelSet(number), 0);
    EXPECT_EQ(err.Text(), "No level set " + std::to_string(number) + "\n");
    EXPECT_EQ(puzzle.LevelSet().levelCount, 0u);
  }
}
