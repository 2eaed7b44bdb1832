// The checks "glyphox-level check" runs on every level of a set.
#pragma once

#include <string>
#include <vector>

#include "puzzle/LevelSet.h"

// One line per fault, "level N: ..." (N from 1). The set is installed as the
// loaded level set while the checks run.
std::vector<std::string> CheckLevelSet(const LevelSet& set);
