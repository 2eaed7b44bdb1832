// Fuzzes the theme values read from a theme.ini: every key parsed from any
// bytes, values kept or replaced, never a read past the lines.
#include <cstddef>
#include <cstdint>

#include "base/ORBConfigFile.h"
#include "render/Themes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ORBConfigFile file;
  file.LoadFromMemory(reinterpret_cast<const char*>(data), size);
  ThemeValues values;
  ApplyThemeValues(file, values);
  return 0;
}
