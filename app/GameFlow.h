// The game's states and the transitions between them: a new game, a level
// from its code, pause and resume, back to the main menu, the demonstration,
// and what happens when the words of a level are all formed. Modal screens
// run on the one frame runner through RunModal.
#pragma once

#include <functional>

#include "app/FrameRunner.h"
#include "app/Screen.h"

// Runs a modal screen to its end. Tests install a runner of their own.
FrameEnd RunModal(Screen& screen);
void SetModalRunner(std::function<FrameEnd(Screen&)> runner);

// Level 0 of the set with the game music, then the level start screen.
void StartNewGame();
// The level a code named (or -level N), without a change of music. Returns
// false when there is no such level.
bool StartAtLevel(int level);
// A slot the load screen loaded becomes the game being played.
void ResumeLoadedSlot();
void PauseGame();
void ResumeGame();
// Back to the main menu; the high scores first unless the demonstration ran.
void ReturnToMainMenu();
// Starts the demonstration on level (random among the first five when -1).
void StartDemonstration(int level = -1);

// Compares the formed words with the count heard last: a new word sounds
// (5) and sparks, all of them sound (4) and spark too; then the count is
// heard. Returns true when all words stand.
bool HearFormedWords();
// After the frame's input: a newly formed word sounds, all words formed win
// the level (level won, record, next level or game won).
void CheckLevelCompletion();
// The record of the level just won (the name entry when it is one), then the
// next level. Returns true when a level was started.
bool NextLevel();

// The level start screen (the dissolve, "Ready?" and the level's code).
void ShowLevelStart();
