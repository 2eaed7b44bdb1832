#include "config/CUConfigFile.h"

#include "config/CUTextFile.h"

template <class OpenFn>
int CUConfigFile::LoadWith(const char* path, OpenFn open) {
  if (!path) return 0;
  Clear();
  std::snprintf(m_path, sizeof m_path, "%s", path);
  CUTextFile file;
  if (!open(file)) return 0;
  CUString line;
  while (file.ReadLine(line)) {
    if (line.Empty()) continue;
    const char16_t* units = line.Data();
    size_t equals = 0;
    while (equals < line.Length() && units[equals] != u'=') ++equals;
    if (equals == line.Length())
      m_entries.Append(CUConfigFileEntry{});  // no "=": an entry that lookups skip
    else
      m_entries.Append(CUConfigFileEntry{CUString(units, equals),
                                         CUString(units + equals + 1, line.Length() - equals - 1)});
  }
  m_loaded = true;
  file.Close();
  return 1;
}

int CUConfigFile::Load(const char* path) {
  return LoadWith(path, [path](CUTextFile& file) { return file.Open(path, 0); });
}

int CUConfigFile::LoadStream(FILE* stream, const char* name) {
  return LoadWith(name, [stream, name](CUTextFile& file) { return file.OpenStream(stream, name); });
}

int CUConfigFile::GetValue(const char* key, CUString& value) const {
  if (!key || !*key) return 0;
  for (const CUConfigFileEntry& entry : m_entries) {
    const CUString& candidate = entry.key;
    if (candidate.Empty()) continue;
    size_t i = 0;
    while (i < candidate.Length() && key[i] && candidate[i] == static_cast<unsigned char>(key[i])) ++i;
    if (i == candidate.Length() && key[i] == 0) {
      value = entry.value;
      return 1;
    }
  }
  return 0;
}

void CUConfigFile::Clear() {
  m_entries.Clear();
  m_loaded = false;
}
