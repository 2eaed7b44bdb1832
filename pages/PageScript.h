// Page scripts: the description of one composed information page (its fonts,
// bitmaps and drawing elements) and the reader of the UTF-16 script that
// describes it.
//
//   std::unique_ptr<PageDescription> page = ParsePageScript(path, "data/order/");
//   if (page) { std::vector<uint8_t> image = ComposePage(*page); ... }
//
// The description owns its open fonts and bitmap pixels; destroying it frees
// them. Reading is split in two: ReadPageScript only parses (no file is
// opened), LoadPageResources then opens the fonts and images it names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

typedef struct _TTF_Font TTF_Font;

constexpr int kPageWidth = 1024;
constexpr int kPageHeight = 768;
// Limits of one page: entries per list, units per name or text, units per
// script line.
constexpr int kPageMaxEntries = 256;
constexpr int kPageMaxUnits = 255;
constexpr int kPageMaxLineUnits = 255;
// Where the game finds the scripts and their fonts and images.
extern const char* const kPageDirectory;         // "data/order/"
extern const char* const kPageScriptNameFormat;  // "scriptorder%d_%s.txt"

enum PageElementKind {
  kPageMosaic = 1,
  kPageTexte = 2,
  kPageBitmap = 3,
  kPageEtirer = 4,
  kPageCarreDegrade = 5,
  kPageFBitmap = 7,
  kPageOnde = 8,
  kPageOndeOmbree = 9,
  kPageEmboss = 10,
};

enum PageGradient { kGradientNone = 0, kGradientStraight = 1, kGradientWavy = 2 };
enum PageBitmapKind { kBitmapFromFile = 1, kBitmapClouds = 2 };

struct PageFont {
  std::string fileName;
  std::u16string name;
  TTF_Font* face = nullptr;
  int size = 0;
  int style = 0;  // 0 normal, 1 bold, 2 italic
  int shadow = 0, shadowDx = 0, shadowDy = 0;
  int outline = 0;
  int gradient = kGradientNone;
  int first[3] = {0, 0, 0};
  int second[3] = {0, 0, 0};
};

struct PageBitmap {
  std::string fileName;
  std::u16string name;
  int kind = 0;
  int cloudColor[3] = {0, 0, 0};
  int width = 0, height = 0;
  std::vector<uint8_t> pixels;  // RGBA, rows from the top
  int shadow = 0, shadowDx = 0, shadowDy = 0;
  int outline = 0;
};

struct PageElement {
  int kind = 0;
  int x = 0, y = 0;
  std::u16string name;  // bitmap or font
  std::u16string text;  // TEXTE
  int w = 0, h = 0;     // CARREDEGRADE
  int r = 0, g = 0, b = 0;
  int wave1 = 0, wave2 = 0;
};

struct PageDescription {
  PageDescription() = default;
  PageDescription(const PageDescription&) = delete;
  PageDescription& operator=(const PageDescription&) = delete;
  virtual ~PageDescription();  // closes the fonts

  const PageFont* FindFont(const std::u16string& name) const;
  const PageBitmap* FindBitmap(const std::u16string& name) const;

  std::vector<PageBitmap> bitmaps;  // at most kPageMaxEntries each
  std::vector<PageFont> fonts;
  std::vector<PageElement> elements;
};

// Parses a script held in memory as UTF-16 units (without its byte-order
// mark). Never opens a file: entries keep their file names; fonts without a
// file or a size and bitmaps without a source are already dropped.
std::unique_ptr<PageDescription> ReadPageScript(const char16_t* units, size_t count);

// Opens the fonts and reads or generates the bitmaps, file names relative to
// directory. A font or image file that cannot be read prints one line naming
// it; the result is then 0 (the page is not to be shown).
int LoadPageResources(PageDescription& page, const char* directory);

// The whole reading: the file, its byte-order test ("%s : Not a Unicode UTF16
// File\n"), the parse and the resources. Null when there is no page; a
// missing script prints "Page script %s not found\n".
std::unique_ptr<PageDescription> ParsePageScript(const char* path, const char* directory);
