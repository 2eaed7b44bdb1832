// The score table and "score.orb": byte layout, damaged files, records and
// names, and the file the game writes below its game directory.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "tests/support/TestFiles.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/Scores.h"

namespace {

using testsupport::CapturedStream;
using testsupport::ReadFile;
using testsupport::WriteFile;

std::string Bytes(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

ScoreTable SampleTable() {
  ScoreTable table;
  ResetScoreTable(table);
  std::memset(table.entries[7].name, 0, kScoreNameBytes);
  std::strcpy(table.entries[7].name, "H\xE9l\xE8ne");
  table.entries[7].name[15] = 'x';  // a byte after the terminator
  table.entries[7].moves = 0x01020304;
  table.entries[59].moves = 1;
  return table;
}

TEST(ScoreFile, RecordsAreTwentyFiveBytesWithLittleEndianMoves) {
  ScoreTable table = SampleTable();
  table.entries[7].moves = 9999;
  std::vector<uint8_t> bytes = EncodeScoreFile(table);
  ASSERT_EQ(bytes.size(), 1500u);
  // Defaults: "ORB GAMES", zeros to byte 21, then 10000 = 0x2710.
  EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes.data()), 21), std::string("ORB GAMES\0\0\0\0\0\0\0\0\0\0\0\0", 21));
  EXPECT_EQ(bytes[21], 0x10);
  EXPECT_EQ(bytes[22], 0x27);
  EXPECT_EQ(bytes[23], 0);
  EXPECT_EQ(bytes[24], 0);
  const uint8_t* record = bytes.data() + 25 * 7;
  EXPECT_EQ(std::memcmp(record, "H\xE9l\xE8ne\0", 7), 0);
  EXPECT_EQ(record[15], 'x');  // kept as held in memory
  EXPECT_EQ(record[21] | record[22] << 8, 9999);
  EXPECT_EQ(bytes[25 * 59 + 21], 1);

  ScoreTable back;
  std::string error;
  ASSERT_TRUE(DecodeScoreFile(bytes.data(), bytes.size(), back, error)) << error;
  EXPECT_EQ(EncodeScoreFile(back), bytes);
}

TEST(ScoreFile, DamagedImagesAreRefusedAndKeepTheirWholeRecords) {
  ScoreTable good = SampleTable();
  good.entries[7].moves = 12;
  const std::vector<uint8_t> bytes = EncodeScoreFile(good);
  std::vector<uint8_t> unterminated = bytes, control = bytes, negative = bytes, tooMany = bytes, longer = bytes;
  std::memset(unterminated.data() + 25 * 3, 'A', 21);
  control[25 * 4 + 2] = '\n';
  negative[25 * 5 + 24] = 0x80;
  tooMany[25 * 5 + 21] = 0x11;  // 10001
  longer.push_back(0);
  const struct {
    const char* what;
    std::vector<uint8_t> image;
    int lost;  // the record that goes back to the defaults (-1 none, 60 all)
  } cases[] = {
      {"empty", {}, 60},
      {"one byte short", std::vector<uint8_t>(bytes.begin(), bytes.end() - 1), 59},
      {"one byte long", longer, -1},
      {"no terminator", unterminated, 3},
      {"control character", control, 4},
      {"negative moves", negative, 5},
      {"moves above the default", tooMany, 5},
  };
  ScoreTable defaults;
  ResetScoreTable(defaults);
  for (const auto& c : cases) {
    ScoreTable expected = good, table = good;
    for (int level = 0; level < kScoreLevels; ++level)
      if (c.lost == level || c.lost == kScoreLevels) expected.entries[level] = defaults.entries[level];
    std::string error;
    int kept = -1;
    EXPECT_FALSE(DecodeScoreFile(c.image.data(), c.image.size(), table, error, &kept)) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
    EXPECT_EQ(EncodeScoreFile(table), EncodeScoreFile(expected)) << c.what;
    EXPECT_EQ(kept, c.lost < 0 ? 60 : c.lost == 60 ? 0 : 59) << c.what;
  }
}

TEST(ScoreFile, MissingFileGivesDefaultsSilentlyDamagedOneWithAMessage) {
  testsupport::TempDir dir;
  ScoreTable table = SampleTable();
  ScoreTable defaults;
  ResetScoreTable(defaults);
  {
    CapturedStream err(2);
    EXPECT_EQ(LoadScoreTable((dir / "score.orb").c_str(), table), ScoreFileState::kMissing);
    EXPECT_EQ(err.Text(), "");
  }
  EXPECT_EQ(EncodeScoreFile(table), EncodeScoreFile(defaults));

  ASSERT_TRUE(WriteFile(dir / "score.orb", std::string(1499, 'A')));
  table = SampleTable();
  {
    CapturedStream err(2);
    EXPECT_EQ(LoadScoreTable((dir / "score.orb").c_str(), table), ScoreFileState::kDamaged);
    std::string text = err.Text();
    EXPECT_NE(text.find("score.orb is damaged"), std::string::npos) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
  }
  EXPECT_EQ(EncodeScoreFile(table), EncodeScoreFile(defaults));
}

// A file the game cannot read, or reads with a bad byte, is never replaced
// by defaults: the good records stay and the old file is set aside.
TEST(ScoreFile, RecordsOfAnUnreadableOrDamagedFileAreNeverLost) {
  uitest::ScopedGameDirectory game;
  const std::string file = game.Dir() / "score.orb", aside = file + ".bad";
  ScoreTable mine = SampleTable();
  mine.entries[3].moves = 42, mine.entries[7].moves = 12;
  std::string old = Bytes(EncodeScoreFile(mine));
  old[25 * 10 + 2] = '\n';  // one bad byte in level 11's name
  ASSERT_TRUE(WriteFile(file, old));
  HighScores damaged;
  damaged.Load();
  EXPECT_TRUE(damaged.Save());
  EXPECT_EQ(ReadFile(aside), old);
  ResetScoreTable(damaged.Table());
  mine.entries[10] = damaged.Table().entries[10];
  EXPECT_EQ(ReadFile(file), Bytes(EncodeScoreFile(mine)));

  // A directory in its place: left alone unless a record is made.
  std::remove(file.c_str()), std::remove(aside.c_str());
  ASSERT_EQ(mkdir(file.c_str(), 0777), 0);
  HighScores directory;
  directory.Load();
  EXPECT_TRUE(directory.Save());
  EXPECT_TRUE(std::filesystem::is_directory(file));
  EXPECT_EQ(directory.IsRecord(0, 5), 1);
  EXPECT_TRUE(directory.Save());
  EXPECT_TRUE(std::filesystem::is_directory(aside));
  EXPECT_EQ(ReadFile(file).size(), kScoreFileBytes);

  // A file the player may not read stays as it was (read as "nobody" when
  // the tests run as root, who reads anything).
  chmod(game.Dir().Path().c_str(), 0777);
  ASSERT_EQ(chmod(file.c_str(), 0), 0);
  const std::string before = ReadFile(file);
  EXPECT_EQ(testsupport::AsNobody([] {
              HighScores unreadable;
              unreadable.Load();
              return unreadable.Save() ? 0 : 1;
            }),
            0);
  EXPECT_EQ(ReadFile(file), before);
}

TEST(ScoreTableRecords, OnlyStrictlyFewerMovesMakeARecordAndNamesKeepTwentyCharacters) {
  uitest::ScopedGameDirectory game;
  HighScores scores;
  scores.Load();
  EXPECT_STREQ(scores.LastName(), "");
  EXPECT_EQ(scores.IsRecord(3, 10000), 0);  // equal to the default: no record
  EXPECT_EQ(scores.IsRecord(3, 42), 1);
  EXPECT_EQ(scores.IsRecord(3, 42), 0);
  EXPECT_EQ(scores.IsRecord(3, 43), 0);
  EXPECT_EQ(scores.Table().entries[3].moves, 42);
  EXPECT_EQ(scores.IsRecord(60, 1), 0);  // past the table
  EXPECT_EQ(scores.IsRecord(-1, 1), 0);

  scores.SetName(3, "ABCDEFGHIJKLMNOPQRSTU");  // 21 characters: the last is dropped
  EXPECT_STREQ(scores.Table().entries[3].name, "ABCDEFGHIJKLMNOPQRST");
  EXPECT_STREQ(scores.LastName(), "ABCDEFGHIJKLMNOPQRST");
  scores.SetName(3, "Ann");
  EXPECT_EQ(std::string(scores.Table().entries[3].name, 21), std::string("Ann\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 21));

  // Written through the safe writer at game directory + "score.orb", with the
  // backslash of the game directory made a '/'.
  scores.Save();
  std::string written = ReadFile(game.Dir() / "score.orb");
  ASSERT_EQ(written.size(), 1500u);
  EXPECT_EQ(written.substr(75, 25), std::string("Ann\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\x2a\0\0\0", 25));
  EXPECT_EQ(written, Bytes(EncodeScoreFile(scores.Table())));

  // Read back in the next run; F1 on the high-score screen resets the table.
  HighScores next;
  next.Load();
  EXPECT_EQ(next.Table().entries[3].moves, 42);
  EXPECT_STREQ(next.Table().entries[3].name, "Ann");
  next.Reset();
  EXPECT_STREQ(next.Table().entries[3].name, "ORB GAMES");
  EXPECT_EQ(next.Table().entries[3].moves, 10000);
}

TEST(ScoreTableRecords, NamesShowAsLatin1) {
  EXPECT_TRUE(IsScoreNameCharacter('J'));
  EXPECT_TRUE(IsScoreNameCharacter(0xF1));   // ñ
  EXPECT_FALSE(IsScoreNameCharacter(0xD7));  // ×
  EXPECT_FALSE(IsScoreNameCharacter('%'));
  EXPECT_FALSE(IsScoreNameCharacter(0x100));
  EXPECT_EQ(ScoreNameText("Jos\xE9").ToUtf8(), "Jos\xC3\xA9");
}

}  // namespace
