// Fuzzes the level file reader, then plays what it accepts: a file the
// reader takes is written back byte for byte (also through its readable
// source), and every level of it starts, shuffles and takes moves without
// leaving its grids.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/GameState.h"
#include "puzzle/LevelSet.h"
#include "puzzle/PuzzleHost.h"
#include "puzzle/Rules.h"
#include "puzzle/Scene.h"
#include "tools/level/LevelSource.h"

namespace {

class ClockHost : public PuzzleHost {
 public:
  uint32_t Ticks() override { return m_ticks += 97; }

 private:
  uint32_t m_ticks = 0;
};

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

  static ClockHost host;
  InstallPuzzleHost(&host);
  ResetGameState(g_game);
  g_levelSet = set;
  std::srand(static_cast<unsigned>(size));
  for (uint32_t level = 0; level < set.levelCount && level < 3; ++level) {
    g_game.difficulty = static_cast<int>(level % 3);
    if (!StartLevel(static_cast<int>(level))) continue;
    for (int step = 0; step < 12; ++step) {
      if (step % 4 == 0) SelectNextMovable(step % 8 == 0);
      if (step % 5 == 4)
        Undo();
      else
        MoveSelected((step + static_cast<int>(size)) % 4);
      for (int frame = 0; frame < 20 && g_game.moveState != kMoveStateReady; ++frame) g_level.Update();
    }
  }
  g_level.Clear();
  FreeLevelSet();
  InstallPuzzleHost(nullptr);
  return 0;
}
