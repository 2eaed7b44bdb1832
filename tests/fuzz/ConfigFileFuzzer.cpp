// Fuzzes the key/value reader of config.ini and theme.ini.
#include <cstddef>
#include <cstdint>

#include "config/ORBConfigFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ORBConfigFile config;
  config.LoadFromMemory(reinterpret_cast<const char*>(data), size);
  ORBString value;
  config.GetValue("Width", value);
  config.GetValue("", value);
  config.SetValue("Width", "1024");
  return 0;
}
