#include "puzzle/ByteIO.h"

#include <cstdio>

#include "config/FileAccess.h"

ReadResult ReadWholeFile(const char* path, size_t maxBytes, std::vector<uint8_t>& bytes) {
  bytes.clear();
  FILE* file = OpenGameFile(path, "rb");
  if (!file) return ReadResult::kMissing;
  uint8_t chunk[65536];
  size_t got;
  ReadResult result = ReadResult::kOk;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
    if (bytes.size() + got > maxBytes) {
      result = ReadResult::kTooLarge;
      break;
    }
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  if (result == ReadResult::kOk && std::ferror(file)) result = ReadResult::kMissing;
  std::fclose(file);
  return result;
}
