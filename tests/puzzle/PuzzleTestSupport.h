// Shared pieces of the puzzle tests: a host that records what the rules ask
// for and drives the roll clock, levels written in the readable source
// format, and a fixture that leaves the process-wide records as it found them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "puzzle/LevelSet.h"
#include "puzzle/PuzzleGlobals.h"
#include "puzzle/PuzzleHost.h"
#include "puzzle/Rules.h"

namespace puzzletest {

class RecordingHost : public PuzzleHost {
 public:
  uint32_t Ticks() override { return ticks; }
  void PlaySound(int number) override { sounds.push_back(number); }
  void PrepareTopBar(bool full) override { (full ? fullTopBars : lightTopBars) += 1; }
  void CaptureLevelStartScreen() override { ++captures; }
  bool DemonstrationRunning() override { return demonstration; }
  bool ChooseThemeForLevel() override { return themeLoads; }
  void ShowWordList() override { ++wordListsShown; }

  uint32_t ticks = 5000;
  std::vector<int> sounds;
  int fullTopBars = 0;
  int lightTopBars = 0;
  int captures = 0;
  bool demonstration = false;
  bool themeLoads = true;
  int wordListsShown = 0;
};

// The level set of a readable source (fails the test on a source error).
LevelSet LevelsFrom(const std::string& source);
// Installs the source's levels as the loaded level set.
void UseLevels(const std::string& source);
// One level: a board of rows and its words ("CAT 3 1 h" each).
std::string OneLevel(const std::vector<std::string>& rows, const std::vector<std::string>& words,
                     const char* code = "AAAAA");

// Starts level index without variation and shuffle.
void StartPlain(int index = 0);
// Lets the roll under way finish with one long frame.
void FinishRoll(RecordingHost& host);

// The board's rows as cell codes and letters are shown by the tool: '#' for
// walls, '.' floor, '+' move targets, the letter for cubes (capital) and
// static blocks (small).
std::vector<std::string> BoardRows();

class PuzzleTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  RecordingHost host;
};

}  // namespace puzzletest
