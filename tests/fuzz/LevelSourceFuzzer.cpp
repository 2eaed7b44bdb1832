// Fuzzes the readable level source of glyphox-level build: what it accepts
// is a level file the game's reader takes, and its source written back
// compiles to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "puzzle/LevelSet.h"
#include "tools/level/LevelSource.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  LevelSet set;
  std::string error;
  if (!ParseLevelSource(text, set, error)) {
    if (error.empty() || error.find('\n') != std::string::npos) std::abort();
    return 0;
  }
  const std::vector<uint8_t> bytes = EncodeLevelFile(set);
  LevelSet decoded;
  if (!DecodeLevelFile(bytes.data(), bytes.size(), decoded, error)) std::abort();
  LevelSet again;
  if (!ParseLevelSource(WriteLevelSource(set), again, error) || EncodeLevelFile(again) != bytes) std::abort();
  return 0;
}
