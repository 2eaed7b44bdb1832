#include "base/FileAccess.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cctype>
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

std::string SystemReason(int error) { return std::strerror(error); }

FileRead ReadFileBytes(const char* path, size_t maxBytes, std::vector<uint8_t>& bytes, std::string* reason) {
  bytes.clear();
  auto failed = [reason](FileRead result, const std::string& why) {
    if (reason) *reason = why;
    return result;
  };
  if (!path) return failed(FileRead::kMissing, SystemReason(ENOENT));
  // Not blocking, so that a named pipe in a file's place cannot hang the game.
  const int fd = open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    const int error = errno;
    return failed(error == ENOENT ? FileRead::kMissing : FileRead::kFailed, SystemReason(error));
  }
  struct stat info;
  FileRead result = FileRead::kOk;
  std::string why;
  if (fstat(fd, &info) != 0) {
    result = FileRead::kFailed, why = SystemReason(errno);
  } else if (S_ISDIR(info.st_mode)) {
    result = FileRead::kFailed, why = SystemReason(EISDIR);
  } else if (!S_ISREG(info.st_mode)) {
    result = FileRead::kFailed, why = "not a regular file";
  }
  uint8_t chunk[65536];
  while (result == FileRead::kOk) {
    const ssize_t got = read(fd, chunk, sizeof chunk);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      result = FileRead::kFailed, why = SystemReason(errno);
    } else if (bytes.size() + static_cast<size_t>(got) > maxBytes) {
      result = FileRead::kTooLarge, why = "larger than " + std::to_string(maxBytes) + " bytes";
    } else {
      bytes.insert(bytes.end(), chunk, chunk + got);
    }
  }
  close(fd);
  if (result != FileRead::kOk) bytes.clear();
  return result == FileRead::kOk ? result : failed(result, why);
}

int MakeDirectoriesAlongPath(const char* path) {
  if (!path) return 0;
  std::string native = NativePath(path);
  if (native.find('/') == std::string::npos) return 0;
  for (size_t at = native.find('/'); at != std::string::npos; at = native.find('/', at + 1)) {
    const std::string directory = native.substr(0, at);
    if (directory.empty() || directory == "." || directory == "..") continue;
    mkdir(directory.c_str(), 0777);  // an existing directory is no error
  }
  return 1;
}

bool DirectoryOfPathExists(const char* path, std::string& reason) {
  const std::string native = NativePath(path);
  const size_t slash = native.rfind('/');
  const std::string directory = slash == std::string::npos ? "." : slash == 0 ? "/" : native.substr(0, slash);
  struct stat info;
  if (stat(directory.c_str(), &info) != 0) {
    reason = SystemReason(errno);
    return false;
  }
  if (!S_ISDIR(info.st_mode)) {
    reason = SystemReason(ENOTDIR);
    return false;
  }
  return true;
}

std::string MoveAside(const char* path, std::string& reason) {
  const std::string native = NativePath(path);
  for (int n = 1; n <= 9; ++n) {
    const std::string aside = native + ".bad" + (n == 1 ? "" : std::to_string(n));
    struct stat info;
    if (lstat(aside.c_str(), &info) == 0) continue;
    if (std::rename(native.c_str(), aside.c_str()) == 0) return aside;
    reason = SystemReason(errno);
    return "";
  }
  reason = "nine files set aside already";
  return "";
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

// "<fileName>.tmp<pid>" (any file's when fileName is empty) whose writer is
// gone.
bool IsStaleTemporary(const std::string& name, const std::string& fileName) {
  const size_t marker = name.rfind(".tmp");
  if (marker == std::string::npos || marker == 0) return false;
  if (!fileName.empty() && (marker != fileName.size() || name.compare(0, marker, fileName) != 0)) return false;
  const std::string digits = name.substr(marker + 4);
  if (digits.empty() || digits.size() > 10 || digits.find_first_not_of("0123456789") != std::string::npos) return false;
  const long pid = std::strtol(digits.c_str(), nullptr, 10);
  return pid > 0 && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

// Removes the stale temporaries in directory: those of one file (its name
// given) or of any.
void RemoveStaleTemporaries(const std::string& directory, const std::string& fileName) {
  DIR* listing = opendir(directory.c_str());
  if (!listing) return;
  while (const dirent* entry = readdir(listing)) {
    const std::string name = entry->d_name;
    if (IsStaleTemporary(name, fileName)) unlink((directory + "/" + name).c_str());
  }
  closedir(listing);
}

}  // namespace

void RemoveStaleTemporaryFiles(const char* directory) {
  const std::string native = NativePath(directory);
  RemoveStaleTemporaries(native.empty() ? "." : native, "");
}

AtomicFileWriter::~AtomicFileWriter() { Abandon(); }

bool AtomicFileWriter::Fail(int error) {
  m_error = error;
  return false;
}

bool AtomicFileWriter::Open(const char* path, const char* mode) {
  Abandon();
  m_inPlace = false;
  m_error = 0;
  if (!path || !mode) return Fail(EINVAL);
  m_text = std::strchr(mode, 'b') == nullptr;
  m_target = ResolveLinks(NativePath(path));
  const size_t slash = m_target.rfind('/');
  RemoveStaleTemporaries(DirectoryOf(m_target), slash == std::string::npos ? m_target : m_target.substr(slash + 1));

  struct stat existing;
  const bool exists = stat(m_target.c_str(), &existing) == 0;
  if (exists && S_ISDIR(existing.st_mode)) return Fail(EISDIR);
  // A new file gets what the creation mask allows, as fopen would give it.
  const mode_t permissions = exists ? (existing.st_mode & 07777) : 0666;

  // The temporary file sits beside the target so that the rename stays on one
  // file system; the process id keeps two running games apart.
  m_temporary = m_target + ".tmp" + std::to_string(static_cast<long>(getpid()));
  const int fd = open(m_temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, permissions);
  if (fd < 0) {
    const int error = errno;
    m_temporary.clear();
    // A directory the player may not write to, holding a file they may:
    // the file can only be written in place, and not before Commit.
    if (exists && S_ISREG(existing.st_mode) && access(m_target.c_str(), W_OK) == 0) {
      m_file = open_memstream(&m_buffer, &m_bufferSize);
      m_inPlace = m_file != nullptr;
      return m_inPlace || Fail(errno);
    }
    return Fail(error);
  }
  if (exists) fchmod(fd, permissions);  // the creation mask must not narrow them
  m_file = fdopen(fd, "w");
  if (!m_file) {
    const int error = errno;
    close(fd);
    unlink(m_temporary.c_str());
    m_temporary.clear();
    return Fail(error);
  }
  return true;
}

bool AtomicFileWriter::Commit() {
  if (!m_file) return Fail(m_error ? m_error : EBADF);
  if (m_inPlace) return CommitInPlace();
  int error = 0;
  if (std::fflush(m_file) != 0 || std::ferror(m_file)) error = errno ? errno : EIO;
  // The data must be on the disk before the name points at it, or a crash
  // right after the rename could leave an empty file under the old name.
  if (!error && fsync(fileno(m_file)) != 0) error = errno;
  if (std::fclose(m_file) != 0 && !error) error = errno;
  m_file = nullptr;
  if (!error && std::rename(m_temporary.c_str(), m_target.c_str()) != 0) error = errno;
  if (error) {
    std::remove(m_temporary.c_str());
  } else {
    const int directory = open(DirectoryOf(m_target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory >= 0) {
      fsync(directory);  // the rename itself
      close(directory);
    }
  }
  m_temporary.clear();
  return error ? Fail(error) : true;
}

bool AtomicFileWriter::CommitInPlace() {
  const bool gathered = std::fclose(m_file) == 0;
  m_file = nullptr;
  std::string bytes(gathered && m_buffer ? m_buffer : "", gathered ? m_bufferSize : 0);
  std::free(m_buffer);
  m_buffer = nullptr;
  if (!gathered) return Fail(ENOMEM);
  const int fd = open(m_target.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return Fail(errno);
  struct stat old;
  const size_t oldSize = fstat(fd, &old) == 0 ? static_cast<size_t>(old.st_size) : 0;
  // Until the file is cut to its new length, a text padded with line ends
  // reads as the new text followed by blank lines.
  const size_t newSize = bytes.size();
  if (m_text && oldSize > newSize) bytes.append(oldSize - newSize, '\n');
  int error = 0;
  size_t done = 0;
  while (!error && done < bytes.size()) {
    const ssize_t wrote = pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (wrote < 0 && errno != EINTR) error = errno;
    if (wrote > 0) done += static_cast<size_t>(wrote);
  }
  if (!error && ftruncate(fd, static_cast<off_t>(newSize)) != 0) error = errno;
  if (!error && fsync(fd) != 0) error = errno;
  if (close(fd) != 0 && !error) error = errno;
  return error ? Fail(error) : true;
}

void AtomicFileWriter::Abandon() {
  if (m_file) {
    std::fclose(m_file);
    m_file = nullptr;
  }
  std::free(m_buffer);
  m_buffer = nullptr;
  if (!m_temporary.empty()) {
    std::remove(m_temporary.c_str());
    m_temporary.clear();
  }
}

int WriteWholeFile(const char* path, const void* bytes, size_t size, const char* mode) {
  AtomicFileWriter out;
  if (!out.Open(path, mode)) return out.Error();
  if (std::fwrite(bytes, 1, size, out.File()) != size) return errno ? errno : EIO;
  return out.Commit() ? 0 : out.Error();
}
