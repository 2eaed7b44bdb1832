#include "engine3d/FileBytes.h"

#include <cstdio>

#include "config/FileAccess.h"

FileRead ReadFileBytes(const char* path, size_t maxBytes, std::vector<uint8_t>& bytes) {
  bytes.clear();
  FILE* file = OpenGameFile(path, "rb");
  if (!file) return FileRead::kMissing;
  FileRead result = FileRead::kOk;
  uint8_t chunk[65536];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
    if (bytes.size() + got > maxBytes) {
      result = FileRead::kTooLarge;
      break;
    }
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  if (result == FileRead::kOk && std::ferror(file)) result = FileRead::kFailed;
  std::fclose(file);
  return result;
}
