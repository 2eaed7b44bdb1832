// Fuzzes the saved-game reader, then resumes what it accepts: the image
// encodes again to bytes that read back the same, and the game resumed from
// it checks its words and takes moves without leaving its grids.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <utility>

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

  FuzzClockHost host;
  Puzzle puzzle(&host);
  // A set loaded by path, with room for the first levels of any saved game.
  LevelSet set;
  set.levels.resize(8);
  set.levelCount = 8;
  puzzle.UseLevelSet(std::move(set));
  if (puzzle.LoadGameData(data, size, "fuzz")) {
    puzzle.ResumeLoadedGame();
    PlaySomeMoves(puzzle, 8, static_cast<int>(size));
  }
  return 0;
}
