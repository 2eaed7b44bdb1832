#include "base/FileAccess.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

std::string NativePath(const char* path) {
  std::string native = path ? path : "";
  for (char& c : native)
    if (c == '\\') c = '/';
  return native;
}

FILE* OpenGameFile(const char* path, const char* mode) {
  if (!path) return nullptr;
  return std::fopen(NativePath(path).c_str(), mode);
}

bool FileExists(const char* path) {
  struct stat info;
  return path && stat(NativePath(path).c_str(), &info) == 0;
}

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

int MakeDirectoriesAlongPath(const char* path) {
  if (!path) return 0;
  std::string native = NativePath(path);
  size_t first = native.find('/');
  if (first == std::string::npos) return 0;
  for (size_t at = native.find('/', first + 1); at != std::string::npos; at = native.find('/', at + 1)) {
    std::string directory = native.substr(0, at);
    mkdir(directory.c_str(), 0777);  // an existing directory is no error
  }
  return 1;
}

namespace {

// The file a path finally names: symbolic links followed one by one (a
// relative link counts from its own directory). A dangling link names the
// file it would create. Gives up after 40 links, as the system does.
std::string ResolveLinks(std::string path) {
  for (int hops = 0; hops < 40; ++hops) {
    char target[4096];
    const ssize_t length = readlink(path.c_str(), target, sizeof target - 1);
    if (length < 0) return path;
    target[length] = 0;
    if (target[0] == '/') {
      path = target;
    } else {
      const size_t slash = path.rfind('/');
      path = (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + target;
    }
  }
  return path;
}

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Removes "<name>.tmp<pid>" files beside the target whose writer is gone.
void RemoveStaleTemporaries(const std::string& target) {
  const std::string directory = DirectoryOf(target);
  const size_t slash = target.rfind('/');
  const std::string prefix = (slash == std::string::npos ? target : target.substr(slash + 1)) + ".tmp";
  DIR* listing = opendir(directory.c_str());
  if (!listing) return;
  while (const dirent* entry = readdir(listing)) {
    const std::string name = entry->d_name;
    if (name.compare(0, prefix.size(), prefix) != 0 || name.size() == prefix.size()) continue;
    char* end = nullptr;
    const long pid = std::strtol(name.c_str() + prefix.size(), &end, 10);
    if (*end != 0 || pid <= 0) continue;
    if (kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;  // its writer still runs
    unlink((directory + "/" + name).c_str());
  }
  closedir(listing);
}

}  // namespace

AtomicFileWriter::~AtomicFileWriter() { Abandon(); }

bool AtomicFileWriter::Open(const char* path, const char* mode) {
  Abandon();
  m_inPlace = false;
  if (!path || !mode) return false;
  m_target = ResolveLinks(NativePath(path));
  RemoveStaleTemporaries(m_target);

  struct stat existing;
  const bool exists = stat(m_target.c_str(), &existing) == 0;
  // A new file gets what the creation mask allows, as fopen would give it.
  const mode_t permissions = exists ? (existing.st_mode & 07777) : 0666;

  // The temporary file sits beside the target so that the rename stays on one
  // file system; the process id keeps two running games apart.
  m_temporary = m_target + ".tmp" + std::to_string(static_cast<long>(getpid()));
  const int fd = open(m_temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, permissions);
  if (fd < 0) {
    m_temporary.clear();
    // A directory the player may not write to, holding a file they may:
    // the file can only be written in place.
    if (exists && access(m_target.c_str(), W_OK) == 0) {
      m_file = std::fopen(m_target.c_str(), mode);
      m_inPlace = m_file != nullptr;
      return m_inPlace;
    }
    return false;
  }
  if (exists) fchmod(fd, permissions);  // the creation mask must not narrow them
  m_file = fdopen(fd, mode[0] == 'w' ? mode : "w");
  if (!m_file) {
    close(fd);
    unlink(m_temporary.c_str());
    m_temporary.clear();
    return false;
  }
  return true;
}

bool AtomicFileWriter::Commit() {
  if (!m_file) return false;
  bool ok = std::fflush(m_file) == 0 && !std::ferror(m_file);
  // The data must be on the disk before the name points at it, or a crash
  // right after the rename could leave an empty file under the old name.
  if (ok) ok = fsync(fileno(m_file)) == 0;
  ok = (std::fclose(m_file) == 0) && ok;
  m_file = nullptr;
  if (m_inPlace) return ok;
  if (ok) ok = std::rename(m_temporary.c_str(), m_target.c_str()) == 0;
  if (!ok) {
    std::remove(m_temporary.c_str());
  } else {
    const int directory = open(DirectoryOf(m_target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory >= 0) {
      fsync(directory);  // the rename itself
      close(directory);
    }
  }
  m_temporary.clear();
  return ok;
}

void AtomicFileWriter::Abandon() {
  if (m_file) {
    std::fclose(m_file);
    m_file = nullptr;
  }
  if (!m_temporary.empty()) {
    std::remove(m_temporary.c_str());
    m_temporary.clear();
  }
}
