// Language files: the UTF-16 reader, the key/value file, the required labels,
// the symmetric letters and the level sets; and every shipped language file.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "config/CUConfigFile.h"
#include "config/CUTextFile.h"
#include "config/Language.h"
#include "tests/support/TestFiles.h"

using namespace testsupport;

namespace {

// Every required key with a value of its own name, in file order.
std::string AllRequiredKeys() {
  std::string text;
  for (int i = 0; i < kLabelCount; ++i) {
    const char* key = LabelKeyName(static_cast<LabelKey>(i));
    text += std::string(key) + "=" + key + "\r\n";
  }
  return text;
}

std::string Utf8(const CUString& text) { return text.ToUtf8(); }

struct LanguageFixture : ::testing::Test {
  TempDir dir;
  std::string path = dir / "text.txt";

  int Load(const std::string& utf8, bool bom = true) {
    WriteFile(path, Utf16FileContent(utf8, bom));
    CapturedStream out(1);
    int result = LoadLanguage(path.c_str());
    listing = out.Text();
    return result;
  }
  std::string listing;
};

}  // namespace

TEST(CUTextFile, TheByteOrderTestAcceptsFeOrFfInEitherOfTheFirstTwoBytes) {
  TempDir dir;
  const std::pair<std::string, int> cases[] = {
      {"\xFF\xFE", 1}, {"\xFE\xFF", 1}, {"\x41\xFF", 1}, {"\xFE\x41", 1}, {"AB", 0}, {"A", 0}, {"", 0}};
  for (const auto& [start, accepted] : cases) {
    std::string path = dir / "file.txt";
    WriteFile(path, start + "x\n");
    CUTextFile file;
    CapturedStream err(2);
    EXPECT_EQ(file.Open(path.c_str(), 0), accepted) << start;
    EXPECT_EQ(err.Text(), accepted ? "" : path + " : Not a Unicode UTF16 File\n") << start;
  }
  CUTextFile missing;
  CapturedStream err(2);
  EXPECT_EQ(missing.Open((dir / "none.txt").c_str(), 0), 0);
  EXPECT_EQ(err.Text(), "");
}

TEST(CUTextFile, LinesAreCutAtTheirFirstControlUnit) {
  TempDir dir;
  std::string path = dir / "lines.txt";
  WriteFile(path, Utf16FileContent("Tab=a\tb\r\nCr=value\r\r\n\r\nÉté=ñandú\nLast"));
  CUTextFile file;
  ASSERT_EQ(file.Open(path.c_str(), 0), 1);
  CUString line;
  std::vector<std::string> lines;
  while (file.ReadLine(line)) lines.push_back(Utf8(line));
  EXPECT_EQ(lines, (std::vector<std::string>{"Tab=a", "Cr=value", "", "Été=ñandú", "Last"}));
  EXPECT_EQ(file.ReadLine(line), 0);
}

TEST(CUTextFile, OverlongLinesKeepTheirFirst1023Units) {
  TempDir dir;
  std::string path = dir / "long.txt";
  WriteFile(path, Utf16FileContent(std::string(3000, 'x') + "\nnext\n"));
  CUTextFile file;
  ASSERT_EQ(file.Open(path.c_str(), 0), 1);
  CUString line;
  ASSERT_EQ(file.ReadLine(line), 1);
  EXPECT_EQ(line.Length(), 1023u);
  ASSERT_EQ(file.ReadLine(line), 1);
  EXPECT_EQ(Utf8(line), "next");
}

TEST(CUConfigFile, KeepsFileOrderSoTheFirstOccurrenceWins) {
  TempDir dir;
  std::string path = dir / "cfg.txt";
  WriteFile(path, Utf16FileContent("Play=first\r\nPlay=second\r\nno equals here\r\nGame = Jeu\r\nEq=a=b\r\n"));
  CUConfigFile config;
  ASSERT_EQ(config.Load(path.c_str()), 1);
  EXPECT_EQ(config.EntryCount(), 5);
  CUString value = u"untouched";
  EXPECT_EQ(config.GetValue("Play", value), 1);
  EXPECT_EQ(Utf8(value), "first");
  EXPECT_EQ(config.GetValue("Eq", value), 1);
  EXPECT_EQ(Utf8(value), "a=b");
  EXPECT_EQ(config.GetValue("Game", value), 0);  // the key is "Game " with a blank
  EXPECT_EQ(config.GetValue("Game ", value), 1);
  EXPECT_EQ(Utf8(value), " Jeu");
  EXPECT_EQ(config.Load(nullptr), 0);
}

TEST_F(LanguageFixture, AFileWithEveryRequiredKeyLoadsItsLabels) {
  ASSERT_EQ(Load(AllRequiredKeys() + "FontSym1=H, I, N\r\nFontSym2=OSX\r\nFontSym3=Z\r\nFontSym5=S, O\r\n"), 1);
  EXPECT_EQ(Utf8(Label(LabelKey::Game)), "Game");
  EXPECT_EQ(Utf8(Label(LabelKey::Copyright)), "Copyright");
  EXPECT_EQ(SymmetricLetterCount(0), 3);
  EXPECT_TRUE(IsSymmetricLetter(0, u'N'));
  EXPECT_FALSE(IsSymmetricLetter(0, u','));
  EXPECT_FALSE(IsSymmetricLetter(0, u' '));
  EXPECT_TRUE(IsSymmetricLetter(1, u'X'));
  EXPECT_FALSE(IsSymmetricLetter(1, u'H'));
  EXPECT_EQ(SymmetricLetterCount(3), 0);  // no FontSym4
  EXPECT_TRUE(IsSymmetricLetter(4, u'O'));
  EXPECT_EQ(SymmetricLetterCount(kMaxLevelSets), 0);  // beyond the level-set table
  EXPECT_EQ(LevelSetCount(), 0);
}

TEST_F(LanguageFixture, TheFirstMissingRequiredKeyFailsTheLoad) {
  std::string text = AllRequiredKeys();
  text.replace(text.find("Game=Game"), 9, "Game = Jeu");
  CapturedStream err(2);
  EXPECT_EQ(Load(text), 0);
  EXPECT_EQ(err.Text(), "Couldn't read Key 'Game' in langage File " + path + "\n");
}

// Only the first three sets are reported: older files name no more.
TEST_F(LanguageFixture, MissingSymmetricSetsAreReportedButDoNotFail) {
  SetSymmetricLetters(0, u"HIN");
  CapturedStream err(2);
  EXPECT_EQ(Load(AllRequiredKeys() + "FontSym2=H\r\n"), 1);
  EXPECT_EQ(err.Text(), "Couldn't read Key 'FontSym1' in langage File " + path +
                            "\nCouldn't read Key 'FontSym3' in langage File " + path + "\n");
  EXPECT_EQ(SymmetricLetterCount(0), 0);
  EXPECT_EQ(SymmetricLetterCount(1), 1);
}

TEST_F(LanguageFixture, SymmetricSetsHoldAtMost64Letters) {
  std::string many(100, 'Q');
  ASSERT_EQ(Load(AllRequiredKeys() + "FontSym1=" + many + "\r\nFontSym2=\r\nFontSym3=X\r\n"), 1);
  EXPECT_EQ(SymmetricLetterCount(0), kMaxSymmetricLetters);
  EXPECT_EQ(SymmetricLetterCount(1), 0);
}

TEST_F(LanguageFixture, LevelSetsMayHaveGapsAndAreListed) {
  ASSERT_EQ(Load(AllRequiredKeys() +
                 "TesselLevelName1=Français\r\nTesselLevel1=french.lvl\r\n"
                 "TesselLevelName3=Español\r\nTesselLevel3=spanish.lvl\r\nTesselLevel2=orphan.lvl\r\n"
                 "TesselLevelName16=Last\r\n"),
            1);
  EXPECT_EQ(LevelSetCount(), 3);
  EXPECT_EQ(Utf8(LevelSetSlot(0).file), "french.lvl");
  EXPECT_TRUE(LevelSetSlot(1).name.Empty());
  EXPECT_EQ(Utf8(LevelSetSlot(2).name), "Español");
  EXPECT_TRUE(LevelSetSlot(15).file.Empty());
  EXPECT_EQ(listing, "--- Fran\xE7" "ais french.lvl\n--- Espa\xF1" "ol spanish.lvl\n--- Last \n");
}

// The keys of a language file, in file order.
std::vector<std::string> FileKeys(const std::string& path) {
  std::vector<std::string> keys;
  CUTextFile file;
  CUString line;
  if (!file.Open(path.c_str(), 0)) return keys;
  while (file.ReadLine(line)) {
    const std::string text = Utf8(line);
    if (text.find('=') != std::string::npos) keys.push_back(text.substr(0, text.find('=')));
  }
  return keys;
}

// Every shipped language file loads, holds every key of the English one (and
// no other) with a non-empty text, names the four level sets in their order
// and lists symmetric letters for each.
class ShippedLanguage : public ::testing::TestWithParam<std::string> {};

TEST_P(ShippedLanguage, LoadsWithEveryKey) {
  std::string path = GameTreeDir() + "/data/text_" + GetParam() + ".txt";
  std::string bytes = ReadFile(path);
  ASSERT_GE(bytes.size(), 2u) << path;
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(FileKeys(path), FileKeys(GameTreeDir() + "/data/text_en.txt"));
  CapturedStream err(2);
  CapturedStream out(1);
  ASSERT_EQ(LoadLanguage(path.c_str()), 1) << err.Text();
  EXPECT_EQ(err.Text(), "");
  for (int i = 0; i < kLabelCount; ++i)
    EXPECT_FALSE(Label(static_cast<LabelKey>(i)).Empty()) << LabelKeyName(static_cast<LabelKey>(i));
  const char* const files[] = {"french.lvl", "english.lvl", "spanish.lvl", "german.lvl"};
  ASSERT_EQ(LevelSetCount(), 4);
  for (int set = 0; set < LevelSetCount(); ++set) {
    EXPECT_EQ(Utf8(LevelSetSlot(set).file), files[set]);
    EXPECT_FALSE(LevelSetSlot(set).name.Empty());
    EXPECT_GT(SymmetricLetterCount(set), 0) << "FontSym" << set + 1;
  }
}

TEST(ShippedLanguages, AreTranslated) {
  // The same labels differ between any two languages, as the words do.
  std::set<std::string> texts;
  const std::vector<std::string> codes = ShippedLanguages();
  for (const std::string& code : codes) {
    CapturedStream out(1);
    ASSERT_EQ(LoadLanguage((GameTreeDir() + "/data/text_" + code + ".txt").c_str()), 1);
    texts.insert(Utf8(Label(LabelKey::Quit)) + "|" + Utf8(Label(LabelKey::MessageLevelWin)));
  }
  EXPECT_EQ(texts.size(), codes.size());
}

INSTANTIATE_TEST_SUITE_P(Languages, ShippedLanguage, ::testing::ValuesIn(ShippedLanguages()));
