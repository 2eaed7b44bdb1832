// glyphox-utf16: turns a UTF-8 text source into the game's UTF-16
// little-endian form with a byte-order mark and CR LF line ends.
//
//   glyphox-utf16 IN.txt OUT.txt
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "base/CUString.h"
#include "base/FileAccess.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: glyphox-utf16 IN OUT\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "glyphox-utf16: cannot read %s\n", argv[1]);
    return 1;
  }
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);

  // Line ends become CR LF whatever the source used.
  std::string lines;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') continue;
    if (text[i] == '\n') lines += '\r';
    lines += text[i];
  }
  CUString units = CUString::FromUtf8(lines);
  for (size_t i = 0; i < units.Length(); ++i) {
    if (units[i] == 0xFFFD) {
      std::fprintf(stderr, "glyphox-utf16: %s is not valid UTF-8\n", argv[1]);
      return 1;
    }
  }

  AtomicFileWriter out;
  if (!out.Open(argv[2], "wb")) {
    std::fprintf(stderr, "glyphox-utf16: cannot write %s\n", argv[2]);
    return 1;
  }
  std::fputc(0xFF, out.File());
  std::fputc(0xFE, out.File());
  for (size_t i = 0; i < units.Length(); ++i) {
    std::fputc(units[i] & 0xFF, out.File());
    std::fputc(units[i] >> 8, out.File());
  }
  if (!out.Commit()) {
    std::fprintf(stderr, "glyphox-utf16: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
