// Whole files read into memory through OpenGameFile, so that readers parse a
// checked image and never hold a file open while they work.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

enum class FileRead { kOk, kMissing, kTooLarge, kFailed };

// Reads at most maxBytes; a longer file is refused as kTooLarge.
FileRead ReadFileBytes(const char* path, size_t maxBytes, std::vector<uint8_t>& bytes);
