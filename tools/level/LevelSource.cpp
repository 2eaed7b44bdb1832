#include "tools/level/LevelSource.h"

#include <cstdio>
#include <cstring>
#include <sstream>
#include <vector>

#include "base/CUString.h"

namespace {

constexpr char16_t kReplacement = 0xFFFD;
// What std::istream's >> skips between tokens in the C locale.
constexpr const char* kBlanks = " \t\r\n\v\f";

// What a board character stands for.
constexpr char16_t kWallChar = u'#';
constexpr char16_t kFloorChar = u'.';
constexpr char16_t kCellLineChar = u'?';

bool IsCapital(char16_t unit) { return LowerCaseOf(unit) != unit; }
bool IsSmall(char16_t unit) { return UpperCaseOf(unit) != unit; }

std::string Utf8Of(const std::u16string& units) { return CUString(units.data(), units.size()).ToUtf8(); }

std::u16string Utf16Of(const std::string& utf8) {
  CUString text = CUString::FromUtf8(utf8);
  return std::u16string(text.Data(), text.Length());
}

std::string Hex(unsigned value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*X", digits, value);
  return text;
}

bool ParseHex(const std::string& text, unsigned maximum, unsigned& value) {
  if (text.empty() || text.size() > 8) return false;
  value = 0;
  for (char c : text) {
    int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (digit < 0) return false;
    value = value * 16 + static_cast<unsigned>(digit);
  }
  return value <= maximum;
}

bool ParseNumber(const std::string& text, int maximum, int& value) {
  if (text.empty() || text.size() > 6) return false;
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return value <= maximum;
}

std::vector<std::string> Tokens(const std::string& line) {
  std::vector<std::string> tokens;
  std::istringstream in(line);
  std::string token;
  while (in >> token) tokens.push_back(token);
  return tokens;
}

// A word unit a "word" line can carry and give back unchanged.
bool PlainWordUnit(char16_t unit) {
  return unit > 0x20 && unit != 0x7F && unit != u';' && unit != kReplacement && (unit < 0xD800 || unit > 0xDFFF);
}

bool PlainCodeByte(uint8_t byte) { return byte > 0x20 && byte < 0x7F && byte != ';'; }

bool ValidSourceCellCode(unsigned code) { return IsWallCode(static_cast<int>(code)) || code == CUBE || code == FLOOR; }

struct CellLine {
  int x, y, code;
  char16_t letter;
  int line;
};

struct LevelDraft {
  int line = 0;
  bool hasCode = false;
  uint8_t code[kCodeLength] = {};
  bool hasBoard = false;
  std::vector<std::u16string> rows;
  std::vector<int> rowLines;
  std::vector<LevelWord> words;
  std::vector<CellLine> cells;
  int record = 0;  // from 1; 0: the level's own place
};

class SourceParser {
 public:
  bool Parse(const std::string& text, LevelSet& set, std::string& error);

 private:
  bool Fail(int line, const std::string& message) {
    m_error = "line " + std::to_string(line) + ": " + message;
    return false;
  }
  bool Line(int number, const std::string& content);
  bool LevelLine(int number, const std::vector<std::string>& tokens);
  bool Finish(LevelRecord& record);
  bool ParseWordLine(int number, const std::vector<std::string>& tokens);
  bool ParseWordHex(int number, const std::vector<std::string>& tokens);

  bool m_inLevel = false;
  bool m_inBoard = false;
  LevelDraft m_draft;
  std::vector<LevelRecord> m_levels;
  std::vector<int> m_levelLines;
  std::vector<int> m_records;
  std::string m_error;
};

bool SourceParser::Parse(const std::string& text, LevelSet& set, std::string& error) {
  std::istringstream in(text);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    size_t comment = line.find(';');
    if (comment != std::string::npos) line.erase(comment);
    // The blanks trimmed are those the tokens are split on, so that a line
    // of only vertical tabs or form feeds is as empty as a blank one.
    size_t first = line.find_first_not_of(kBlanks);
    if (first == std::string::npos) continue;
    line = line.substr(first, line.find_last_not_of(kBlanks) - first + 1);
    if (!Line(number, line)) {
      error = m_error;
      return false;
    }
  }
  if (m_inLevel) {
    error = "line " + std::to_string(m_draft.line) + ": the level has no \"end\"";
    return false;
  }
  LevelSet built;
  built.levelCount = static_cast<uint32_t>(m_levels.size());
  built.levels = std::move(m_levels);
  // The reader's own checks decide what a level file may hold.
  std::vector<uint8_t> bytes = EncodeLevelFile(built);
  std::string problem;
  if (!DecodeLevelFile(bytes.data(), bytes.size(), set, problem)) {
    int level = 0;
    std::sscanf(problem.c_str(), "level %d", &level);
    int at = level >= 1 && level <= static_cast<int>(m_levelLines.size()) ? m_levelLines[level - 1] : 0;
    error = "line " + std::to_string(at) + ": " + problem;
    return false;
  }
  // Each record is kept by one level, and a set whose records are its order
  // needs no record order.
  std::vector<int> keeper(m_records.size(), -1);
  bool reordered = false;
  for (size_t i = 0; i < m_records.size(); ++i) {
    const int record = m_records[i];
    if (record >= static_cast<int>(m_records.size())) {
      error = "line " + std::to_string(m_levelLines[i]) + ": record " + std::to_string(record + 1) + " is past the " +
              std::to_string(m_records.size()) + " levels";
      return false;
    }
    if (keeper[record] >= 0) {
      error = "line " + std::to_string(m_levelLines[i]) + ": record " + std::to_string(record + 1) +
              " is also level " + std::to_string(keeper[record] + 1) + "'s";
      return false;
    }
    keeper[record] = static_cast<int>(i);
    reordered = reordered || record != static_cast<int>(i);
  }
  if (reordered) set.records = m_records;
  return true;
}

bool SourceParser::Line(int number, const std::string& content) {
  std::vector<std::string> tokens = Tokens(content);
  if (tokens.empty()) return true;
  const bool oneWord = tokens.size() == 1;
  if (m_inBoard) {
    if (oneWord && tokens[0] != "end" && tokens[0] != "level" && tokens[0] != "board") {
      std::u16string row = Utf16Of(content);
      m_draft.rows.push_back(row);
      m_draft.rowLines.push_back(number);
      return true;
    }
    m_inBoard = false;
  }
  const std::string& keyword = tokens[0];
  if (keyword == "level") {
    if (m_inLevel) return Fail(number, "a new level starts before \"end\"");
    m_inLevel = true;
    m_draft = LevelDraft();
    m_draft.line = number;
    return true;
  }
  if (!m_inLevel) return Fail(number, "\"" + keyword + "\" outside a level");
  return LevelLine(number, tokens);
}

bool SourceParser::LevelLine(int number, const std::vector<std::string>& tokens) {
  const std::string& keyword = tokens[0];
  if (keyword == "end") {
    if (tokens.size() != 1) return Fail(number, "\"end\" takes nothing");
    LevelRecord record;
    if (!Finish(record)) return false;
    m_levels.push_back(record);
    m_levelLines.push_back(m_draft.line);
    m_records.push_back(m_draft.record ? m_draft.record - 1 : static_cast<int>(m_levels.size()) - 1);
    m_inLevel = false;
    return true;
  }
  if (keyword == "code" || keyword == "codebytes") {
    if (m_draft.hasCode) return Fail(number, "a second code");
    if (keyword == "code") {
      if (tokens.size() != 2 || tokens[1].size() != kCodeLength)
        return Fail(number, "\"code\" takes five one-byte characters (use codebytes for others)");
      for (int i = 0; i < kCodeLength; ++i) m_draft.code[i] = static_cast<uint8_t>(tokens[1][i]);
      for (uint8_t byte : m_draft.code)
        if (!PlainCodeByte(byte)) return Fail(number, "\"code\" takes five printable ASCII characters");
    } else {
      if (tokens.size() != 1 + kCodeLength) return Fail(number, "\"codebytes\" takes five hex bytes");
      for (int i = 0; i < kCodeLength; ++i) {
        unsigned value;
        if (!ParseHex(tokens[1 + i], 0xFF, value)) return Fail(number, "\"" + tokens[1 + i] + "\" is not a hex byte");
        m_draft.code[i] = static_cast<uint8_t>(value);
      }
    }
    m_draft.hasCode = true;
    return true;
  }
  if (keyword == "record") {
    if (m_draft.record) return Fail(number, "a second record");
    if (tokens.size() != 2 || !ParseNumber(tokens[1], static_cast<int>(kMaxLevels), m_draft.record) ||
        m_draft.record < 1)
      return Fail(number, "\"record\" takes the level's first place, from 1");
    return true;
  }
  if (keyword == "board") {
    if (tokens.size() != 1) return Fail(number, "\"board\" takes nothing; the rows follow");
    if (m_draft.hasBoard) return Fail(number, "a second board");
    m_draft.hasBoard = true;
    m_inBoard = true;
    return true;
  }
  if (keyword == "word") return ParseWordLine(number, tokens);
  if (keyword == "wordhex") return ParseWordHex(number, tokens);
  if (keyword == "cell") {
    int x, y, code;
    unsigned letter;
    if (tokens.size() != 5 || !ParseNumber(tokens[1], kMaxBoardSide - 1, x) ||
        !ParseNumber(tokens[2], kMaxBoardSide - 1, y) || !ParseNumber(tokens[3], 255, code) ||
        !ParseHex(tokens[4], 0xFFFF, letter))
      return Fail(number, "\"cell\" takes X Y CODE and the letter as a hex unit");
    if (!ValidSourceCellCode(static_cast<unsigned>(code)))
      return Fail(number, "cell code " + tokens[3] + " (walls 0..15, cube 20, floor 22)");
    m_draft.cells.push_back(CellLine{x, y, code, static_cast<char16_t>(letter), number});
    return true;
  }
  return Fail(number, "unknown line \"" + keyword + "\"");
}

bool SourceParser::ParseWordLine(int number, const std::vector<std::string>& tokens) {
  if (tokens.size() != 5) return Fail(number, "\"word\" takes TEXT X Y and h or v");
  if (m_draft.words.size() == kMaxWords) return Fail(number, "more than 5 words");
  std::u16string text = Utf16Of(tokens[1]);
  if (text.size() > kMaxWordLength) return Fail(number, "a word has at most 31 letters");
  for (char16_t unit : text)
    if (!PlainWordUnit(unit)) return Fail(number, "the word holds a character a level cannot use");
  LevelWord word = {};
  int x, y;
  if (!ParseNumber(tokens[2], 255, x) || !ParseNumber(tokens[3], 255, y))
    return Fail(number, "the word's X and Y are numbers 0..255");
  if (tokens[4] != "h" && tokens[4] != "v") return Fail(number, "the word's direction is h or v");
  for (size_t i = 0; i < text.size(); ++i) word.text[i] = text[i];
  word.x = x;
  word.y = y;
  word.length = static_cast<int32_t>(text.size());
  word.direction = tokens[4] == "h" ? kWordHorizontal : kWordVertical;
  m_draft.words.push_back(word);
  return true;
}

bool SourceParser::ParseWordHex(int number, const std::vector<std::string>& tokens) {
  if (tokens.size() != 2 || tokens[1].size() != 2 * kWordEntryBytes)
    return Fail(number, "\"wordhex\" takes the 66 bytes of a word entry as 132 hex digits");
  if (m_draft.words.size() == kMaxWords) return Fail(number, "more than 5 words");
  uint8_t bytes[kWordEntryBytes];
  for (size_t i = 0; i < kWordEntryBytes; ++i) {
    unsigned value;
    if (!ParseHex(tokens[1].substr(2 * i, 2), 0xFF, value)) return Fail(number, "\"wordhex\" holds a non-hex digit");
    bytes[i] = static_cast<uint8_t>(value);
  }
  LevelWord word = {};
  for (int i = 0; i < kMaxWordLength; ++i) word.text[i] = static_cast<char16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
  word.x = bytes[62];
  word.y = bytes[63];
  word.length = bytes[64];
  word.direction = bytes[65];
  m_draft.words.push_back(word);
  return true;
}

bool SourceParser::Finish(LevelRecord& record) {
  LevelDraft& d = m_draft;
  if (!d.hasCode) return Fail(d.line, "the level has no code");
  if (d.rows.empty()) return Fail(d.line, "the level has no board rows");
  if (d.rows.size() > kMaxBoardSide) return Fail(d.rowLines[kMaxBoardSide], "a board has at most 30 rows");
  const size_t width = d.rows[0].size();
  for (size_t r = 0; r < d.rows.size(); ++r) {
    if (d.rows[r].size() != width) return Fail(d.rowLines[r], "every row of a board has the same length");
    if (width > kMaxBoardSide) return Fail(d.rowLines[r], "a board has at most 30 columns");
  }
  std::memset(&record, 0, sizeof record);
  std::memcpy(record.code, d.code, kCodeLength);
  record.width = static_cast<uint32_t>(width);
  record.height = static_cast<uint32_t>(d.rows.size());
  record.wordCount = static_cast<uint32_t>(d.words.size());
  for (size_t w = 0; w < d.words.size(); ++w) record.words[w] = d.words[w];

  std::vector<bool> needsCell(kLayerSquares, false);
  for (size_t y = 0; y < d.rows.size(); ++y) {
    for (size_t x = 0; x < width; ++x) {
      const char16_t c = d.rows[y][x];
      uint8_t& code = record.walls[y * kLayerStride + x];
      char16_t& letter = record.letters[y * kLayerStride + x];
      if (c == kWallChar) {
        code = kWallInside;
      } else if (c == kFloorChar) {
        code = FLOOR;
      } else if (c == kCellLineChar) {
        needsCell[y * kLayerStride + x] = true;
      } else if (IsCapital(c)) {
        code = CUBE;
        letter = c;
      } else if (IsSmall(c)) {
        code = kWallInside;
        letter = UpperCaseOf(c);
      } else {
        return Fail(d.rowLines[y], "\"" + Utf8Of(std::u16string(1, c)) + "\" is not a board character");
      }
    }
  }
  auto applyCells = [&]() -> bool {
    for (const CellLine& cell : d.cells) {
      if (cell.x >= static_cast<int>(record.width) || cell.y >= static_cast<int>(record.height))
        return Fail(cell.line, "the cell lies outside the board");
      record.walls[cell.y * kLayerStride + cell.x] = static_cast<uint8_t>(cell.code);
      record.letters[cell.y * kLayerStride + cell.x] = cell.letter;
      needsCell[cell.y * kLayerStride + cell.x] = false;
    }
    return true;
  };
  if (!applyCells()) return false;
  for (size_t y = 0; y < d.rows.size(); ++y)
    for (size_t x = 0; x < width; ++x)
      if (needsCell[y * kLayerStride + x])
        return Fail(d.rowLines[y], "a '?' square needs a \"cell\" line");
  RecomputeWallShapes(record.walls, kLayerStride, record.width, record.height);
  // Exact codes from cell lines win over the computed shapes.
  return applyCells();
}

// The board character of a square, '?' when a cell line must carry it.
char16_t BoardChar(int code, char16_t letter) {
  if (letter == 0) return IsWallCode(code) ? kWallChar : code == FLOOR ? kFloorChar : kCellLineChar;
  if (!IsCapital(letter)) return kCellLineChar;
  if (code == CUBE) return letter;
  return IsWallCode(code) ? LowerCaseOf(letter) : kCellLineChar;
}

bool PlainWord(const LevelWord& word) {
  int length = 0;
  while (length < kMaxWordLength && word.text[length] != 0) ++length;
  if (length == 0 || word.length != length) return false;
  for (int i = 0; i < kMaxWordLength; ++i) {
    if (i < length && !PlainWordUnit(word.text[i])) return false;
    if (i >= length && word.text[i] != 0) return false;
  }
  return (word.direction == kWordHorizontal || word.direction == kWordVertical) && word.x >= 0 && word.x <= 255 &&
         word.y >= 0 && word.y <= 255;
}

void WriteLevel(std::ostringstream& out, const LevelRecord& level, int number, int record) {
  out << "\n; level " << number << "\nlevel\n";
  if (record != number - 1) out << "record " << record + 1 << "\n";
  bool plainCode = true;
  for (uint8_t byte : level.code) plainCode = plainCode && PlainCodeByte(byte);
  if (plainCode) {
    out << "code " << std::string(reinterpret_cast<const char*>(level.code), kCodeLength) << "\n";
  } else {
    out << "codebytes";
    for (uint8_t byte : level.code) out << " " << Hex(byte, 2);
    out << "\n";
  }

  // What the rows alone would build, to find the squares that need a line.
  const int w = static_cast<int>(level.width), h = static_cast<int>(level.height);
  uint8_t built[kLayerSquares] = {};
  std::vector<std::u16string> rows(h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const int i = y * kLayerStride + x;
      const char16_t c = BoardChar(level.walls[i], level.letters[i]);
      rows[y].push_back(c);
      if (c == kWallChar || IsSmall(c))
        built[i] = kWallInside;
      else if (c == kFloorChar)
        built[i] = FLOOR;
      else
        built[i] = c == kCellLineChar ? level.walls[i] : static_cast<uint8_t>(CUBE);
    }
  }
  RecomputeWallShapes(built, kLayerStride, w, h);
  out << "board\n";
  for (const std::u16string& row : rows) out << Utf8Of(row) << "\n";

  for (uint32_t n = 0; n < level.wordCount && n < kMaxWords; ++n) {
    const LevelWord& word = level.words[n];
    if (PlainWord(word)) {
      out << "word " << Utf8Of(std::u16string(word.text, word.text + word.length)) << " " << word.x << " " << word.y
          << " " << (word.direction == kWordHorizontal ? "h" : "v") << "\n";
      continue;
    }
    out << "wordhex ";
    for (int i = 0; i < kMaxWordLength; ++i) out << Hex(word.text[i] & 0xFF, 2) << Hex(word.text[i] >> 8, 2);
    for (int32_t field : {word.x, word.y, word.length, word.direction}) out << Hex(field & 0xFF, 2);
    out << "\n";
  }

  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const int i = y * kLayerStride + x;
      if (rows[y][x] == kCellLineChar || built[i] != level.walls[i])
        out << "cell " << x << " " << y << " " << static_cast<int>(level.walls[i]) << " " << Hex(level.letters[i], 4)
            << "\n";
    }
  }
  out << "end\n";
}

}  // namespace

// The capital sharp s, which German sets in words written in capitals.
constexpr char16_t kCapitalSharpS = 0x1E9E;
constexpr char16_t kSharpS = 0xDF;

char16_t LowerCaseOf(char16_t u) {
  if (u >= u'A' && u <= u'Z') return u + 32;
  if (u == kCapitalSharpS) return kSharpS;
  if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return u + 32;
  if ((u >= 0x100 && u <= 0x137 && u != 0x130) || (u >= 0x14A && u <= 0x177)) return u % 2 == 0 ? u + 1 : u;
  if ((u >= 0x139 && u <= 0x148) || (u >= 0x179 && u <= 0x17E)) return u % 2 == 1 ? u + 1 : u;
  if (u == 0x178) return 0xFF;
  if (u >= 0x391 && u <= 0x3A9 && u != 0x3A2) return u + 32;
  if (u >= 0x410 && u <= 0x42F) return u + 32;
  if (u >= 0x400 && u <= 0x40F) return u + 80;
  return u;
}

char16_t UpperCaseOf(char16_t u) {
  if (u >= u'a' && u <= u'z') return u - 32;
  if (u == kSharpS) return kCapitalSharpS;
  if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return u - 32;
  if (u == 0xFF) return 0x178;
  if ((u >= 0x101 && u <= 0x137 && u != 0x131) || (u >= 0x14B && u <= 0x177)) return u % 2 == 1 ? u - 1 : u;
  if ((u >= 0x13A && u <= 0x148) || (u >= 0x17A && u <= 0x17E)) return u % 2 == 0 ? u - 1 : u;
  if (u >= 0x3B1 && u <= 0x3C9 && u != 0x3C2) return u - 32;
  if (u >= 0x430 && u <= 0x44F) return u - 32;
  if (u >= 0x450 && u <= 0x45F) return u - 80;
  return u;
}

bool ParseLevelSource(const std::string& text, LevelSet& set, std::string& error) {
  SourceParser parser;
  return parser.Parse(text, set, error);
}

std::string WriteLevelSource(const LevelSet& set) {
  std::ostringstream out;
  out << "; Glyphox levels (see levels/README.md for the format)\n";
  for (uint32_t i = 0; i < set.levelCount && i < set.levels.size(); ++i)
    WriteLevel(out, set.levels[i], static_cast<int>(i) + 1, set.RecordOf(static_cast<int>(i)));
  return out.str();
}
