#include "puzzle/LevelSet.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "base/FileAccess.h"
#include "puzzle/ByteIO.h"

namespace {

// Largest level block: 8 + 5 words + three layers of 30 x 30.
constexpr size_t kMaxLevelBlockBytes = kLevelHeaderBytes + kMaxWords * kWordEntryBytes + 3 * kLayerSquares;
constexpr size_t kMinLevelBlockBytes = kLevelHeaderBytes + 3;
constexpr size_t kMaxLevelFileBytes = 4 + static_cast<size_t>(kMaxLevels) * kMaxLevelBlockBytes;
// A generous line per level.
constexpr size_t kMaxRecordOrderBytes = 4096 + static_cast<size_t>(kMaxLevels) * 64;

void ScrambleCode(uint8_t code[kCodeLength], const uint8_t walls[kLayerSquares]) {
  for (int i = 0; i < kCodeLength; ++i) code[i] = static_cast<uint8_t>(code[i] ^ walls[i] ^ kCodeScramble);
}

bool ValidCellCode(int code) { return IsWallCode(code) || code == CUBE || code == FLOOR; }

std::string LevelError(uint32_t level, const char* format, long a = 0, long b = 0) {
  char text[160];
  std::snprintf(text, sizeof text, format, a, b);
  char line[200];
  std::snprintf(line, sizeof line, "level %u: %s", level + 1, text);
  return line;
}

bool DecodeLevel(ByteReader& in, uint32_t index, LevelRecord& level, std::string& error) {
  if (in.Remaining() < kLevelHeaderBytes) {
    error = LevelError(index, "the file ends inside the level header");
    return false;
  }
  in.Bytes(level.code, kCodeLength);
  level.width = in.U8();
  level.height = in.U8();
  level.wordCount = in.U8();
  if (level.width < 1 || level.width > kMaxBoardSide) {
    error = LevelError(index, "width %ld is not within 1..30", level.width);
    return false;
  }
  if (level.height < 1 || level.height > kMaxBoardSide) {
    error = LevelError(index, "height %ld is not within 1..30", level.height);
    return false;
  }
  if (level.wordCount > kMaxWords) {
    error = LevelError(index, "%ld words (at most 5)", level.wordCount);
    return false;
  }
  const size_t squares = static_cast<size_t>(level.width) * level.height;
  if (in.Remaining() < level.wordCount * kWordEntryBytes + 3 * squares) {
    error = LevelError(index, "the file ends inside the level");
    return false;
  }
  for (uint32_t w = 0; w < level.wordCount; ++w) {
    LevelWord& word = level.words[w];
    for (int i = 0; i < kMaxWordLength; ++i) word.text[i] = static_cast<char16_t>(in.U16());
    word.x = in.U8();
    word.y = in.U8();
    word.length = in.U8();
    word.direction = in.U8();
    if (word.length > kMaxWordLength) {
      error = LevelError(index, "word %ld is %ld letters long (at most 31)", w + 1, word.length);
      return false;
    }
    if (word.direction != kWordHorizontal && word.direction != kWordVertical) {
      error = LevelError(index, "word %ld has direction %ld (1 or 0)", w + 1, word.direction);
      return false;
    }
  }
  for (uint32_t y = 0; y < level.height; ++y) in.Bytes(&level.walls[y * kLayerStride], level.width);
  for (uint32_t y = 0; y < level.height; ++y)
    for (uint32_t x = 0; x < level.width; ++x) level.letters[y * kLayerStride + x] = in.U16();

  int letterSquares = 0;
  for (uint32_t y = 0; y < level.height; ++y) {
    for (uint32_t x = 0; x < level.width; ++x) {
      int code = level.walls[y * kLayerStride + x];
      char16_t letter = level.letters[y * kLayerStride + x];
      if (!ValidCellCode(code)) {
        error = LevelError(index, "square (%ld, %ld) has an unknown cell code", x, y);
        return false;
      }
      if (letter != 0) ++letterSquares;
      if ((code == CUBE && letter == 0) || (code == FLOOR && letter != 0)) {
        error = LevelError(index, code == CUBE ? "cube square (%ld, %ld) has no letter"
                                               : "floor square (%ld, %ld) has a letter",
                           x, y);
        return false;
      }
    }
  }
  if (letterSquares > kMaxCubes) {
    error = LevelError(index, "%ld letter squares (at most 150)", letterSquares);
    return false;
  }
  // A turn, flip or mirror writes a word's letters again onto its squares; on
  // a floor square that would leave a letter where a cube can roll.
  for (uint32_t w = 0; w < level.wordCount; ++w) {
    const LevelWord& word = level.words[w];
    int textLength = 0;
    while (textLength < kMaxWordLength && word.text[textLength] != 0) ++textLength;
    const int squares = std::max(textLength, static_cast<int>(word.length));
    for (int i = 0; i < squares; ++i) {
      const uint32_t x = word.x + (word.direction == kWordHorizontal ? i : 0);
      const uint32_t y = word.y + (word.direction == kWordVertical ? i : 0);
      if (x >= level.width || y >= level.height || level.letters[y * kLayerStride + x] == 0) {
        error = LevelError(index, "word %ld has square %ld off the letter squares", w + 1, i + 1);
        return false;
      }
    }
  }
  ScrambleCode(level.code, level.walls);
  return true;
}

}  // namespace

bool BuildAlphabet(LevelSet& set) {
  set.alphabetCount = 0;
  for (const LevelRecord& level : set.levels) {
    for (uint32_t w = 0; w < level.wordCount && w < kMaxWords; ++w) {
      const LevelWord& word = level.words[w];
      for (int i = 0; i < word.length && i < kMaxWordLength; ++i) {
        char16_t letter = word.text[i];
        // A stored length beyond the text would bring in the zero fill.
        if (letter == 0) continue;
        if (std::find(set.alphabet, set.alphabet + set.alphabetCount, letter) != set.alphabet + set.alphabetCount)
          continue;
        if (set.alphabetCount == kMaxAlphabet) return false;
        set.alphabet[set.alphabetCount++] = letter;
      }
    }
  }
  std::sort(set.alphabet, set.alphabet + set.alphabetCount);
  return true;
}

bool DecodeLevelFile(const uint8_t* bytes, size_t size, LevelSet& set, std::string& error) {
  set = LevelSet();
  ByteReader in(bytes, size);
  if (size < 4) {
    error = "the file is too short for its level count";
    return false;
  }
  uint32_t count = in.U32();
  if (count > kMaxLevels || count > in.Remaining() / kMinLevelBlockBytes) {
    char text[120];
    std::snprintf(text, sizeof text, "a level count of %u, more than the file can hold", count);
    error = text;
    return false;
  }
  try {
    set.levels.resize(count);  // value-initialised: the layers start zeroed
  } catch (const std::bad_alloc&) {
    error = "out of memory";
    return false;
  }
  for (uint32_t i = 0; i < count; ++i)
    if (!DecodeLevel(in, i, set.levels[i], error)) return false;
  if (in.Remaining() != 0) {
    char text[120];
    std::snprintf(text, sizeof text, "%zu bytes follow the last level", in.Remaining());
    error = text;
    return false;
  }
  set.levelCount = count;
  if (!BuildAlphabet(set)) {
    error = "the words use more than 1024 different letters";
    return false;
  }
  return true;
}

std::vector<uint8_t> EncodeLevelFile(const LevelSet& set) {
  ByteWriter out;
  out.U32(set.levelCount);
  for (uint32_t i = 0; i < set.levelCount && i < set.levels.size(); ++i) {
    const LevelRecord& level = set.levels[i];
    uint8_t code[kCodeLength];
    std::memcpy(code, level.code, kCodeLength);
    ScrambleCode(code, level.walls);
    out.Bytes(code, kCodeLength);
    out.U8(static_cast<uint8_t>(level.width));
    out.U8(static_cast<uint8_t>(level.height));
    out.U8(static_cast<uint8_t>(level.wordCount));
    uint32_t width = std::min<uint32_t>(level.width & 0xFF, kMaxBoardSide);
    uint32_t height = std::min<uint32_t>(level.height & 0xFF, kMaxBoardSide);
    for (uint32_t w = 0; w < (level.wordCount & 0xFF) && w < kMaxWords; ++w) {
      const LevelWord& word = level.words[w];
      for (int u = 0; u < kMaxWordLength; ++u) out.U16(word.text[u]);
      out.U8(static_cast<uint8_t>(word.x));
      out.U8(static_cast<uint8_t>(word.y));
      out.U8(static_cast<uint8_t>(word.length));
      out.U8(static_cast<uint8_t>(word.direction));
    }
    for (uint32_t y = 0; y < height; ++y) out.Bytes(&level.walls[y * kLayerStride], width);
    for (uint32_t y = 0; y < height; ++y)
      for (uint32_t x = 0; x < width; ++x) out.U16(level.letters[y * kLayerStride + x]);
  }
  return out.Take();
}

bool ReadLevelSetFile(const char* path, LevelSet& set, std::string& error) {
  std::vector<uint8_t> bytes;
  switch (ReadFileBytes(path, kMaxLevelFileBytes, bytes, &error)) {
    case FileRead::kMissing:
    case FileRead::kFailed:
      return false;
    case FileRead::kTooLarge:
      error = "the file is larger than any level set";
      return false;
    case FileRead::kOk:
      break;
  }
  set.records.clear();
  if (!DecodeLevelFile(bytes.data(), bytes.size(), set, error)) return false;
  const std::string orderPath = RecordOrderPath(path);
  std::vector<uint8_t> order;
  switch (ReadFileBytes(orderPath.c_str(), kMaxRecordOrderBytes, order, &error)) {
    case FileRead::kMissing:
      return true;
    case FileRead::kTooLarge:
      error = "the file is larger than any record order";
      break;
    case FileRead::kFailed:
      break;
    case FileRead::kOk:
      if (DecodeRecordOrder(reinterpret_cast<const char*>(order.data()), order.size(), set.levelCount,
                            set.records, error))
        return true;
  }
  // Levels read without their record order would put records on other boards.
  error = NativePath(orderPath.c_str()) + ": " + error;
  return false;
}

const char* const kRecordOrderExtension = ".records";

std::string RecordOrderPath(const std::string& levelPath) {
  const size_t slash = levelPath.find_last_of("/\\");
  const size_t dot = levelPath.rfind('.');
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return levelPath.substr(0, hasExtension ? dot : levelPath.size()) + kRecordOrderExtension;
}

bool DecodeRecordOrder(const char* text, size_t size, uint32_t levelCount, std::vector<int>& records,
                       std::string& error) {
  records.clear();
  std::vector<bool> taken(levelCount, false);
  size_t at = 0;
  for (int line = 1; at < size; ++line) {
    size_t end = at;
    while (end < size && text[end] != '\n') ++end;
    std::string content(text + at, end - at);
    at = end + 1;
    content = content.substr(0, content.find(';'));
    const size_t first = content.find_first_not_of(" \t\r");
    if (first == std::string::npos) continue;
    const size_t last = content.find_last_not_of(" \t\r");
    const std::string number = content.substr(first, last - first + 1);
    char reason[96];
    long value = 0;
    bool digits = number.size() <= 9;
    for (char c : number) digits = digits && c >= '0' && c <= '9';
    if (digits) value = std::strtol(number.c_str(), nullptr, 10);
    if (!digits || value < 1 || value > static_cast<long>(levelCount))
      std::snprintf(reason, sizeof reason, "line %d: not a level number within 1..%u", line, levelCount);
    else if (records.size() == levelCount)
      std::snprintf(reason, sizeof reason, "line %d: more numbers than the %u levels", line, levelCount);
    else if (taken[value - 1])
      std::snprintf(reason, sizeof reason, "line %d: record %ld is given twice", line, value);
    else {
      taken[value - 1] = true;
      records.push_back(static_cast<int>(value - 1));
      continue;
    }
    error = reason;
    records.clear();
    return false;
  }
  if (records.size() != levelCount) {
    error = std::to_string(records.size()) + " numbers for " + std::to_string(levelCount) + " levels";
    records.clear();
    return false;
  }
  return true;
}

std::string EncodeRecordOrder(const std::vector<int>& records) {
  std::string text =
      "; The high-score record and saved-game number of each level, in play order:\n"
      "; its place when the set was first published.\n";
  for (int record : records) text += std::to_string(record + 1) + "\n";
  return text;
}

int SaveLevelSet(const LevelSet& set, const char* path) {
  std::vector<uint8_t> bytes = EncodeLevelFile(set);
  const std::string orderPath = RecordOrderPath(path);
  const std::string order = EncodeRecordOrder(set.records);
  if (WriteWholeFile(path, bytes.data(), bytes.size()) != 0) {
    std::fprintf(stderr, "Couldn't save level file %s\n", path);
    return 0;
  }
  // A stale record order would put the new levels' records on other boards.
  if (set.records.empty() ? std::remove(orderPath.c_str()) != 0 && errno != ENOENT
                          : WriteWholeFile(orderPath.c_str(), order.data(), order.size()) != 0) {
    std::fprintf(stderr, "Couldn't save record order %s\n", orderPath.c_str());
    return 0;
  }
  return 1;
}

int LevelSet::AlphabetIndex(char16_t letter) const {
  for (int i = 0; i < alphabetCount; ++i)
    if (alphabet[i] == letter) return i;
  return -1;
}

bool LevelSet::IsSymmetric(char16_t letter) const { return symmetricLetters.find(letter) != std::u16string::npos; }

int LevelSet::RecordOf(int level) const {
  return level >= 0 && level < static_cast<int>(records.size()) ? records[level] : level;
}

int LevelSet::LevelOfRecord(int record) const {
  if (records.empty()) return record >= 0 && record < static_cast<int>(levelCount) ? record : -1;
  const auto found = std::find(records.begin(), records.end(), record);
  return found == records.end() ? -1 : static_cast<int>(found - records.begin());
}

int LevelSet::FindCode(const uint8_t code[kCodeLength]) const {
  for (uint32_t i = 0; i < levels.size(); ++i)
    if (std::memcmp(levels[i].code, code, kCodeLength) == 0) return static_cast<int>(i);
  return -1;
}
