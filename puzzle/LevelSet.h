// The level set: the levels of the chosen word language.
#pragma once

// Frees the loaded level set (count 0).
void FreeLevelSet();
// Loads the set chosen by the LangLevel setting from "data/level/". Returns 1,
// or 0 after printing why.
int SelectLevelSet();
