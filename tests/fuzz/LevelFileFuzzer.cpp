// Fuzzes the level file reader, then plays what it accepts: a file the
// reader takes is written back byte for byte (also through its readable
// source), and every level of it starts, shuffles and takes moves without
// leaving its grids.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/fuzz/PuzzleFuzzSupport.h"
#include "tools/level/LevelSource.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  LevelSet set;
  std::string error;
  if (!DecodeLevelFile(data, size, set, error)) return 0;
  const std::vector<uint8_t> again = EncodeLevelFile(set);
  Check(again.size() == size && std::memcmp(again.data(), data, size) == 0);
  LevelSet parsed;
  Check(ParseLevelSource(WriteLevelSource(set), parsed, error));
  Check(EncodeLevelFile(parsed) == again);

  FuzzClockHost host;
  Puzzle puzzle(&host);
  puzzle.UseLevelSet(set);
  std::srand(static_cast<unsigned>(size));
  for (uint32_t level = 0; level < set.levelCount && level < 3; ++level) {
    puzzle.SetDifficulty(static_cast<int>(level % 3));
    if (puzzle.StartLevel(static_cast<int>(level))) PlaySomeMoves(puzzle, 12, static_cast<int>(size));
  }
  return 0;
}
