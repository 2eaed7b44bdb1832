// The score table and "score.orb": byte layout, damaged files, records and
// names, and the file the game writes below its game directory.
#include <gtest/gtest.h>

#include <cstring>

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

TEST(ScoreFile, DamagedImagesAreRefusedAndLeaveTheTable) {
  ScoreTable good = SampleTable();
  good.entries[7].moves = 12;
  const std::vector<uint8_t> bytes = EncodeScoreFile(good);
  struct Case {
    const char* what;
    std::vector<uint8_t> image;
  };
  std::vector<Case> cases;
  cases.push_back({"empty", {}});
  cases.push_back({"one byte short", std::vector<uint8_t>(bytes.begin(), bytes.end() - 1)});
  std::vector<uint8_t> longer = bytes;
  longer.push_back(0);
  cases.push_back({"one byte long", longer});
  std::vector<uint8_t> unterminated = bytes;
  std::memset(unterminated.data() + 25 * 3, 'A', 21);
  cases.push_back({"no terminator", unterminated});
  std::vector<uint8_t> control = bytes;
  control[25 * 4 + 2] = '\n';
  cases.push_back({"control character", control});
  std::vector<uint8_t> negative = bytes;
  negative[25 * 5 + 24] = 0x80;
  cases.push_back({"negative moves", negative});
  std::vector<uint8_t> tooMany = bytes;
  tooMany[25 * 5 + 21] = 0x11;  // 10001
  cases.push_back({"moves above the default", tooMany});
  for (const Case& c : cases) {
    ScoreTable table = good;
    std::string error;
    EXPECT_FALSE(DecodeScoreFile(c.image.data(), c.image.size(), table, error)) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
    EXPECT_EQ(EncodeScoreFile(table), bytes) << c.what << " changed the table";
  }
}

TEST(ScoreFile, MissingFileGivesDefaultsSilentlyDamagedOneWithAMessage) {
  testsupport::TempDir dir;
  ScoreTable table = SampleTable();
  ScoreTable defaults;
  ResetScoreTable(defaults);
  {
    CapturedStream err(2);
    EXPECT_EQ(LoadScoreTable((dir / "score.orb").c_str(), table), 0);
    EXPECT_EQ(err.Text(), "");
  }
  EXPECT_EQ(EncodeScoreFile(table), EncodeScoreFile(defaults));

  ASSERT_TRUE(WriteFile(dir / "score.orb", std::string(1499, 'A')));
  table = SampleTable();
  {
    CapturedStream err(2);
    EXPECT_EQ(LoadScoreTable((dir / "score.orb").c_str(), table), 0);
    std::string text = err.Text();
    EXPECT_NE(text.find("score.orb is damaged"), std::string::npos) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
  }
  EXPECT_EQ(EncodeScoreFile(table), EncodeScoreFile(defaults));
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
