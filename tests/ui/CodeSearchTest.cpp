// The code entry's search through the shipped level sets.
#include <gtest/gtest.h>

#include <cctype>

#include "config/Settings.h"
#include "puzzle/Puzzle.h"
#include "tests/levels/ShippedLevels.h"
#include "tests/support/TestFiles.h"
#include "ui/CodeEntry.h"

namespace {

class CodeSearch : public ::testing::Test {
 protected:
  void SetUp() override {
    sets = leveltest::LoadShippedSets("en");
    ASSERT_GE(sets.size(), 3u);
    previousLangLevel = g_settings.langLevel;
  }
  void TearDown() override { g_settings.langLevel = previousLangLevel; }
  // The game's set, as LangLevel selects it.
  void UseSet(const leveltest::ShippedSet& set) {
    leveltest::UseSet(puzzle, set);
    g_settings.langLevel = set.index;
  }
  // Types the code as a player would, in lower case, and searches it.
  CodeSearchResult Search(const std::string& code) {
    CodeEntryModel entry;
    for (char c : code) entry.Event(UiEvent::KeyPress(SDLK_a, std::tolower(static_cast<unsigned char>(c))));
    EXPECT_EQ(entry.Event(UiEvent::KeyRelease(SDLK_RETURN)), CodeEntryAction::kSearch);
    testsupport::ScopedWorkingDirectory cwd(testsupport::GameTreeDir());
    return SearchLevelCode(puzzle, entry.Code());
  }
  Puzzle puzzle;
  std::vector<leveltest::ShippedSet> sets;
  int previousLangLevel = 0;
};

TEST_F(CodeSearch, ACodeOfAnotherSetSwitchesTheSet) {
  UseSet(sets[0]);
  const LevelRecord& wanted = sets[1].levels.levels[17];
  CodeSearchResult found = Search(leveltest::CodeText(wanted));
  ASSERT_TRUE(found.found);
  EXPECT_EQ(found.levelSet, 1);
  EXPECT_EQ(found.levelIndex, 17);
  EXPECT_EQ(g_settings.langLevel, 1);
  EXPECT_EQ(puzzle.LevelSet().selectedBy, 1);
  ASSERT_EQ(puzzle.LevelSet().levelCount, sets[1].levels.levelCount);
  EXPECT_EQ(leveltest::CodeText(puzzle.LevelSet().levels[17]), leveltest::CodeText(wanted));

  // Every level of every set is found where it is, from any set.
  for (const leveltest::ShippedSet& from : sets) {
    for (const leveltest::ShippedSet& set : sets) {
      UseSet(from);
      int level = static_cast<int>(set.levels.levelCount) - 1 - set.index;
      CodeSearchResult result = Search(leveltest::CodeText(set.levels.levels[level]));
      EXPECT_TRUE(result.found && result.levelSet == set.index && result.levelIndex == level)
          << "set " << set.index << " level " << level << " from set " << from.index;
    }
  }
}

TEST_F(CodeSearch, TheLoadedSetIsSearchedFirstAndKeptWhenNoSetHoldsTheCode) {
  // A loaded set that differs from its file shows that it was not read again.
  leveltest::ShippedSet changed = sets[2];
  changed.levels.levels[0].code[0] = 'Q';
  UseSet(changed);
  std::string code = leveltest::CodeText(puzzle.LevelSet().levels[0]);
  CodeSearchResult found = Search(code);
  EXPECT_TRUE(found.found);
  EXPECT_EQ(found.levelSet, 2);
  EXPECT_EQ(found.levelIndex, 0);
  EXPECT_EQ(puzzle.LevelSet().levels[0].code[0], 'Q');

  CodeSearchResult missing = Search("QQQQQ");
  EXPECT_FALSE(missing.found);
  EXPECT_EQ(missing.levelSet, 2);
  EXPECT_EQ(g_settings.langLevel, 2);
  EXPECT_EQ(puzzle.LevelSet().selectedBy, 2);
  EXPECT_EQ(puzzle.LevelSet().levels[0].code[0], 'Q') << "the loaded set was replaced";

  // An empty set loaded by path does not hide the file LangLevel names.
  puzzle.UseLevelSet(LevelSet());
  g_settings.langLevel = 0;
  CodeSearchResult fromFile = Search(leveltest::CodeText(sets[0].levels.levels[5]));
  EXPECT_TRUE(fromFile.found);
  EXPECT_EQ(fromFile.levelSet, 0);
  EXPECT_EQ(fromFile.levelIndex, 5);
  EXPECT_EQ(puzzle.LevelSet().selectedBy, 0);
}

}  // namespace
