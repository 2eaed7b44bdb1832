#include "tests/levels/ShippedLevels.h"

#include <gtest/gtest.h>

#include "base/CUString.h"
#include "config/Language.h"
#include "tests/support/TestFiles.h"

namespace leveltest {

std::vector<ShippedSet> LoadShippedSets(const char* languageCode) {
  std::vector<ShippedSet> sets;
  const std::string data = testsupport::GameTreeDir() + "/data/";
  const std::string language = data + "text_" + languageCode + ".txt";
  if (!LoadLanguage(language.c_str())) {
    ADD_FAILURE() << language << " cannot be loaded";
    return sets;
  }
  for (int i = 0; i < LevelSetCount(); ++i) {
    ShippedSet set;
    set.index = i;
    set.file = LevelSetSlot(i).file.ToUtf8();
    set.path = data + "level/" + set.file;
    std::string error;
    if (!ReadLevelSetFile(set.path.c_str(), set.levels, error)) {
      ADD_FAILURE() << set.path << ": " << error;
      continue;
    }
    set.levels.selectedBy = i;
    set.levels.symmetricLetters = SymmetricLetters(i);
    sets.push_back(std::move(set));
  }
  return sets;
}

void UseSet(Puzzle& puzzle, const ShippedSet& set) { puzzle.UseLevelSet(set.levels); }

std::string WordText(const LevelWord& word) {
  int length = 0;
  while (length < kMaxWordLength && word.text[length] != 0) ++length;
  return CUString(word.text, length).ToUtf8();
}

std::string CodeText(const LevelRecord& level) {
  return std::string(reinterpret_cast<const char*>(level.code), kCodeLength);
}

}  // namespace leveltest
