// Fuzzes the saved-game reader, then resumes what it accepts: the image
// encodes again to bytes that read back the same, and the game resumed from
// it checks its words and takes moves without leaving its grids.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "puzzle/LevelSet.h"
#include "puzzle/PlayState.h"
#include "puzzle/SavedGame.h"
#include "tests/fuzz/PuzzleFuzzSupport.h"

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

  static FuzzClockHost host;
  InstallPuzzleHost(&host);
  ResetPlayState();
  // A set loaded by path, with room for the first levels of any saved game.
  g_levelSet = LevelSet();
  g_levelSet.levels.resize(8);
  g_levelSet.levelCount = 8;
  if (LoadGameData(data, size, "fuzz")) {
    ResumeLoadedGame();
    PlaySomeMoves(8, static_cast<int>(size));
  }
  g_level.Clear();
  FreeLevelSet();
  InstallPuzzleHost(nullptr);
  return 0;
}
