#include "base/ORBConfigFile.h"

#include <cstdio>
#include <cstring>
#include <set>
#include <vector>

#include "base/FileAccess.h"

namespace {

// Far beyond any settings file; a larger one is not a settings file.
constexpr size_t kMaxConfigBytes = 4 * 1024 * 1024;

}  // namespace

bool ORBConfigFile::Load(const char* path, std::string* reason) {
  std::vector<uint8_t> bytes;
  if (ReadFileBytes(path, kMaxConfigBytes, bytes, reason) != FileRead::kOk) return false;
  LoadFromMemory(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  m_path = path;
  return true;
}

bool ORBConfigFile::LoadOrSay(const char* path) {
  std::string reason;
  if (Load(path, &reason)) return true;
  if (FileExists(path))
    std::fprintf(stderr, "Configuration File %s can't be read: %s\n", path, reason.c_str());
  else
    std::fprintf(stderr, "Configuration File %s not found\n", path);
  return false;
}

void ORBConfigFile::LoadFromMemory(const char* bytes, size_t size) {
  m_entries.Clear();
  m_pendingNotes.clear();
  ReadLines(bytes, size);
}

void ORBConfigFile::ReadLines(const char* bytes, size_t size) {
  char line[kLineBufferSize];
  size_t at = 0;
  while (at < size) {
    int length = 0;
    bool lineEnded = false;
    while (!lineEnded && at < size) {
      const char c = bytes[at++];
      if (length < kLineBufferSize - 1) line[length++] = c;
      lineEnded = (c == '\r' || c == '\n' || c == 0);
    }
    line[length] = 0;
    AddLine(line);
  }
}

void ORBConfigFile::AddLine(const char* line) {
  size_t length = std::strlen(line);
  if (length <= 2) return;  // the line end counts: "a=" plus its end is ignored
  while (length > 0 && static_cast<unsigned char>(line[length - 1]) <= 0x20) --length;
  if (length == 0) return;
  const char* equals = static_cast<const char*>(std::memchr(line, '=', length));
  if (!equals) {
    // Not a setting, but the player's own words: kept above the next entry.
    m_pendingNotes.append(line, length);
    m_pendingNotes += '\n';
    return;
  }
  size_t keyLength = static_cast<size_t>(equals - line);
  m_entries.Add(Key{ORBString(line, keyLength), ORBString(equals + 1, length - keyLength - 1), m_pendingNotes});
  m_pendingNotes.clear();
}

bool ORBConfigFile::GetValue(const char* key, ORBString& value) {
  for (const Key& entry : m_entries) {
    if (std::strcmp(entry.key.c_str(), key) == 0) {
      value = entry.value;
      return true;
    }
  }
  return false;
}

bool ORBConfigFile::SetValue(const char* key, const char* value) {
  for (Key* entry = m_entries.First(); entry; entry = m_entries.Next()) {
    if (std::strcmp(entry->key.c_str(), key) == 0) {
      entry->value = value;
      return true;
    }
  }
  return false;
}

void ORBConfigFile::SetOrAdd(const char* key, const char* value) {
  if (!SetValue(key, value)) m_entries.Add(Key{ORBString(key), ORBString(value), std::string()});
}

std::string ORBConfigFile::Text() const {
  std::string text;
  // The entry found first is the one the game reads; later ones with the same
  // key are shadowed and only their notes are kept.
  std::set<std::string> written;
  for (const Key& entry : m_entries) {
    text += entry.notes;
    const std::string key(entry.key.c_str(), entry.key.Length());
    if (!written.insert(key).second) continue;
    text += key;
    text += '=';
    text.append(entry.value.c_str(), entry.value.Length());
    text += '\n';
  }
  return text + m_pendingNotes;
}

bool ORBConfigFile::Save(const char* path, int* error) {
  const std::string text = Text();
  const int failure = WriteWholeFile(path, text.data(), text.size(), "wt");
  if (error) *error = failure;
  return failure == 0;
}
