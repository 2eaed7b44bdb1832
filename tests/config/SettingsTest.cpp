// The settings files: config.ini into Settings and back, data/font.ini, the
// game directory from game.ini, and making directories along a path.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/FileAccess.h"
#include "config/IniProfile.h"
#include "config/Language.h"
#include "config/Settings.h"
#include "tests/support/TestFiles.h"

using namespace testsupport;

namespace {

// A working directory with a minimal language file, as the settings load
// needs one.
class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(m_dir / "data");
    // The shipped English texts satisfy every required key.
    std::filesystem::copy_file(GameTreeDir() + "/data/text_en.txt", m_dir / "data/text_en.txt");
    g_settings = Settings{};
    m_cwd = std::make_unique<ScopedWorkingDirectory>(m_dir.Path());
  }
  void TearDown() override { m_cwd.reset(); }

  int Load(const std::string& config) {
    WriteFile("config.ini", config);
    CapturedStream out(1);  // the level-set listing
    return LoadSettings();
  }

  TempDir m_dir;
  std::unique_ptr<ScopedWorkingDirectory> m_cwd;
};

}  // namespace

// Every option the player changes is kept: a key the file lacks is added,
// a key written twice keeps one value from start to start.
TEST_F(SettingsTest, EveryOptionChangeIsKeptFromStartToStart) {
  for (const char* file : {"", "Lang=en\n", "Speed=4\nLang=en\nSpeed=8\n"}) {
    ASSERT_EQ(Load(file), 1) << file;
    g_settings.speed = 16;
    EXPECT_EQ(StoreSettings(), 1);
    for (int start = 0; start < 2; ++start) {
      ASSERT_EQ(LoadSettings(), 1);
      EXPECT_EQ(g_settings.speed, 16) << file << ", start " << start;
      StoreSettings();
    }
  }
  EXPECT_EQ(ReadFile("config.ini"),
            "LangLevel=0\nDetailLetter=2\nCartoon=0\nShadow=0\nReflect=0\nMusic=1\nSound=1\nDifficulty=0\nHeight=480\n"
            "Width=640\nSpeed=16\nLang=en\n");
}

// Values are read as atoi reads them; those that index tables are kept in
// range.
TEST_F(SettingsTest, ValuesFollowAtoiRulesAndThoseThatIndexTablesStayInRange) {
  ASSERT_EQ(Load("Width=1024x\nHeight= 600\nSound= 1\nMusic=abc\nSpeed=-5\nLangLevel=2\n"), 1);
  const Settings& s = g_settings;
  EXPECT_EQ((std::vector<int>{s.width, s.height, s.sound, s.music, s.speed, s.langLevel}),
            (std::vector<int>{1024, 600, 1, 0, 1, 2}));
  StoreSettings();
  // Written back with the blanks gone, the lines reversed.
  EXPECT_EQ(ReadFile("config.ini"),
            "DetailLetter=2\nCartoon=0\nShadow=0\nReflect=0\nDifficulty=0\nLangLevel=2\nSpeed=1\nMusic=0\nSound=1\n"
            "Height=600\nWidth=1024\n");
  ASSERT_EQ(Load("Difficulty=7\nShadow=-3\nDetailLetter=99\nSound=5\nReflect=2\nWidth=99999999999\nSpeed=0\n"), 1);
  EXPECT_EQ((std::vector<int>{s.speed, s.difficulty, s.shadow, s.detailLetter, s.sound, s.reflect, s.width}),
            (std::vector<int>{1, 2, 0, 3, 1, 1, 2147483647}));
}

TEST_F(SettingsTest, StoreSetsEveryStoredKeyAndKeepsOtherLines) {
  ASSERT_EQ(Load("Width=800\nHeight=600\nSpeed=8\nDifficulty=1\nSound=0\nMusic=0\nReflect=1\nShadow=2\n"
                 "Cartoon=1\nDetailLetter=3\nLangLevel=1\nLang=en\nExtra=kept\n[remark]\n"),
            1);
  g_settings.width = 1024;
  g_settings.height = 768;
  g_settings.speed = 16;
  g_settings.difficulty = 2;
  g_settings.sound = 1;
  g_settings.music = 1;
  g_settings.reflect = 0;
  g_settings.shadow = 1;
  g_settings.cartoon = 0;
  g_settings.detailLetter = 1;
  g_settings.langLevel = 2;
  StoreSettings();
  EXPECT_EQ(ReadFile("config.ini"),
            "Extra=kept\nLang=en\nLangLevel=2\nDetailLetter=1\nCartoon=0\nShadow=1\nReflect=0\nMusic=1\nSound=1\n"
            "Difficulty=2\nSpeed=16\nHeight=768\nWidth=1024\n[remark]\n");
}

TEST(ShippedFontIni, NamesAnExistingFontAndASizeForEachOfTheNineStyles) {
  testsupport::ScopedWorkingDirectory inGame(GameTreeDir());
  for (int style = 0; style < kFontStyleCount; ++style) {
    FontStyleRecord record = {};
    ReadFontStyle("data/font.ini", record, FontStyleSection(style));
    SCOPED_TRACE(FontStyleSection(style));
    EXPECT_TRUE(FileExists(record.face)) << record.face;
    // 8 is what a missing section gives.
    EXPECT_TRUE(record.size > 8 && record.size <= 96) << record.size;
    for (int c = 0; c < 3; ++c) EXPECT_TRUE(record.top[c] >= 0.0f && record.top[c] <= 1.0f);
  }
}

TEST_F(SettingsTest, FontStylesTakeDefaultsAndKeepFieldsWhoseValueDoesNotParse) {
  WriteFile("data/font.ini",
            "[FontMenuBig]\nFont=data/DejaVuSans-Bold.ttf\nSize=28\nColorTop=1,0.5,0.25\nShadowOffset=2,3\n"
            "[Partial]\nShadowOffset=2\nSize=big\nColorBottom=0.5\n");
  FontStyleRecord record = {};
  ReadFontStyle("data/font.ini", record, "FontMenuBig");
  EXPECT_STREQ(record.face, "data/DejaVuSans-Bold.ttf");
  EXPECT_EQ(record.size, 28);
  EXPECT_FLOAT_EQ(record.top[1], 0.5f);
  EXPECT_FLOAT_EQ(record.bottom[0], 1.0f);  // default "1,1,1"
  EXPECT_EQ(record.shadowOffset[0], 2);
  EXPECT_EQ(record.shadowOffset[1], 3);

  ReadFontStyle("data/font.ini", record, "Partial");
  EXPECT_STREQ(record.face, "");  // no Font key: empty face
  EXPECT_EQ(record.size, 28);     // "big" does not parse
  EXPECT_EQ(record.shadowOffset[0], 2);
  EXPECT_EQ(record.shadowOffset[1], 3);  // only x parsed
  EXPECT_FLOAT_EQ(record.bottom[0], 0.5f);
  EXPECT_FLOAT_EQ(record.bottom[1], 1.0f);  // kept from before

  FontStyleRecord missing = {};
  ReadFontStyle("data/font.ini", missing, "NoSuchSection");
  EXPECT_EQ(missing.size, 8);
  EXPECT_FLOAT_EQ(missing.top[2], 1.0f);
}

TEST_F(SettingsTest, LogoColoursKeepTheirStartValuesWhereTheFileDoesNotParse) {
  WriteFile("data/font.ini", "[Logo]\nColor1=1,0,0\nColor2=oops\n");
  ReadLogoColors();
  EXPECT_FLOAT_EQ(g_settings.logoColors[0][0], 1.0f);
  EXPECT_FLOAT_EQ(g_settings.logoColors[0][1], 0.0f);
  EXPECT_FLOAT_EQ(g_settings.logoColors[1][0], 1.0f);  // start value (1, 0, 0.5) kept
  EXPECT_FLOAT_EQ(g_settings.logoColors[1][2], 0.5f);
  EXPECT_FLOAT_EQ(g_settings.logoColors[2][1], 1.0f);  // missing: default "1,1,1"
}

TEST_F(SettingsTest, TheGameDirectoryComesFromGameIniWithBackslashPaths) {
  ReadGameDirectory();
  EXPECT_STREQ(g_settings.gamePath, ".\\");  // no game.ini: the default
  WriteFile("game.ini", "[Path]\nGamePath=saves/\n");
  ReadGameDirectory();
  EXPECT_STREQ(g_settings.gamePath, "saves/");
  WriteFile("game.ini", "[path]\n  gamepath =  ./mine/  \n");
  ReadGameDirectory();
  EXPECT_STREQ(g_settings.gamePath, "./mine/");
  // Without its final separator it still names a directory, not a prefix.
  WriteFile("game.ini", "[Path]\nGamePath=games\n");
  ReadGameDirectory();
  EXPECT_STREQ(g_settings.gamePath, "games\\");
}

TEST(IniProfile, LooksUpSectionsAndKeysAndFallsBackToTheDefault) {
  const std::string text =
      "; remark\n[One]\nKey=first\n[Two]\r\nKey = second \r\nOther=x\n[One]\nLate=y\nbroken line\n";
  std::string value;
  EXPECT_TRUE(FindProfileValue(text, "One", "Key", value));
  EXPECT_EQ(value, "first");
  EXPECT_TRUE(FindProfileValue(text, "two", "KEY", value));
  EXPECT_EQ(value, "second");
  EXPECT_TRUE(FindProfileValue(text, "One", "Late", value));
  EXPECT_FALSE(FindProfileValue(text, "One", "Other", value));
  EXPECT_FALSE(FindProfileValue(text, "Three", "Key", value));

  char result[8];
  EXPECT_EQ(ReadProfileString("One", "Key", "dflt", result, sizeof result, "/no/such/file.ini"), 4u);
  EXPECT_STREQ(result, "dflt");
  EXPECT_EQ(ReadProfileString("One", "Key", "a-much-longer-default", result, sizeof result, "/no/such.ini"), 7u);
  EXPECT_STREQ(result, "a-much-");
}

TEST(FileAccess, MakeDirectoriesCreatesEachDirectoryBeforeASeparator) {
  TempDir dir;
  ScopedWorkingDirectory cwd(dir.Path());
  EXPECT_EQ(MakeDirectoriesAlongPath(".\\save\\"), 1);
  EXPECT_TRUE(FileExists("save"));
  EXPECT_EQ(MakeDirectoriesAlongPath("./a/b/c"), 1);  // the last part is no directory
  EXPECT_TRUE(FileExists("a/b"));
  EXPECT_FALSE(FileExists("a/b/c"));
  EXPECT_EQ(MakeDirectoriesAlongPath("./save/"), 1);  // existing: no error
  EXPECT_EQ(MakeDirectoriesAlongPath("plain"), 0);
  EXPECT_EQ(MakeDirectoriesAlongPath("first/second"), 1);  // no "./" needed
  EXPECT_TRUE(FileExists("first"));
}

