// ORBConfigFile: a small file of key=value lines held in memory ("config.ini",
// each theme's "theme.ini"). No sections, comments or quoting; lines without
// "=" are ignored on reading and dropped on writing. Entries are linked at the
// head, so the last line read is found first and Save writes the lines in the
// reverse of the order they were read in.
//
// Calling order: Load, any number of GetValue, then SetValue per stored value
// and Save.
#pragma once

#include <cstdio>
#include <string>

#include "base/ORBString.h"
#include "base/ORBList.h"

class ORBConfigFile {
 public:
  struct Key {
    ORBString key;
    ORBString value;
  };

  // Bytes of the line buffer; a longer line keeps its first 3,999 bytes and the
  // rest of it is skipped.
  static constexpr int kLineBufferSize = 4000;

  // False when the file cannot be opened; the entries are then kept.
  bool Load(const char* path);
  bool GetValue(const char* key, ORBString& value);
  // Replaces the value of an existing key; a missing key is not added.
  bool SetValue(const char* key, const char* value);
  // Writes every entry, newest first, as "%s=%s\n". The file is replaced
  // atomically: a failed write leaves the old one in place.
  bool Save(const char* path);

  const ORBString& Path() const { return m_path; }
  int EntryCount() const { return m_entries.Count(); }
  // The entries, newest first (the order Save writes them in).
  const ORBList<Key>& Entries() const { return m_entries; }
  // What Save writes.
  std::string Text() const;

  // Parses text already in memory as Load parses a file (for the fuzzer).
  void LoadFromMemory(const char* bytes, size_t size);

 private:
  void ReadLines(FILE* file);
  void AddLine(const char* line);

  ORBList<Key> m_entries;
  ORBString m_path;
};
