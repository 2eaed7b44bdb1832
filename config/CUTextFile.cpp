#include "config/CUTextFile.h"

#include "base/FileAccess.h"

int CUTextFile::Open(const char* path, int mode) {
  Close();
  if (!path || mode != 0) return 0;
  std::snprintf(m_path, sizeof m_path, "%s", path);
  m_file = OpenGameFile(path, "rb");
  if (!m_file) return 0;
  return CheckByteOrderMark();
}

int CUTextFile::OpenStream(FILE* stream, const char* name) {
  Close();
  std::snprintf(m_path, sizeof m_path, "%s", name ? name : "");
  m_file = stream;
  if (!m_file) return 0;
  return CheckByteOrderMark();
}

int CUTextFile::CheckByteOrderMark() {
  m_firstBytes[0] = m_firstBytes[1] = 0;
  size_t got = std::fread(m_firstBytes, 1, 2, m_file);
  // A file that cannot be read (a directory) is no question of its content:
  // the caller says why. A shorter file keeps zeros and fails the test below.
  if (got < 2 && std::ferror(m_file)) return 0;
  bool marked = m_firstBytes[0] == 0xFE || m_firstBytes[0] == 0xFF || m_firstBytes[1] == 0xFE ||
                m_firstBytes[1] == 0xFF;
  if (!marked) {
    std::fprintf(stderr, "%s : Not a Unicode UTF16 File\n", m_path);
    return 0;
  }
  return 1;
}

int CUTextFile::ReadLine(CUString& line) {
  if (!m_file) return 0;
  char16_t units[kMaxLineUnits];
  int count = 0;
  bool readAny = false;
  unsigned char pair[2];
  while (std::fread(pair, 1, 2, m_file) == 2) {
    readAny = true;
    char16_t unit = static_cast<char16_t>(pair[0] | (pair[1] << 8));
    if (unit == u'\n') break;
    if (count < kMaxLineUnits) units[count++] = unit;
  }
  if (!readAny) return 0;
  int length = 0;
  while (length < count && units[length] >= 0x20) ++length;
  line.Assign(units, static_cast<size_t>(length));
  return 1;
}

void CUTextFile::Close() {
  if (m_file) {
    std::fclose(m_file);
    m_file = nullptr;
  }
}
