#include "config/IniProfile.h"

#include <strings.h>

#include <cstring>

#include "base/FileAccess.h"

namespace {

// Profile files are tiny; anything larger than this is not one of ours.
constexpr size_t kMaxProfileBytes = 1 << 20;

std::string Trim(const std::string& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 0x20) --end;
  return text.substr(begin, end - begin);
}

}  // namespace

bool FindProfileValue(const std::string& text, const char* section, const char* key, std::string& value) {
  bool inSection = false;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = Trim(text.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line[0] == '[') {
      size_t close = line.find(']');
      std::string name = Trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
      inSection = strcasecmp(name.c_str(), section) == 0;
      continue;
    }
    if (!inSection) continue;
    size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    if (strcasecmp(Trim(line.substr(0, equals)).c_str(), key) == 0) {
      value = Trim(line.substr(equals + 1));
      return true;
    }
  }
  return false;
}

size_t ReadProfileString(const char* section, const char* key, const char* defaultValue, char* result,
                         size_t resultSize, const char* path) {
  if (!result || resultSize == 0) return 0;
  std::vector<uint8_t> bytes;
  std::string value;
  bool found = ReadFileBytes(path, kMaxProfileBytes, bytes) == FileRead::kOk &&
               FindProfileValue(std::string(bytes.begin(), bytes.end()), section, key, value);
  if (!found)
    value = defaultValue ? defaultValue : "";
  size_t length = value.size() < resultSize - 1 ? value.size() : resultSize - 1;
  std::memcpy(result, value.data(), length);
  result[length] = 0;
  return length;
}
