// The high-score table of the level set ("score.orb" below the game directory).
#pragma once

// Creates the table and reads the score file. Returns 0 when out of memory.
int CreateScoreTable();
void SaveScoreFile();
void FreeScoreTable();
