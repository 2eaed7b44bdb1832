// Fuzzes the level file reader, then plays what it accepts: a file the
// reader takes is written back byte for byte (also through its readable
// source), and every level of it starts, shuffles and takes moves without
// leaving its grids.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "puzzle/LevelSet.h"
#include "puzzle/PlayState.h"
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

  static FuzzClockHost host;
  InstallPuzzleHost(&host);
  ResetPlayState();
  g_levelSet = set;
  std::srand(static_cast<unsigned>(size));
  for (uint32_t level = 0; level < set.levelCount && level < 3; ++level) {
    g_play.difficulty = static_cast<int>(level % 3);
    if (StartLevel(static_cast<int>(level))) PlaySomeMoves(12, static_cast<int>(size));
  }
  g_level.Clear();
  FreeLevelSet();
  InstallPuzzleHost(nullptr);
  return 0;
}
