// The puzzle object: its making, what the game hands in, and the level set.
// The rules of a level are in Rules.cpp, the shuffle in Variation.cpp, the
// cube list in Board.cpp and saved games in SavedGame.cpp.
#include "puzzle/Puzzle.h"

#include <cstdio>
#include <utility>

#include "base/FileAccess.h"

Puzzle::Puzzle(PuzzleHost* host) : m_host(host ? host : &m_noHost) { m_level.Attach(m_host, this); }

Puzzle::~Puzzle() { m_level.Clear(); }

void Puzzle::FreeLevelSet() { m_levelSet = ::LevelSet(); }

void Puzzle::UseLevelSet(::LevelSet set) { m_levelSet = std::move(set); }

int Puzzle::LoadLevelSet(const char* path, int selectedBy) {
  ::LevelSet scratch;
  std::string error;
  // Read into a scratch set first: a file that fails leaves the set in play.
  if (!ReadLevelSetFile(path, scratch, error)) {
    std::fprintf(stderr, "Couldn't load level file %s: %s\n", NativePath(path).c_str(), error.c_str());
    return 0;
  }
  scratch.selectedBy = selectedBy;
  if (selectedBy >= 0 && selectedBy < LevelSetChoiceCount())
    scratch.symmetricLetters = m_choices[selectedBy].symmetricLetters;
  m_levelSet = std::move(scratch);
  return 1;
}

int Puzzle::SelectLevelSet(int number) {
  if (number < 0 || number >= LevelSetChoiceCount()) {
    FreeLevelSet();
    std::fprintf(stderr, "No level set %d\n", number);
    return 0;
  }
  return LoadLevelSet(m_choices[number].path.c_str(), number);
}

int Puzzle::FindLevelByCode(const uint8_t code[kCodeLength], int& index) const {
  const int found = m_levelSet.FindCode(code);
  if (found < 0) return 0;
  index = found;
  return 1;
}

int Puzzle::AdoptLevelSetWithCode(::LevelSet& candidate, int selectedBy, const uint8_t code[kCodeLength],
                                  int& index) {
  const int found = candidate.FindCode(code);
  if (found < 0) return 0;
  // The candidate is handed over; what was loaded goes back to the caller.
  std::swap(m_levelSet, candidate);
  m_levelSet.selectedBy = selectedBy;
  m_levelSet.symmetricLetters =
      selectedBy >= 0 && selectedBy < LevelSetChoiceCount() ? m_choices[selectedBy].symmetricLetters : u"";
  index = found;
  return 1;
}
