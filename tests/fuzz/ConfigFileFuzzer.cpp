// Fuzzes the key/value reader of config.ini and theme.ini, and checks what it
// promises of every entry: no key holds "=", no value ends in a byte of 0x20
// or below, and saving then reading back gives the lines in reverse order,
// each key once with the value the game reads.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "base/ORBConfigFile.h"

namespace {

std::vector<std::string> Lines(const ORBConfigFile& config) {
  std::vector<std::string> lines;
  for (const ORBConfigFile::Key& entry : config.Entries()) {
    const std::string key(entry.key.c_str(), entry.key.Length());
    const std::string value(entry.value.c_str(), entry.value.Length());
    if (key.find('=') != std::string::npos) std::abort();
    if (!value.empty() && static_cast<unsigned char>(value.back()) <= 0x20) std::abort();
    lines.push_back(key + "=" + value);
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ORBConfigFile config;
  config.LoadFromMemory(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> lines = Lines(config);

  const std::string saved = config.Text();
  ORBConfigFile again;
  again.LoadFromMemory(saved.data(), saved.size());
  std::vector<std::string> reread = Lines(again);
  // An entry of empty key and empty value is written as "=" and a line end:
  // two bytes, which a reader ignores. Every other entry comes back.
  // A key written twice comes back once, with the value found first.
  std::vector<std::string> expected;
  std::set<std::string> keys;
  for (const std::string& line : lines)
    if (keys.insert(line.substr(0, line.find('='))).second && line != "=") expected.insert(expected.begin(), line);
  if (reread != expected) std::abort();

  ORBString value;
  config.GetValue("Width", value);
  config.GetValue("", value);
  config.SetValue("Width", "1024");
  return 0;
}
