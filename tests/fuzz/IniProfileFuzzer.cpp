// Fuzzes the INI profile lookup of data/font.ini and game.ini.
#include <cstddef>
#include <cstdint>
#include <string>

#include "config/IniProfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::string value;
  FindProfileValue(text, "FontMenuBig", "Size", value);
  FindProfileValue(text, "Path", "GamePath", value);
  FindProfileValue(text, "", "", value);
  return 0;
}
