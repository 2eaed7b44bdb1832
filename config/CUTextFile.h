// CUTextFile: reads UTF-16 little-endian text files line by line (language
// files, credits). One file at a time.
//
//   CUTextFile file;
//   if (file.Open(path, 0)) while (file.ReadLine(line)) { ... }
//   file.Close();
#pragma once

#include <cstdio>

#include "base/CUString.h"

class CUTextFile {
 public:
  static constexpr int kMaxLineUnits = 1023;

  CUTextFile() = default;
  CUTextFile(const CUTextFile&) = delete;
  CUTextFile& operator=(const CUTextFile&) = delete;
  virtual ~CUTextFile() { Close(); }

  // Mode 0 reads. Returns 1 when the file opened and its first two bytes
  // carry a byte-order mark byte (0xFE or 0xFF in either place); otherwise
  // prints "%s : Not a Unicode UTF16 File\n" and returns 0 (a file that
  // cannot be opened returns 0 silently).
  int Open(const char* path, int mode);
  // Reads up to the next line feed (keeping at most 1,023 units; the rest of a
  // longer line is skipped) and cuts the text at its first unit below 0x20.
  // Returns 0 at the end of the file.
  int ReadLine(CUString& line);
  void Close();

  // Reads from a stream already open (the fuzzer); the stream is owned.
  int OpenStream(FILE* stream, const char* name);

 private:
  int CheckByteOrderMark();

  char m_path[1024] = {0};
  unsigned char m_firstBytes[2] = {0, 0};
  FILE* m_file = nullptr;
};
