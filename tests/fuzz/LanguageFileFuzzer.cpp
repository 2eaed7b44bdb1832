// Fuzzes the UTF-16 text reader and the key/value file of the language files.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "config/CUConfigFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  FILE* stream = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (!stream) return 0;
  CUConfigFile file;
  file.LoadStream(stream, "fuzz");
  CUString value;
  file.GetValue("Game", value);
  file.GetValue("TesselLevelName1", value);
  return 0;
}
