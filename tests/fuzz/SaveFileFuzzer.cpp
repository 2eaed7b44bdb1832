// Fuzzes the saved-game reader, then resumes what it accepts: the image
// encodes again to bytes that read back the same, and the game resumed from
// it checks its words and takes moves without leaving its grids.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "app/GameState.h"
#include "puzzle/LevelSet.h"
#include "puzzle/PuzzleHost.h"
#include "puzzle/Rules.h"
#include "puzzle/SavedGame.h"
#include "puzzle/Scene.h"

namespace {

class ClockHost : public PuzzleHost {
 public:
  uint32_t Ticks() override { return m_ticks += 97; }

 private:
  uint32_t m_ticks = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SavedGame game;
  std::string error;
  if (!DecodeSavedGame(data, size, game, error)) return 0;
  const std::vector<uint8_t> bytes = EncodeSavedGame(game);
  SavedGame again;
  if (!DecodeSavedGame(bytes.data(), bytes.size(), again, error) || EncodeSavedGame(again) != bytes) std::abort();
  // Only the first eight levels exist here; other indices are refused (with
  // a message) before anything changes.
  if (game.levelIndex >= 8) return 0;

  static ClockHost host;
  InstallPuzzleHost(&host);
  ResetGameState(g_game);
  // A set loaded by path, with room for the first levels of any saved game.
  g_levelSet = LevelSet();
  g_levelSet.levels.resize(8);
  g_levelSet.levelCount = 8;
  if (LoadGameData(data, size, "fuzz")) {
    ResumeLoadedGame();
    for (int step = 0; step < 8; ++step) {
      if (step % 3 == 0) SelectNextMovable(true);
      if (step % 4 == 3)
        Undo();
      else
        MoveSelected(step % 4);
      for (int frame = 0; frame < 20 && g_game.moveState != kMoveStateReady; ++frame) g_level.Update();
    }
  }
  g_level.Clear();
  FreeLevelSet();
  InstallPuzzleHost(nullptr);
  return 0;
}
