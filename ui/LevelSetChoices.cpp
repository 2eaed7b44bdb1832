#include "ui/LevelSetChoices.h"

#include "config/Language.h"

std::string LevelSetPath(int set) { return "data/level/" + LevelSetSlot(set).file.ToUtf8(); }

std::vector<LevelSetChoice> LevelSetChoicesOfLanguage() {
  std::vector<LevelSetChoice> choices;
  for (int set = 0; set < LevelSetCount(); ++set) choices.push_back(LevelSetChoice{LevelSetPath(set), SymmetricLetters(set)});
  return choices;
}
