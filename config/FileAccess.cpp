#include "config/FileAccess.h"

#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

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

AtomicFileWriter::~AtomicFileWriter() { Abandon(); }

bool AtomicFileWriter::Open(const char* path, const char* mode) {
  Abandon();
  if (!path) return false;
  m_target = NativePath(path);
  // The temporary file sits beside the target so that the rename stays on one
  // file system; the process id keeps two running games apart.
  m_temporary = m_target + ".tmp" + std::to_string(static_cast<long>(getpid()));
  m_file = std::fopen(m_temporary.c_str(), mode);
  if (!m_file) {
    m_temporary.clear();
    return false;
  }
  return true;
}

bool AtomicFileWriter::Commit() {
  if (!m_file) return false;
  bool ok = std::fflush(m_file) == 0 && !std::ferror(m_file);
  if (ok) fsync(fileno(m_file));
  ok = (std::fclose(m_file) == 0) && ok;
  m_file = nullptr;
  if (ok) ok = std::rename(m_temporary.c_str(), m_target.c_str()) == 0;
  if (!ok) std::remove(m_temporary.c_str());
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
