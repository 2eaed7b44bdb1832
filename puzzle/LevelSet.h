// The level set: every level of one word language, read from its binary
// level file, and the set's sorted alphabet.
//
// Level file (little endian, no padding, no signature):
//   u32 level count N, then N level blocks in play order:
//     5 code bytes (plain code XOR wall[row 0, column i] XOR 0xA6),
//     u8 width w (1..30), u8 height h (1..30), u8 word count n (0..5),
//     n word entries of 66 bytes: 31 UTF-16 units of text (zero-filled),
//       u8 x, u8 y, u8 length, u8 direction (1 horizontal, 0 vertical),
//     w h wall-layer bytes (cell codes: 0..15 wall, 20 cube, 22 floor),
//     w h UTF-16 letter-layer units (the solved arrangement; 0 = none),
//   both layers row by row from the top row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "puzzle/Board.h"

constexpr int kLayerStride = 30;
constexpr int kLayerSquares = kLayerStride * kLayerStride;
constexpr int kCodeLength = 5;
constexpr int kMaxAlphabet = 1024;
constexpr uint8_t kCodeScramble = 0xA6;
constexpr size_t kWordEntryBytes = 66;
constexpr size_t kLevelHeaderBytes = 8;
// Far more levels than any set needs; a larger count marks a broken file and
// would only make the reader allocate for nothing.
constexpr uint32_t kMaxLevels = 10000;

struct LevelRecord {
  uint8_t code[kCodeLength];  // the plain access code
  uint32_t width;
  uint32_t height;
  uint32_t wordCount;
  LevelWord words[kMaxWords];
  uint8_t walls[kLayerSquares];       // square (x, y) at 30 y + x
  char16_t letters[kLayerSquares];    // same arrangement; 0 = no letter
};

struct LevelSet {
  uint32_t levelCount = 0;
  std::vector<LevelRecord> levels;
  char16_t alphabet[kMaxAlphabet] = {};  // ascending code unit values
  int alphabetCount = 0;
  // Not in the file: the LangLevel the set was selected by (-1 when it was
  // loaded by path alone), and the letters that read the same after a half
  // turn in the set's font (the language file names them).
  int selectedBy = -1;
  std::u16string symmetricLetters;
  // The record number (from 0) of each level in play order, empty when each
  // level is its own; read from the record order beside the level file.
  std::vector<int> records;

  // Index of the letter in the alphabet, -1 when absent.
  int AlphabetIndex(char16_t letter) const;
  bool IsSymmetric(char16_t letter) const;
  // The first level (from 0) whose plain code equals the five bytes, -1 when
  // none does.
  int FindCode(const uint8_t code[kCodeLength]) const;
  // The number under which the high scores and saved games keep the level,
  // and back (-1 when no level has that record).
  int RecordOf(int level) const;
  int LevelOfRecord(int record) const;
};

// High scores and saved games name a level by its place in the set's first
// order, so that a set whose levels were reordered keeps every player's
// record with its board, and older games still read those files right. The
// record order beside a level file ("english.lvl" -> "english.records")
// gives, for each level in play order, that place (from 1), one number a
// line (';' starts a comment). Without the file each level is its own.
extern const char* const kRecordOrderExtension;  // ".records"
std::string RecordOrderPath(const std::string& levelPath);
// Reads the numbers of a record order text for a set of levelCount levels:
// false with "line N: reason" unless there is exactly one number a level and
// they are 1..levelCount, each once. Never reads past size.
bool DecodeRecordOrder(const char* text, size_t size, uint32_t levelCount, std::vector<int>& records,
                       std::string& error);
std::string EncodeRecordOrder(const std::vector<int>& records);

// Reads a level file image into set (replacing what it held). Returns false
// with a one-line reason, without printing, when a field is out of its limits
// (sizes 1..30, up to 5 words of up to 31 letters, direction 0 or 1, cell
// codes 0..15, 20, 22, at most 150 letter squares, letters only on cube and
// wall squares and on every cube square), when the image is shorter than its
// fields announce or has bytes after its last level. Never reads past size.
bool DecodeLevelFile(const uint8_t* bytes, size_t size, LevelSet& set, std::string& error);
// The file image of a set: the inverse of DecodeLevelFile.
std::vector<uint8_t> EncodeLevelFile(const LevelSet& set);
// The same for a whole file and its record order; error starts with what
// failed.
bool ReadLevelSetFile(const char* path, LevelSet& set, std::string& error);

// Writes the set through a temporary file. Returns 1, or 0 after printing
// "Couldn't save level file %s".
int SaveLevelSet(const LevelSet& set, const char* path);
// The letter tile (face and ground texture) to draw for an alphabet index
// among tileCount tiles, or kBlankTile: a cube or static block whose letter
// no word uses has index -1 and is drawn as a blank tile. Drawing code goes
// through this rather than indexing its tables with the raw index.
constexpr int kBlankTile = -1;
inline int LetterTile(int letterIndex, int tileCount) {
  return letterIndex >= 0 && letterIndex < tileCount ? letterIndex : kBlankTile;
}
// Rebuilds a set's alphabet from the letters of its words. Returns false when
// more than 1024 distinct letters would be needed.
bool BuildAlphabet(LevelSet& set);
