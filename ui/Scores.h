// The high-score table: for each of the first 60 levels the best move count
// and the name of who made it, kept in "score.orb" below the game directory.
//
// The game owns one HighScores: start-up loads it from the file, the
// level-won step calls IsRecord and, when it returns 1, runs the name entry,
// which ends with SetName; shutdown saves it.
//
// "score.orb": no header, exactly 60 records of 25 bytes in level order,
// 1,500 bytes: the 21 name bytes as held in memory (terminator and the bytes
// after it included), then the moves as a little-endian signed 32-bit int.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/CUString.h"

constexpr int kScoreLevels = 60;
constexpr int kScoreNameBytes = 21;
constexpr int kScoreNameMax = 20;  // characters; byte 21 is the terminator
constexpr size_t kScoreRecordBytes = 25;
constexpr size_t kScoreFileBytes = kScoreRecordBytes * kScoreLevels;
constexpr int32_t kDefaultScoreMoves = 10000;
extern const char* const kDefaultScoreName;  // "ORB GAMES"
extern const char* const kScoreFileName;     // "score.orb"

struct ScoreEntry {
  char name[kScoreNameBytes];
  int32_t moves;
};

struct ScoreTable {
  ScoreEntry entries[kScoreLevels];
};

// Every entry "ORB GAMES" (the other bytes zero) with 10000 moves.
void ResetScoreTable(ScoreTable& table);

// Characters a name may hold: the Latin-1 letters, digits, the space, and the
// hyphen, apostrophe and full stop of names like "Jean-Luc" or "O'Neil". Names
// are kept one byte per character in Latin-1, which the menu font draws.
bool IsScoreNameCharacter(unsigned int character);
// True when the 21 bytes hold a terminator and every byte before it is a
// name character.
bool IsScoreNameReadable(const char name[kScoreNameBytes]);
// The name as the font draws it (each Latin-1 byte one UTF-16 unit).
CUString ScoreNameText(const char* name);

// Reads a file image into table. Refuses, with a one-line reason and the
// table untouched, an image that is not exactly 1,500 bytes, a name that is
// not readable or a move count outside 0..10000.
bool DecodeScoreFile(const uint8_t* bytes, size_t size, ScoreTable& table, std::string& error);
std::vector<uint8_t> EncodeScoreFile(const ScoreTable& table);

// Reads the file into table. A missing file gives the defaults silently; a
// broken one gives the defaults after "Score file %s is damaged (%s); the
// high scores start again\n". Returns 1 when the file was read.
int LoadScoreTable(const char* path, ScoreTable& table);
// Writes the table through a temporary file. Returns 1, or 0 (nothing
// written) when the file cannot be made.
int SaveScoreTable(const char* path, const ScoreTable& table);

// Game directory + "score.orb".
std::string ScoreFilePath();

// The table of the run and the name entered last in it.
class HighScores {
 public:
  HighScores() { ResetScoreTable(m_table); }

  // Reads the score file (the defaults when it is missing or broken).
  void Load();
  // Writes the table; a file that cannot be written is left as it was.
  void Save() const;

  ScoreTable& Table() { return m_table; }
  const ScoreTable& Table() const { return m_table; }
  // Every entry back to the defaults (F1 on the high-score screen).
  void Reset() {
    ResetScoreTable(m_table);
    ClearParMarks();
  }

  // 1 and stores moves when moves is strictly below the level's record; 0
  // and nothing changed otherwise (equal counts keep the holder; levels past
  // the table have no record).
  int IsRecord(int levelIndex, int moves);
  // Stores the first 20 characters of name as the level's holder and as the
  // last name entered (the following bytes are zeroed).
  void SetName(int levelIndex, const char* name);
  // The last name entered in this run ("" at start), where the next name
  // entry starts.
  const char* LastName() const { return m_lastName; }

  // The level's record was just made with a play whose par was par (-1:
  // none known): it is marked when it is at or under par. The file has no
  // room for it, so the marks are those of the run.
  void NoteRecordPar(int levelIndex, int par);
  bool RecordAtPar(int levelIndex) const {
    return levelIndex >= 0 && levelIndex < kScoreLevels && m_atPar[levelIndex];
  }

 private:
  void ClearParMarks() {
    for (bool& mark : m_atPar) mark = false;
  }

  ScoreTable m_table;
  bool m_atPar[kScoreLevels] = {};
  char m_lastName[kScoreNameBytes] = {};
};
