// Fuzzes the UTF-16 text reader and the key/value file of the language files;
// no key holds "=" and no entry spans a line.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "config/CUConfigFile.h"

namespace {

void CheckUnits(const CUString& text, bool isKey) {
  for (size_t i = 0; i < text.Length(); ++i) {
    const char16_t unit = text[i];
    if (unit < 0x20 || (isKey && unit == u'=')) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  FILE* stream = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (!stream) return 0;
  CUConfigFile file;
  file.LoadStream(stream, "fuzz");
  for (const CUConfigFileEntry& entry : file.Entries()) {
    CheckUnits(entry.key, true);
    CheckUnits(entry.value, false);
  }
  CUString value;
  file.GetValue("Game", value);
  file.GetValue("TesselLevelName1", value);
  return 0;
}
