// The level sets the language file names, as the puzzle chooses among them:
// each set's file below "data/level/" and its symmetric letters, in the
// order of the LangLevel numbers.
#pragma once

#include <string>
#include <vector>

#include "puzzle/Puzzle.h"

// The path of level set number set of the language file.
std::string LevelSetPath(int set);
std::vector<LevelSetChoice> LevelSetChoicesOfLanguage();
