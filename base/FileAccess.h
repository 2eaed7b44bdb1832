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

// Walks the path: at each separator ('/' or '\') the directory named by
// everything before it is created (an existing one is no error; a leading
// "." or "/" is never made). Returns 1 when the path holds a separator, else
// 0. So "save\" makes "save", and "./games/glyphox/" both directories.
int MakeDirectoriesAlongPath(const char* path);
// True when the path up to its last separator names a directory; else false
// with the reason ("Not a directory", ...).
bool DirectoryOfPathExists(const char* path, std::string& reason);

bool FileExists(const char* path);

// The system's words for an errno value ("No space left on device").
std::string SystemReason(int error);

// Whole files read into memory, so that readers parse a checked image and
// never hold a file open while they work.
enum class FileRead { kOk, kMissing, kTooLarge, kFailed };
// Reads at most maxBytes; a longer file is refused as kTooLarge. Only a path
// that names nothing is kMissing: a file that may not be read, a directory, a
// loop of links or anything but a regular file is kFailed, with the reason in
// *reason when it is given.
FileRead ReadFileBytes(const char* path, size_t maxBytes, std::vector<uint8_t>& bytes, std::string* reason = nullptr);

// Moves a file the game could not use out of the way before it writes a new
// one there: "<path>.bad", or "<path>.bad2" .. "<path>.bad9" when that is
// taken. Returns the new name, or "" with the reason.
std::string MoveAside(const char* path, std::string& reason);

// Removes the temporary files ("<name>.tmp<pid>") that writers killed before
// their end left in a directory; those of running processes stay.
void RemoveStaleTemporaryFiles(const char* directory);

// The game's one safe writer: a file is never left half-written. The content
// goes to a temporary file beside the target, is flushed to the disk, and
// replaces the target only on Commit, so a reader (or a game killed at any
// moment) sees the old file or the new one, whole.
//
// What the old in-place write gave the player is kept: writing through a
// symbolic link replaces the link's target (the link stays); the target keeps
// its permission bits; when the directory is not writable but the file is,
// the file is written in place (the one case that cannot be atomic): the new
// bytes are gathered in memory and written over the old ones in one call
// only at Commit, so the file is never cut short before they are ready; a
// shorter text is padded with line ends before the file is cut to its
// length. Temporary files left by a killed run ("<target>.tmp<pid>") are
// removed on the next write. A writer destroyed without a successful Commit
// removes its temporary file.
//
//   AtomicFileWriter out;
//   if (!out.Open("config.ini", "wt")) return false;   // out.Error() says why
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
  // The errno of the last failed Open or Commit (0 when none failed).
  int Error() const { return m_error; }

 private:
  void Abandon();
  bool Fail(int error);
  bool CommitInPlace();

  FILE* m_file = nullptr;
  std::string m_target;
  std::string m_temporary;
  bool m_inPlace = false;
  bool m_text = false;
  // In place: what is written gathers here until Commit.
  char* m_buffer = nullptr;
  size_t m_bufferSize = 0;
  int m_error = 0;
};

// The whole of bytes written through the safe writer. Returns 0 when it
// worked, else the errno of what failed.
int WriteWholeFile(const char* path, const void* bytes, size_t size, const char* mode = "wb");
