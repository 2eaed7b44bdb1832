// The running state of the level being played: which level, at what
// difficulty, the selected cube, the roll under way and the counters. The
// rules (Puzzle's members) are its only writers; the shell, the renderer and
// the screens read it through Puzzle::Play().
#pragma once

// Cube motion state: ready, or 16 + direction while a roll runs.
constexpr int kMoveStateReady = 20;

struct PlayState {
  int levelIndex = 0;
  int difficulty = 0;  // of the current game; handed in from the setting
  int selectedCube = 0;
  int moveState = kMoveStateReady;
  int moveCount = 0;
  int lastWordsFormed = 0;
};
