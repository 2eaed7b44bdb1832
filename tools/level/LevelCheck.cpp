#include "tools/level/LevelCheck.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "base/CUString.h"
#include "puzzle/Puzzle.h"

namespace {

std::string Fault(int level, const char* format, ...) __attribute__((format(printf, 2, 3)));

std::string Fault(int level, const char* format, ...) {
  char text[300];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  return "level " + std::to_string(level + 1) + ": " + text;
}

int TextLength(const LevelWord& word) {
  int length = 0;
  while (length < kMaxWordLength && word.text[length] != 0) ++length;
  return length;
}

std::string WordName(const LevelWord& word) { return CUString(word.text, TextLength(word)).ToUtf8(); }

void CheckRecord(const LevelSet& set, int i, std::vector<std::string>& faults) {
  const LevelRecord& level = set.levels[i];
  for (uint8_t byte : level.code) {
    if (byte < 'A' || byte > 'Z') {
      faults.push_back(Fault(i, "the code holds a character the code screen cannot type (letters A to Z only)"));
      break;
    }
  }
  for (int j = 0; j < i; ++j) {
    if (std::memcmp(set.levels[j].code, level.code, kCodeLength) == 0) {
      faults.push_back(Fault(i, "the code %.5s is also the code of level %d", reinterpret_cast<const char*>(level.code),
                             j + 1));
      break;
    }
  }
  if (level.wordCount == 0) faults.push_back(Fault(i, "the level has no words, so it can never be won"));
  for (uint32_t w = 0; w < level.wordCount; ++w) {
    const LevelWord& word = level.words[w];
    const int length = TextLength(word);
    const std::string name = WordName(word);
    if (length == 0) {
      faults.push_back(Fault(i, "word %u is empty", w + 1));
      continue;
    }
    if (word.length != length)
      faults.push_back(Fault(i, "word %u (%s) stores length %d for %d letters", w + 1, name.c_str(), word.length, length));
  }
}

std::string VariantName(int variant) {
  std::string name;
  if (variant & kVaryRotate) name += "turned";
  if (variant & kVaryFlip) name += name.empty() ? "flipped" : ", flipped";
  if (variant & kVaryMirror) name += name.empty() ? "mirrored" : ", mirrored";
  return name;
}

// The stored arrangement is the solved one: started without shuffle, under
// each of the eight variations the game may choose, the level's own word
// check must find every word.
void CheckArrangement(Puzzle& puzzle, int i, std::vector<std::string>& faults) {
  for (int variant = 0; variant < kVariationCount; ++variant) {
    LevelStartOptions unshuffled;
    unshuffled.variant = variant;
    unshuffled.mix = false;
    if (!puzzle.StartLevel(i, unshuffled)) {
      faults.push_back(Fault(i, "the level cannot be started"));
      return;
    }
    bool spelled = true;
    const Board& board = puzzle.Board();
    for (uint32_t w = 0; w < board.wordCount; ++w) {
      if (board.found[w]) continue;
      spelled = false;
      const LevelWord& word = board.words[w];
      std::string where = variant ? " (" + VariantName(variant) + ")" : "";
      int x = 0, y = 0;
      if (puzzle.FindAnchor(word.text[0], x, y))
        where += ", read from (" + std::to_string(x) + ", " + std::to_string(y) + ")";
      faults.push_back(Fault(i, "word %u (%s) is not spelled by the stored arrangement%s", w + 1,
                             WordName(word).c_str(), where.c_str()));
    }
    if (variant == 0) {
      bool movable = false;
      for (int c = 0; c < puzzle.CubeCount() && !movable; ++c)
        movable = puzzle.CanMove(puzzle.CubeRecord(c).x, puzzle.CubeRecord(c).y);
      if (!movable) faults.push_back(Fault(i, "no cube can move, so the level cannot be shuffled"));
    }
    // One variation that fails is enough to show the fault.
    if (!spelled) return;
  }
}

}  // namespace

std::vector<std::string> CheckLevelSet(const LevelSet& set) {
  std::vector<std::string> faults;
  Puzzle puzzle;
  puzzle.UseLevelSet(set);
  for (int i = 0; i < static_cast<int>(set.levels.size()); ++i) {
    CheckRecord(set, i, faults);
    CheckArrangement(puzzle, i, faults);
  }
  return faults;
}
