// The one place where the game turns its path strings into files. Paths are
// written as the game's data names them ("data\gfx\3d\", ".\game.ini",
// "%ssave\\"); NativePath turns every backslash into '/' before the system
// sees them. Everything that opens a file, directly or through a library that
// takes a path (images, fonts, modules), goes through here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

std::string NativePath(const char* path);

// fopen with the path made native.
FILE* OpenGameFile(const char* path, const char* mode);

// Walks the path: the text before the first separator ('/' or '\') is kept as
// is; at each further separator the directory named by everything before it is
// created (failures ignored). Returns 1 when the path holds a separator, else 0.
int MakeDirectoriesAlongPath(const char* path);

bool FileExists(const char* path);

// Whole files read into memory, so that readers parse a checked image and
// never hold a file open while they work.
enum class FileRead { kOk, kMissing, kTooLarge, kFailed };
// Reads at most maxBytes; a longer file is refused as kTooLarge.
FileRead ReadFileBytes(const char* path, size_t maxBytes, std::vector<uint8_t>& bytes);

// The game's one safe writer: a file is never left half-written. The content
// goes to a temporary file beside the target, is flushed to the disk, and
// replaces the target only on Commit, so a reader (or a game killed at any
// moment) sees the old file or the new one, whole.
//
// What the old in-place write gave the player is kept: writing through a
// symbolic link replaces the link's target (the link stays); the target keeps
// its permission bits; when the directory is not writable but the file is,
// the file is written in place (the one case that cannot be atomic).
// Temporary files left by a killed run ("<target>.tmp<pid>") are removed on
// the next write. A writer destroyed without a successful Commit removes its
// temporary file.
//
//   AtomicFileWriter out;
//   if (!out.Open("config.ini", "wt")) return false;
//   fprintf(out.File(), ...);
//   return out.Commit();
class AtomicFileWriter {
 public:
  AtomicFileWriter() = default;
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;
  ~AtomicFileWriter();

  bool Open(const char* path, const char* mode);
  FILE* File() const { return m_file; }
  // Flushes, syncs and closes the temporary file and renames it over the
  // target. Returns false (and leaves the target untouched) on any error.
  bool Commit();
  // True when the last Open had to write the target in place.
  bool InPlace() const { return m_inPlace; }

 private:
  void Abandon();

  FILE* m_file = nullptr;
  std::string m_target;
  std::string m_temporary;
  bool m_inPlace = false;
};
