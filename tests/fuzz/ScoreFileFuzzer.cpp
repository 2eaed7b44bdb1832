// Fuzzes the score file reader: whatever it keeps holds only readable names
// and possible move counts; an accepted image writes back byte for byte, a
// refused one says why. The same bytes typed into the name entry never
// make a name the reader would refuse.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ui/NameEntry.h"
#include "ui/Scores.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ScoreTable table;
  ResetScoreTable(table);
  std::string error;
  const bool whole = DecodeScoreFile(data, size, table, error);
  for (const ScoreEntry& entry : table.entries)
    if (!IsScoreNameReadable(entry.name) || entry.moves < 0 || entry.moves > kDefaultScoreMoves) std::abort();
  if (whole) {
    const std::vector<uint8_t> bytes = EncodeScoreFile(table);
    if (bytes.size() != size || std::memcmp(bytes.data(), data, size) != 0) std::abort();
  } else if (error.empty()) {
    std::abort();
  }

  // Two bytes a key: the first a key code, the second the character it types.
  NameEntryModel entry("");
  for (size_t i = 0; i + 1 < size; i += 2) {
    entry.Event(UiEvent::KeyPress(data[i] == 0 ? SDLK_BACKSPACE : data[i], data[i + 1]), 480);
    entry.EndFrame();
  }
  char name[kScoreNameBytes] = {0};
  if (entry.Name().size() > static_cast<size_t>(kScoreNameMax)) std::abort();
  std::memcpy(name, entry.Name().data(), entry.Name().size());
  if (!IsScoreNameReadable(name)) std::abort();
  return 0;
}
