// The high-score tables: for each of the first 60 levels of a level set the
// best move count and the name of who made it, one file per level set below
// the game directory ("score-english.orb" for "english.lvl"). Entry i holds
// the level whose record is i (LevelSet::RecordOf), which stays with its
// board when a set is reordered.
//
// The game owns one HighScores, which holds the records of the level set
// LangLevel chooses: start-up loads them, the level-won step calls IsRecord
// and, when it returns 1, runs the name entry, which ends with SetName; a
// change of set saves them and loads the new set's; shutdown saves them.
//
// A score file: no header, exactly 60 records of 25 bytes in level order,
// 1,500 bytes: the 21 name bytes as held in memory (terminator and the bytes
// after it included), then the moves as a little-endian signed 32-bit int.
// The player's records are never replaced by defaults: of a damaged file the
// whole records are kept, and the file itself is set aside as
// "score.orb.bad" before the new one is written; a file that cannot be read
// at all is left alone unless a record is made, and then set aside first.
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
extern const char* const kScoreFileName;     // "score.orb", the one table of older games

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

// Reads a file image into table. True when it is a whole good file. Else
// false with a one-line reason, and the table holds what could be kept: each
// record of the image (up to 60) whose name is readable and whose move count
// lies in 0..10000, and the defaults for the others; *kept counts the records
// kept. Never reads past size.
bool DecodeScoreFile(const uint8_t* bytes, size_t size, ScoreTable& table, std::string& error, int* kept = nullptr);
std::vector<uint8_t> EncodeScoreFile(const ScoreTable& table);

// What a load found of a score file.
enum class ScoreFileState {
  kRead,        // a whole good file
  kMissing,     // none: the defaults, silently
  kDamaged,     // the good records kept, one message
  kUnreadable,  // not allowed, a directory, ...: the defaults, one message
};
ScoreFileState LoadScoreTable(const char* path, ScoreTable& table);
// Writes the table through the safe writer. Returns 0, or the errno of what
// failed (nothing written).
int SaveScoreTable(const char* path, const ScoreTable& table);

// "score-" + the level file's name without ".lvl" + ".orb" for level set
// set of the language file; "score.orb" for a set without a file.
std::string ScoreFileName(int set);
// Game directory + the score file of level set set (LangLevel by default).
std::string ScoreFilePath(int set = -1);

// The table of the run and the name entered last in it.
class HighScores {
 public:
  HighScores() { ResetScoreTable(m_table), ResetScoreTable(m_asRead); }

  // Reads the score file of the set LangLevel chooses (the defaults when it
  // is missing or unreadable, the good records of a damaged one). When that
  // file is missing, an older game's one "score.orb" becomes it.
  void Load();
  // Writes the table of the loaded set (one whose file could not be read
  // only when it changed), setting a damaged or unreadable file aside first.
  // True when it was written or had no need to be; false after a line on
  // stderr.
  bool Save();
  // The level set whose records are held (-1 before Load).
  int Set() const { return m_set; }

  // The records of the set LangLevel chooses now: after a change of set the
  // old set's are saved and the new set's loaded.
  ScoreTable& Table() {
    Follow();
    return m_table;
  }
  const ScoreTable& Table() const { return m_table; }
  // Every entry back to the defaults (F1 on the high-score screen).
  void Reset() {
    ResetScoreTable(m_table);
    ClearParMarks();
  }

  // entry: the level's in the table (LevelSet::RecordOf).
  // 1 and stores moves when moves is strictly below the level's record; 0
  // and nothing changed otherwise (equal counts keep the holder; levels past
  // the table have no record).
  int IsRecord(int entry, int moves);
  // Stores the first 20 characters of name as the level's holder and as the
  // last name entered (the following bytes are zeroed).
  void SetName(int entry, const char* name);
  // The last name entered in this run ("" at start), where the next name
  // entry starts.
  const char* LastName() const { return m_lastName; }

  // The level's record was just made with a play whose par was par (-1:
  // none known): it is marked when it is at or under par. The file has no
  // room for it, so the marks are those of the run.
  void NoteRecordPar(int entry, int par);
  bool RecordAtPar(int entry) const {
    return entry >= 0 && entry < kScoreLevels && m_atPar[entry];
  }

 private:
  void Follow();
  void ClearParMarks() {
    for (bool& mark : m_atPar) mark = false;
  }

  ScoreTable m_table;
  int m_set = -1;
  ScoreTable m_asRead;  // what the file gave, to tell a change
  ScoreFileState m_state = ScoreFileState::kMissing;
  bool m_atPar[kScoreLevels] = {};
  char m_lastName[kScoreNameBytes] = {};
};
