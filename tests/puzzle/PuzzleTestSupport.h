// Shared pieces of the puzzle tests: a host that records what the rules ask
// for and drives the roll clock, levels written in the readable source
// format, and a fixture holding a puzzle of its own.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "puzzle/Puzzle.h"

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
  void SettingsChanged(int difficulty, int levelSet) override { settings.push_back({difficulty, levelSet}); }

  uint32_t ticks = 5000;
  std::vector<int> sounds;
  int fullTopBars = 0;
  int lightTopBars = 0;
  int captures = 0;
  bool demonstration = false;
  bool themeLoads = true;
  int wordListsShown = 0;
  std::vector<std::pair<int, int>> settings;  // difficulty, level set
};

// The level set of a readable source (fails the test on a source error).
LevelSet LevelsFrom(const std::string& source);
// One level: a board of rows and its words ("CAT 3 1 h" each).
std::string OneLevel(const std::vector<std::string>& rows, const std::vector<std::string>& words,
                     const char* code = "AAAAA");

// The level sets of the game tree, as the language files list them.
std::vector<LevelSetChoice> ShippedChoices();

// Starts level index without variation and shuffle.
void StartPlain(Puzzle& puzzle, int index = 0);
// Lets the roll under way finish with one long frame.
void FinishRoll(Puzzle& puzzle, RecordingHost& host);

// The board's rows as cell codes and letters are shown by the tool: '#' for
// walls, '.' floor, '+' move targets, the letter for cubes (capital) and
// static blocks (small).
std::vector<std::string> BoardRows(const Puzzle& puzzle);

class PuzzleTest : public ::testing::Test {
 protected:
  void SetUp() override;

  // The source's levels become the loaded level set.
  void UseLevels(const std::string& source) { puzzle.UseLevelSet(LevelsFrom(source)); }
  void StartPlain(int index = 0) { puzzletest::StartPlain(puzzle, index); }
  void FinishRoll() { puzzletest::FinishRoll(puzzle, host); }
  std::vector<std::string> BoardRows() const { return puzzletest::BoardRows(puzzle); }
  // Plays the recorded shuffle backwards through the rules, newest step first.
  void PlayShuffleBack() {
    const std::vector<ShuffleStep> steps = puzzle.LastShuffle().steps;
    for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
      puzzle.SelectCube(step->cube);
      ASSERT_EQ(puzzle.MoveSelected(ReplayDirection(step->pick)), 1);
      FinishRoll();
    }
  }

  RecordingHost host;
  Puzzle puzzle{&host};
  // What the tests read most, through the puzzle's const access.
  const Board& board{puzzle.Board()};
  const PlayState& play{puzzle.Play()};
  const Level& level{puzzle.Level()};
};

}  // namespace puzzletest
