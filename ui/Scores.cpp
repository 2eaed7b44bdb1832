#include "ui/Scores.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "base/FileAccess.h"
#include "config/Settings.h"
#include "puzzle/ByteIO.h"

const char* const kDefaultScoreName = "ORB GAMES";
const char* const kScoreFileName = "score.orb";

namespace {


// Up to 20 characters, every following byte zero.
void CopyName(char (&to)[kScoreNameBytes], const char* name) {
  std::memset(to, 0, sizeof to);
  for (int i = 0; i < kScoreNameMax && name && name[i]; ++i) to[i] = name[i];
}

void SetEntryName(ScoreEntry& entry, const char* name) { CopyName(entry.name, name); }

}  // namespace

void ResetScoreTable(ScoreTable& table) {
  for (ScoreEntry& entry : table.entries) {
    SetEntryName(entry, kDefaultScoreName);
    entry.moves = kDefaultScoreMoves;
  }
}

bool IsScoreNameCharacter(unsigned int c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
  if (c == ' ' || c == '-' || c == '\'' || c == '.') return true;
  // Latin-1 letters, without the multiplication and division signs.
  return c >= 0xC0 && c <= 0xFF && c != 0xD7 && c != 0xF7;
}

bool IsScoreNameReadable(const char name[kScoreNameBytes]) {
  for (int i = 0; i < kScoreNameBytes; ++i) {
    unsigned char c = static_cast<unsigned char>(name[i]);
    if (c == 0) return true;
    if (!IsScoreNameCharacter(c)) return false;
  }
  return false;
}

CUString ScoreNameText(const char* name) {
  std::u16string units;
  for (const char* p = name; *p && units.size() < static_cast<size_t>(kScoreNameMax); ++p)
    units += static_cast<char16_t>(static_cast<unsigned char>(*p));
  return CUString(units.data(), units.size());
}

bool DecodeScoreFile(const uint8_t* bytes, size_t size, ScoreTable& table, std::string& error) {
  if (size != kScoreFileBytes) {
    error = "it holds " + std::to_string(size) + " bytes instead of " + std::to_string(kScoreFileBytes);
    return false;
  }
  ScoreTable scratch;
  ByteReader in(bytes, size);
  for (int i = 0; i < kScoreLevels; ++i) {
    ScoreEntry& entry = scratch.entries[i];
    in.Bytes(entry.name, kScoreNameBytes);
    entry.moves = in.I32();
    if (!IsScoreNameReadable(entry.name)) {
      error = "the name of level " + std::to_string(i + 1) + " is unreadable";
      return false;
    }
    if (entry.moves < 0 || entry.moves > kDefaultScoreMoves) {
      error = "level " + std::to_string(i + 1) + " holds " + std::to_string(entry.moves) + " moves";
      return false;
    }
  }
  table = scratch;
  return true;
}

std::vector<uint8_t> EncodeScoreFile(const ScoreTable& table) {
  ByteWriter out;
  for (const ScoreEntry& entry : table.entries) {
    out.Bytes(entry.name, kScoreNameBytes);
    out.I32(entry.moves);
  }
  return out.Take();
}

int LoadScoreTable(const char* path, ScoreTable& table) {
  ResetScoreTable(table);
  std::vector<uint8_t> bytes;
  // One byte more than a score file, so that a longer file shows as too long.
  FileRead read = ReadFileBytes(path, kScoreFileBytes + 1, bytes);
  if (read == FileRead::kMissing) return 0;
  std::string error;
  if (read == FileRead::kTooLarge)
    error = "it is longer than " + std::to_string(kScoreFileBytes) + " bytes";
  else if (read == FileRead::kFailed)
    error = "it cannot be read";
  else if (DecodeScoreFile(bytes.data(), bytes.size(), table, error))
    return 1;
  std::fprintf(stderr, "Score file %s is damaged (%s); the high scores start again\n", path, error.c_str());
  return 0;
}

int SaveScoreTable(const char* path, const ScoreTable& table) {
  std::vector<uint8_t> bytes = EncodeScoreFile(table);
  AtomicFileWriter out;
  if (!out.Open(path, "wb")) return 0;
  if (std::fwrite(bytes.data(), 1, bytes.size(), out.File()) != bytes.size()) return 0;
  return out.Commit() ? 1 : 0;
}

std::string ScoreFilePath() {
  char path[1200];
  std::snprintf(path, sizeof path, "%s%s", g_settings.gamePath, kScoreFileName);
  return path;
}

void HighScores::Load() {
  LoadScoreTable(ScoreFilePath().c_str(), m_table);
  ClearParMarks();
}

void HighScores::NoteRecordPar(int levelIndex, int par) {
  if (levelIndex < 0 || levelIndex >= kScoreLevels) return;
  m_atPar[levelIndex] = par >= 0 && m_table.entries[levelIndex].moves <= par;
}

void HighScores::Save() const { SaveScoreTable(ScoreFilePath().c_str(), m_table); }

int HighScores::IsRecord(int levelIndex, int moves) {
  if (levelIndex < 0 || levelIndex >= kScoreLevels) return 0;
  ScoreEntry& entry = m_table.entries[levelIndex];
  if (moves >= entry.moves) return 0;
  // The file keeps counts of 0..10000; no game ends below zero moves.
  entry.moves = moves < 0 ? 0 : moves;
  return 1;
}

void HighScores::SetName(int levelIndex, const char* name) {
  CopyName(m_lastName, name);
  if (levelIndex < 0 || levelIndex >= kScoreLevels) return;
  SetEntryName(m_table.entries[levelIndex], m_lastName);
}
