// The key/value reader of config.ini and theme.ini: line reading, trimming,
// head insertion and the reversed write-back.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "base/ORBConfigFile.h"
#include "tests/support/TestFiles.h"

using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

// Loads text through a real file, as the game does.
struct LoadedFile {
  TempDir dir;
  ORBConfigFile config;
  std::string path;

  explicit LoadedFile(const std::string& text) : path(dir / "config.ini") {
    WriteFile(path, text);
    EXPECT_TRUE(config.Load(path.c_str()));
  }
  std::string Value(const char* key) {
    ORBString value("untouched");
    return config.GetValue(key, value) ? std::string(value.c_str()) : std::string("<missing>");
  }
  std::string SavedText() {
    std::string out = dir / "saved.ini";
    EXPECT_TRUE(config.Save(out.c_str()));
    return ReadFile(out);
  }
};

}  // namespace

TEST(ORBConfigFile, LinesAreReadAsTheGameReadsThem) {
  struct Case {
    const char* what;
    std::string text;
    std::vector<std::pair<const char*, std::string>> values;
    int entries;
  } cases[] = {
      {"split at the first equals, the key untrimmed", "Width=800\nWidth = 800\nk=a=b\n=x\n",
       {{"Width", "800"}, {"Width ", " 800"}, {"k", "a=b"}, {"", "x"}}, 4},
      // "a=" with its line end is three bytes and kept; the same two bytes at
      // the end of a file without a line end are ignored.
      {"a short line with its end", "a=\n", {{"a", ""}}, 1},
      {"a short line without an end", "b=1\na=", {{"a", "<missing>"}, {"b", "1"}}, 1},
      {"trailing control bytes trimmed, high bytes kept", "A=1 \t \r\nB=caf\xE9\nC=\xC3\xA9\xA0\r\n",
       {{"A", "1"}, {"B", "caf\xE9"}, {"C", "\xC3\xA9\xA0"}}, 3},
      {"CR LF", "A=1\r\nB=2\r\n", {{"B", "2"}}, 2},
      {"CR", "A=1\rB=2\r", {{"B", "2"}}, 2},
      {"a NUL byte ends the line", std::string("A=12\0B=3\nC=4\n", 13), {{"A", "12"}, {"B", "3"}, {"C", "4"}}, 3},
  };
  for (const Case& c : cases) {
    LoadedFile file(c.text);
    for (const auto& [key, value] : c.values) EXPECT_EQ(file.Value(key), value) << c.what << ": " << key;
    EXPECT_EQ(file.config.EntryCount(), c.entries) << c.what;
  }
  // Lines without equals are no entries but the player's words: written
  // back above the entry that followed them. Blank lines are dropped.
  LoadedFile file("[Section]\n\n   \nremark line\nA=1\nB=2\n# the end\n");
  EXPECT_EQ(file.config.EntryCount(), 2);
  EXPECT_EQ(file.SavedText(), "B=2\n[Section]\nremark line\nA=1\n# the end\n");
}

// Written back, a key twice would read the other value at the next start.
TEST(ORBConfigFile, TheLastOccurrenceOfAKeyWinsAndIsTheOnlyOneWritten) {
  LoadedFile file("Speed=4\nA=1\nB=2\nC=3\nD=4\nE=5\nF=6\nG=7\nSpeed=8\n");
  EXPECT_EQ(file.Value("Speed"), "8");
  EXPECT_TRUE(file.config.SetValue("Speed", "2"));
  EXPECT_EQ(file.SavedText(), "Speed=2\nG=7\nF=6\nE=5\nD=4\nC=3\nB=2\nA=1\n");
}

TEST(ORBConfigFile, SaveWritesTheLinesReversedAndNeverAddsKeys) {
  LoadedFile file("A=1\nB=2\nC=3\n");
  EXPECT_FALSE(file.config.SetValue("Missing", "9"));
  EXPECT_EQ(file.Value("Missing"), "<missing>");
  EXPECT_EQ(file.SavedText(), "C=3\nB=2\nA=1\n");
}

TEST(ORBConfigFile, AFailedLoadKeepsTheEntriesAndAFailedSaveTheOldFile) {
  LoadedFile file("A=1\n");
  std::string reason;
  EXPECT_FALSE(file.config.Load((file.dir / "absent.ini").c_str(), &reason));
  EXPECT_EQ(reason, "No such file or directory");
  // A directory in its place is no empty file: refused, with the reason.
  std::filesystem::create_directory(file.dir / "theme.ini");
  EXPECT_FALSE(file.config.Load((file.dir / "theme.ini").c_str(), &reason));
  EXPECT_EQ(reason, "Is a directory");
  EXPECT_EQ(file.Value("A"), "1");
  int error = 0;
  EXPECT_FALSE(file.config.Save((file.dir / "no/such/dir/out.ini").c_str(), &error));
  EXPECT_EQ(error, ENOENT);
}

TEST(ORBConfigFile, OverlongLinesAreCutInsideTheBuffer) {
  std::string longValue(6000, 'v');
  LoadedFile file("Long=" + longValue + "\nAfter=1\n");
  std::string value = file.Value("Long");
  EXPECT_EQ(value.size(), static_cast<size_t>(ORBConfigFile::kLineBufferSize - 1 - 5));
  EXPECT_EQ(file.Value("After"), "1");
  EXPECT_EQ(file.config.EntryCount(), 2);
}
