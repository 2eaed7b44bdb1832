// The level sets the game ships, found the way the game finds them: through
// the level sets the language file names, read from the assembled game tree.
#pragma once

#include <string>
#include <vector>

#include "puzzle/Puzzle.h"

namespace leveltest {

struct ShippedSet {
  int index;         // the LangLevel that selects the set
  std::string file;  // level file name in data/level/
  std::string path;  // that file in the game tree
  LevelSet levels;  // selected by index, with its symmetric letters
};

// Loads the language file of the game tree for the interface language code
// (which also installs its symmetric letters) and every level set it names.
// Adds a test failure for anything that cannot be read.
std::vector<ShippedSet> LoadShippedSets(const char* languageCode = "en");

// Installs the set as the puzzle's, as LangLevel would select it.
void UseSet(Puzzle& puzzle, const ShippedSet& set);

std::string WordText(const LevelWord& word);
std::string CodeText(const LevelRecord& level);

}  // namespace leveltest
