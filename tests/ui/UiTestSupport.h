// Shared set-up of the screen logic tests: the shipped English language file
// (labels and level sets) and a game directory of their own.
#pragma once

#include <string>

#include "tests/support/TestFiles.h"

namespace uitest {

// Loads data/text_<code>.txt of the game tree; fails the test when it cannot.
void LoadShippedLanguage(const char* code = "en");

// Points the game directory at a fresh temporary directory (with a save
// directory) for the life of the object, and back afterwards.
class ScopedGameDirectory {
 public:
  ScopedGameDirectory();
  ~ScopedGameDirectory();
  const testsupport::TempDir& Dir() const { return m_dir; }

 private:
  testsupport::TempDir m_dir;
  std::string m_previous;
};

}  // namespace uitest
