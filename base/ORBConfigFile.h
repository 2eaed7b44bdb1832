// ORBConfigFile: a small file of key=value lines held in memory ("config.ini",
// each theme's "theme.ini"). No sections or quoting. Entries are linked at
// the head, so the last line read is found first and Save writes the lines in
// the reverse of the order they were read in.
//
// What the player wrote stays: lines without "=" (comments, headings) are
// kept with the entry that follows them and written just above it (those
// after the last entry stay at the end); a key written twice keeps the value
// the game reads (the later line) and its earlier lines are dropped on
// writing, so that the value does not change from one start to the next.
// Blank lines are dropped.
//
// Calling order: Load, any number of GetValue, then SetValue (or SetOrAdd)
// per stored value and Save.
#pragma once

#include <cstddef>
#include <string>

#include "base/ORBString.h"
#include "base/ORBList.h"

class ORBConfigFile {
 public:
  struct Key {
    ORBString key;
    ORBString value;
    // The lines without "=" that stood just above this one, each with its
    // line end.
    std::string notes;
  };

  // Bytes of the line buffer; a longer line keeps its first 3,999 bytes and the
  // rest of it is skipped.
  static constexpr int kLineBufferSize = 4000;

  // False when the file cannot be read (missing, a directory, not allowed);
  // the entries are then kept and *reason says why.
  bool Load(const char* path, std::string* reason = nullptr);
  // Load, or false after "Configuration File %s not found\n" when there is
  // no such file, "Configuration File %s can't be read: <reason>\n" else.
  bool LoadOrSay(const char* path);
  bool GetValue(const char* key, ORBString& value);
  // Replaces the value of an existing key; a missing key is not added.
  bool SetValue(const char* key, const char* value);
  // Replaces the value, or adds the key (written first) when it is missing.
  void SetOrAdd(const char* key, const char* value);
  // Writes every entry, newest first, as "%s=%s\n" below its notes. The file
  // is replaced atomically: a failed write leaves the old one in place, and
  // *error holds the errno.
  bool Save(const char* path, int* error = nullptr);

  const ORBString& Path() const { return m_path; }
  int EntryCount() const { return m_entries.Count(); }
  // The entries, newest first (the order Save writes them in).
  const ORBList<Key>& Entries() const { return m_entries; }
  // What Save writes.
  std::string Text() const;

  // Parses text already in memory as Load parses a file (for the fuzzer).
  void LoadFromMemory(const char* bytes, size_t size);

 private:
  void ReadLines(const char* bytes, size_t size);
  void AddLine(const char* line);

  ORBList<Key> m_entries;
  // Notes read since the last entry; after the last one, the file's end.
  std::string m_pendingNotes;
  ORBString m_path;
};
