// CUConfigFile: the Key=Value lines of a UTF-16 file (the language file) in
// file order. Nothing is trimmed; the first occurrence of a key wins.
#pragma once

#include <cstdio>

#include "base/CUString.h"
#include "base/CList.h"

struct CUConfigFileEntry {
  CUString key;
  CUString value;
};

class CUConfigFile {
 public:
  virtual ~CUConfigFile() = default;

  // Returns 1, or 0 for a null path, a missing file or one without a
  // byte-order mark.
  int Load(const char* path);
  // Loads from an open stream (owned), as Load does from a file.
  int LoadStream(FILE* stream, const char* name);
  // Looks up an ASCII key unit for unit. Returns 0 and leaves value untouched
  // when it is missing.
  int GetValue(const char* key, CUString& value) const;
  void Clear();

  bool Loaded() const { return m_loaded; }
  const char* Path() const { return m_path; }
  int EntryCount() const { return m_entries.Count(); }
  const CList<CUConfigFileEntry>& Entries() const { return m_entries; }

 private:
  template <class OpenFn>
  int LoadWith(const char* path, OpenFn open);

  bool m_loaded = false;
  char m_path[1024] = {0};
  CList<CUConfigFileEntry> m_entries;
};
