#include "base/ORBConfigFile.h"

#include <cstring>

#include "base/FileAccess.h"

bool ORBConfigFile::Load(const char* path) {
  FILE* file = OpenGameFile(path, "rt");
  if (!file) return false;
  m_entries.Clear();
  ReadLines(file);
  m_path = path;
  std::fclose(file);
  return true;
}

void ORBConfigFile::LoadFromMemory(const char* bytes, size_t size) {
  m_entries.Clear();
  if (size == 0) return;
  FILE* file = fmemopen(const_cast<char*>(bytes), size, "r");
  if (!file) return;
  ReadLines(file);
  std::fclose(file);
}

void ORBConfigFile::ReadLines(FILE* file) {
  char line[kLineBufferSize];
  bool endOfFile = false;
  while (!endOfFile) {
    int length = 0;
    bool lineEnded = false;
    while (!lineEnded) {
      int c = std::fgetc(file);
      if (c == EOF) {
        endOfFile = true;
        break;
      }
      if (length < kLineBufferSize - 1) {
        line[length++] = static_cast<char>(c);
      }
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
  if (!equals) return;
  size_t keyLength = static_cast<size_t>(equals - line);
  m_entries.Add(Key{ORBString(line, keyLength), ORBString(equals + 1, length - keyLength - 1)});
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

std::string ORBConfigFile::Text() const {
  std::string text;
  for (const Key& entry : m_entries) {
    text.append(entry.key.c_str(), entry.key.Length());
    text += '=';
    text.append(entry.value.c_str(), entry.value.Length());
    text += '\n';
  }
  return text;
}

bool ORBConfigFile::Save(const char* path) {
  const std::string text = Text();
  AtomicFileWriter out;
  if (!out.Open(path, "wt")) return false;
  if (std::fwrite(text.data(), 1, text.size(), out.File()) != text.size()) return false;
  return out.Commit();
}
