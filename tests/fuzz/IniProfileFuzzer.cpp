// Fuzzes the INI profile lookup of data/font.ini and game.ini; a value found
// is trimmed and never spans a line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "config/IniProfile.h"

namespace {

void Check(const std::string& text, const char* section, const char* key) {
  std::string value;
  if (!FindProfileValue(text, section, key, value)) return;
  if (value.find('\n') != std::string::npos) std::abort();
  if (!value.empty() && (static_cast<unsigned char>(value.back()) <= 0x20 || value.front() == ' ' || value.front() == '\t'))
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  Check(text, "FontMenuBig", "Size");
  Check(text, "Path", "GamePath");
  Check(text, "", "");
  return 0;
}
