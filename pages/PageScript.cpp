// The page script reader: sections of fonts and bitmaps, then the list of
// drawing elements, read from UTF-16 text with every length and count bounded.
#include "pages/PageScript.h"

#include <SDL_ttf.h>

#include <algorithm>
#include <cstdio>

#include "base/FileAccess.h"
#include "base/CUString.h"

const char* const kPageDirectory = "data/order/";
const char* const kPageScriptNameFormat = "scriptorder%d_%s.txt";

namespace {

// Scripts are a few kilobytes; anything far larger is not a page script.
constexpr size_t kMaxScriptBytes = 4 * 1024 * 1024;
// Values beyond these are clamped: they can only mean a typing slip, and the
// arithmetic of the effects stays within range.
constexpr int kMaxMagnitude = 100000;
constexpr int kMaxFontSize = 160;
constexpr int kMaxOutline = 8;
constexpr int kMaxCloudSide = 2048;
constexpr int kMaxWeight = 1000;

bool IsBlank(char16_t unit) { return unit <= 0x20; }
bool Contains(const std::u16string& text, const char16_t* what) { return text.find(what) != std::u16string::npos; }

std::u16string Cut(const std::u16string& text) {
  return text.size() > static_cast<size_t>(kPageMaxUnits) ? text.substr(0, kPageMaxUnits) : text;
}

// Reads the script's units word by word or line by line from one position.
class ScriptCursor {
 public:
  ScriptCursor(const char16_t* units, size_t count) : m_units(units), m_count(count) {}

  // The next run of non-blank units, cut at kPageMaxUnits. False at the end.
  bool NextWord(std::u16string& word) {
    word.clear();
    while (m_at < m_count && IsBlank(m_units[m_at])) ++m_at;
    if (m_at >= m_count) return false;
    while (m_at < m_count && !IsBlank(m_units[m_at])) {
      if (word.size() < static_cast<size_t>(kPageMaxUnits)) word.push_back(m_units[m_at]);
      ++m_at;
    }
    return true;
  }

  // The rest of the current line (at most kPageMaxLineUnits units are kept,
  // the rest of a longer line is skipped). False at the end.
  bool NextLine(std::u16string& line) {
    line.clear();
    if (m_at >= m_count) return false;
    while (m_at < m_count && m_units[m_at] != u'\n') {
      if (line.size() < static_cast<size_t>(kPageMaxLineUnits)) line.push_back(m_units[m_at]);
      ++m_at;
    }
    if (m_at < m_count) ++m_at;  // the line feed
    return true;
  }

 private:
  const char16_t* m_units;
  size_t m_count;
  size_t m_at = 0;
};

// Reads up to n integers from text, starting at from: each is an optional
// minus sign and digits; anything else separates them. Values are clamped to
// +-kMaxMagnitude. Returns how many were found.
int ReadIntegers(const std::u16string& text, size_t from, int* out, int n) {
  int found = 0;
  size_t i = from;
  while (found < n && i < text.size()) {
    bool negative = false;
    if (text[i] == u'-' && i + 1 < text.size() && text[i + 1] >= u'0' && text[i + 1] <= u'9') {
      negative = true;
      ++i;
    }
    if (text[i] < u'0' || text[i] > u'9') {
      ++i;
      continue;
    }
    long value = 0;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
      value = std::min<long>(value * 10 + (text[i] - u'0'), kMaxMagnitude);
      ++i;
    }
    out[found++] = static_cast<int>(negative ? -value : value);
  }
  return found;
}

bool ReadIntegersExactly(const std::u16string& text, size_t from, int* out, int n) {
  return ReadIntegers(text, from, out, n) == n;
}

size_t AfterEquals(const std::u16string& text) {
  size_t at = text.find(u'=');
  return at == std::u16string::npos ? text.size() : at + 1;
}

// The text between the first two double quotes of the line; a unit above 255
// ends the name, which holds at most kPageMaxUnits bytes.
std::string QuotedFileName(const std::u16string& line) {
  std::string name;
  size_t open = line.find(u'"');
  if (open == std::u16string::npos) return name;
  for (size_t i = open + 1; i < line.size() && line[i] != u'"'; ++i) {
    if (line[i] > 255 || name.size() >= static_cast<size_t>(kPageMaxUnits)) break;
    name.push_back(static_cast<char>(line[i]));
  }
  return name;
}

std::string PageNameForMessage(const std::u16string& word) {
  std::u16string keyword = word.substr(0, word.find(u'='));
  return CUString(keyword.data(), keyword.size()).LowBytes();
}

int Clamp(int value, int low, int high) { return std::max(low, std::min(value, high)); }

void ReadFontProperty(PageFont& font, const std::u16string& line) {
  const size_t value = AfterEquals(line);
  int v[6];
  if (Contains(line, u"FICHIER")) font.fileName = QuotedFileName(line);
  if (Contains(line, u"SIZE") && ReadIntegersExactly(line, value, v, 1)) font.size = v[0];
  if (Contains(line, u"OMBRAGE") && ReadIntegersExactly(line, value, v, 2)) {
    font.shadow = 1;
    font.shadowDx = v[0];
    font.shadowDy = v[1];
  }
  if (Contains(line, u"OUTLINE") && ReadIntegersExactly(line, value, v, 1)) font.outline = Clamp(v[0], 0, kMaxOutline);
  if (Contains(line, u"DEGRADE") && ReadIntegersExactly(line, value, v, 6)) {
    for (int c = 0; c < 3; ++c) {
      font.first[c] = Clamp(v[c], 0, 255);
      font.second[c] = Clamp(v[3 + c], 0, 255);
    }
    if (font.gradient == kGradientNone) font.gradient = kGradientStraight;
  }
  if (Contains(line, u"SINUS")) font.gradient = kGradientWavy;
  if (Contains(line, u"GRAS")) font.style = 1;
  if (Contains(line, u"ITALIQUE")) font.style = 2;
}

void ReadBitmapProperty(PageBitmap& bitmap, const std::u16string& line) {
  const size_t value = AfterEquals(line);
  int v[5];
  if (Contains(line, u"FICHIER")) {
    bitmap.fileName = QuotedFileName(line);
    bitmap.kind = kBitmapFromFile;
  }
  if (Contains(line, u"CLOUDS") && ReadIntegersExactly(line, value, v, 5)) {
    for (int c = 0; c < 3; ++c) bitmap.cloudColor[c] = Clamp(v[c], 0, 255);
    bitmap.width = Clamp(v[3], 1, kMaxCloudSide);
    bitmap.height = Clamp(v[4], 1, kMaxCloudSide);
    bitmap.kind = kBitmapClouds;
  }
  if (Contains(line, u"OMBRAGE") && ReadIntegersExactly(line, value, v, 2)) {
    bitmap.shadow = 1;
    bitmap.shadowDx = v[0];
    bitmap.shadowDy = v[1];
  }
  if (Contains(line, u"OUTLINE") && ReadIntegersExactly(line, value, v, 1)) bitmap.outline = v[0];
}

// After an entry's name: lines up to the one holding "{" are skipped, then
// every line up to the one holding "}" is a property line.
template <class Entry, class Reader>
void ReadEntryLines(ScriptCursor& cursor, Entry& entry, Reader readProperty) {
  std::u16string line;
  while (cursor.NextLine(line))
    if (Contains(line, u"{")) break;
  while (cursor.NextLine(line)) {
    if (Contains(line, u"}")) break;
    readProperty(entry, line);
  }
}

void SkipPastOpeningBrace(ScriptCursor& cursor) {
  std::u16string word;
  while (cursor.NextWord(word))
    if (Contains(word, u"{")) break;
}

// A FONTES or BITMAPS section: entry names up to the closing brace, each
// followed by its property lines; keep decides (and may adjust) each entry.
template <class Entry, class Reader, class Keep>
void ReadSection(ScriptCursor& cursor, std::vector<Entry>& list, Reader readProperty, Keep keep) {
  SkipPastOpeningBrace(cursor);
  std::u16string word;
  while (cursor.NextWord(word) && !Contains(word, u"}")) {
    Entry entry;
    entry.name = word;
    ReadEntryLines(cursor, entry, readProperty);
    if (keep(entry) && list.size() < static_cast<size_t>(kPageMaxEntries)) list.push_back(std::move(entry));
  }
}

bool KeepFont(PageFont& font) {
  if (font.fileName.empty() || font.size <= 0) return false;
  font.size = std::min(font.size, kMaxFontSize);
  return true;
}

bool KeepBitmap(PageBitmap& bitmap) {
  if (bitmap.kind == 0 || (bitmap.kind == kBitmapFromFile && bitmap.fileName.empty())) return false;
  if (bitmap.kind == kBitmapFromFile) bitmap.width = bitmap.height = 0;
  return true;
}

// The quoted text of a TEXTE element, starting with word: the words up to the
// one holding the closing quote, joined by single blanks.
bool ReadQuotedText(ScriptCursor& cursor, std::u16string word, std::u16string& text) {
  if (word.empty() || word[0] != u'"') return false;
  word.erase(0, 1);
  text.clear();
  for (;;) {
    size_t close = word.find(u'"');
    text += word.substr(0, close);
    if (close != std::u16string::npos) break;
    if (!cursor.NextWord(word)) return false;
    text += u' ';
  }
  text = Cut(text);
  return true;
}

struct Command {
  const char16_t* keyword;
  int kind;
};
// Longer keywords first where one holds another.
const Command kCommands[] = {
    {u"MOSAIC", kPageMosaic},  {u"TEXTE", kPageTexte},           {u"FBITMAP", kPageFBitmap},
    {u"BITMAP", kPageBitmap},  {u"ETIRER", kPageEtirer},         {u"CARREDEGRADE", kPageCarreDegrade},
    {u"ONDEOMBREE", kPageOndeOmbree}, {u"ONDE", kPageOnde},      {u"EMBOSS", kPageEmboss},
};

// Fills element from its command word and the words after it. False when an
// argument is missing or malformed.
bool ReadElement(ScriptCursor& cursor, const std::u16string& word, PageElement& element) {
  const size_t first = AfterEquals(word);
  std::u16string next;
  int v[3];
  auto nextWord = [&]() { return cursor.NextWord(next) && !Contains(next, u"}"); };
  auto position = [&](int& a, int& b) {
    if (!nextWord() || !ReadIntegersExactly(next, 0, v, 2)) return false;
    a = v[0];
    b = v[1];
    return true;
  };
  switch (element.kind) {
    case kPageMosaic:
    case kPageBitmap:
    case kPageEtirer:
    case kPageFBitmap:
      element.name = Cut(word.substr(first));
      return !element.name.empty() && position(element.x, element.y);
    case kPageTexte:
      element.name = Cut(word.substr(first));
      return !element.name.empty() && position(element.x, element.y) && cursor.NextWord(next) &&
             ReadQuotedText(cursor, next, element.text);
    case kPageCarreDegrade:
      if (!ReadIntegersExactly(word, first, v, 3)) return false;
      element.r = Clamp(v[0], 0, 255);
      element.g = Clamp(v[1], 0, 255);
      element.b = Clamp(v[2], 0, 255);
      return position(element.x, element.y) && position(element.w, element.h);
    case kPageOnde:
      return ReadIntegersExactly(word, first, v, 2) && (element.wave1 = v[0], element.wave2 = v[1], true);
    case kPageOndeOmbree:
      if (!ReadIntegersExactly(word, first, v, 2)) return false;
      element.wave1 = v[0];
      element.wave2 = v[1];
      return position(element.x, element.y);
    case kPageEmboss:
      if (!ReadIntegersExactly(word, first, v, 3)) return false;
      element.x = v[0];
      element.y = v[1];
      element.w = v[2];
      if (!nextWord() || !ReadIntegersExactly(next, 0, v, 3)) return false;
      element.r = Clamp(v[0], -kMaxWeight, kMaxWeight);
      element.g = Clamp(v[1], -kMaxWeight, kMaxWeight);
      element.b = Clamp(v[2], -kMaxWeight, kMaxWeight);
      return true;
  }
  return false;
}

void ReadComposition(ScriptCursor& cursor, PageDescription& page) {
  SkipPastOpeningBrace(cursor);
  std::u16string word;
  while (cursor.NextWord(word) && !Contains(word, u"}")) {
    PageElement element;
    for (const Command& command : kCommands) {
      if (Contains(word, command.keyword)) {
        element.kind = command.kind;
        break;
      }
    }
    if (element.kind == 0) continue;
    if (!ReadElement(cursor, word, element)) {
      std::fprintf(stderr, "Page script: %s element with bad arguments skipped\n",
                   PageNameForMessage(word).c_str());
      continue;
    }
    if (page.elements.size() < static_cast<size_t>(kPageMaxEntries)) page.elements.push_back(std::move(element));
  }
}

}  // namespace

PageDescription::~PageDescription() {
  for (PageFont& font : fonts)
    if (font.face) TTF_CloseFont(font.face);
}

const PageFont* PageDescription::FindFont(const std::u16string& name) const {
  for (const PageFont& font : fonts)
    if (font.name == name) return &font;
  return nullptr;
}

const PageBitmap* PageDescription::FindBitmap(const std::u16string& name) const {
  for (const PageBitmap& bitmap : bitmaps)
    if (bitmap.name == name) return &bitmap;
  return nullptr;
}

std::unique_ptr<PageDescription> ReadPageScript(const char16_t* units, size_t count) {
  auto page = std::make_unique<PageDescription>();
  if (count > 0 && units[0] == 0xFEFF) {  // the byte-order mark
    ++units;
    --count;
  }
  ScriptCursor cursor(units, count);
  std::u16string word;
  while (cursor.NextWord(word)) {
    if (word == u"FONTES") {
      ReadSection(cursor, page->fonts, ReadFontProperty, KeepFont);
    } else if (word == u"BITMAPS") {
      ReadSection(cursor, page->bitmaps, ReadBitmapProperty, KeepBitmap);
    } else if (word == u"COMPOSITION") {
      ReadComposition(cursor, *page);
      break;
    } else if (word == u"END") {
      break;
    }
  }
  return page;
}

std::unique_ptr<PageDescription> ParsePageScript(const char* path, const char* directory) {
  std::vector<uint8_t> bytes;
  std::string reason;
  FileRead read = ReadFileBytes(path, kMaxScriptBytes, bytes, &reason);
  if (read != FileRead::kOk) {
    if (read == FileRead::kMissing)
      std::fprintf(stderr, "Page script %s not found\n", path);
    else
      std::fprintf(stderr, "Page script %s can't be read: %s\n", path, reason.c_str());
    return nullptr;
  }
  if (bytes.size() < 2 || !(bytes[0] == 0xFE || bytes[0] == 0xFF || bytes[1] == 0xFE || bytes[1] == 0xFF)) {
    std::fprintf(stderr, "%s : Not a Unicode UTF16 File\n", path);
    return nullptr;
  }
  std::u16string units(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < units.size(); ++i) units[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
  std::unique_ptr<PageDescription> page = ReadPageScript(units.data(), units.size());
  if (!LoadPageResources(*page, directory)) return nullptr;
  return page;
}
