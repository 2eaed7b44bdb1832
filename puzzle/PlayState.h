// The running state of the level being played: which level, at what
// difficulty, the selected cube, the roll under way and the counters. The
// rules are its only writers; the shell, the renderer and the screens read it
// through Play() (see PuzzleView.h); inside the puzzle it is g_play
// (PuzzleGlobals.h).
#pragma once

// Cube motion state: ready, or 16 + direction while a roll runs.
constexpr int kMoveStateReady = 20;

struct PlayState {
  int levelIndex = 0;
  int difficulty = 0;  // of the current game; copied from the setting at start-up
  int selectedCube = 0;
  int moveState = kMoveStateReady;
  int moveCount = 0;
  int lastWordsFormed = 0;
};


// Start values of every field.
void ResetPlayState();
// The difficulty of the games to come (start-up copies the setting).
void SetGameDifficulty(int difficulty);
