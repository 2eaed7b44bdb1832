// The checks "glyphox-level check" runs on every level of a set.
#pragma once

#include <string>
#include <vector>

#include "puzzle/LevelSet.h"

// One line per fault, "level N: ..." (N from 1). The levels are started, at
// difficulty 0, by a puzzle of their own.
std::vector<std::string> CheckLevelSet(const LevelSet& set);
