#include "ui/Scores.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "base/FileAccess.h"
#include "config/Language.h"
#include "config/Settings.h"
#include "puzzle/ByteIO.h"

const char* const kDefaultScoreName = "ORB GAMES";
const char* const kScoreFileName = "score.orb";

namespace {

// A score file with bytes after its 60 records is still read for them; far
// longer is no score file.
constexpr size_t kMaxScoreFileBytes = 64 * 1024;

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

bool DecodeScoreFile(const uint8_t* bytes, size_t size, ScoreTable& table, std::string& error, int* kept) {
  ResetScoreTable(table);
  if (kept) *kept = 0;
  error.clear();
  auto note = [&error](const std::string& problem) {
    if (error.empty()) error = problem;
  };
  if (size != kScoreFileBytes)
    note("it holds " + std::to_string(size) + " bytes instead of " + std::to_string(kScoreFileBytes));
  ByteReader in(bytes, size);
  for (int i = 0; i < kScoreLevels && in.Remaining() >= kScoreRecordBytes; ++i) {
    ScoreEntry entry;
    in.Bytes(entry.name, kScoreNameBytes);
    entry.moves = in.I32();
    if (!IsScoreNameReadable(entry.name)) {
      note("the name of level " + std::to_string(i + 1) + " is unreadable");
    } else if (entry.moves < 0 || entry.moves > kDefaultScoreMoves) {
      note("level " + std::to_string(i + 1) + " holds " + std::to_string(entry.moves) + " moves");
    } else {
      table.entries[i] = entry;
      if (kept) ++*kept;
    }
  }
  return error.empty();
}

std::vector<uint8_t> EncodeScoreFile(const ScoreTable& table) {
  ByteWriter out;
  for (const ScoreEntry& entry : table.entries) {
    out.Bytes(entry.name, kScoreNameBytes);
    out.I32(entry.moves);
  }
  return out.Take();
}

ScoreFileState LoadScoreTable(const char* path, ScoreTable& table) {
  ResetScoreTable(table);
  std::vector<uint8_t> bytes;
  std::string reason;
  const std::string name = NativePath(path);
  switch (ReadFileBytes(path, kMaxScoreFileBytes, bytes, &reason)) {
    case FileRead::kMissing:
      return ScoreFileState::kMissing;
    case FileRead::kTooLarge:
    case FileRead::kFailed:
      std::fprintf(stderr, "Score file %s can't be read (%s); its records are left as they are\n", name.c_str(),
                   reason.c_str());
      return ScoreFileState::kUnreadable;
    case FileRead::kOk:
      break;
  }
  int good = 0;
  if (DecodeScoreFile(bytes.data(), bytes.size(), table, reason, &good)) return ScoreFileState::kRead;
  std::fprintf(stderr, "Score file %s is damaged (%s); %d of %d records kept, the file goes to %s.bad\n", name.c_str(),
               reason.c_str(), good, kScoreLevels, name.c_str());
  return ScoreFileState::kDamaged;
}

int SaveScoreTable(const char* path, const ScoreTable& table) {
  const std::vector<uint8_t> bytes = EncodeScoreFile(table);
  return WriteWholeFile(path, bytes.data(), bytes.size());
}

std::string ScoreFileName(int set) {
  std::string file = set >= 0 && set < LevelSetCount() ? LevelSetSlot(set).file.ToUtf8() : std::string();
  const std::string extension = ".lvl";
  if (file.size() > extension.size() && file.compare(file.size() - extension.size(), extension.size(), extension) == 0)
    file.resize(file.size() - extension.size());
  return file.empty() ? kScoreFileName : "score-" + file + ".orb";
}

std::string ScoreFilePath(int set) {
  return std::string(g_settings.gamePath) + ScoreFileName(set < 0 ? g_settings.langLevel : set);
}

void HighScores::NoteRecordPar(int entry, int par) {
  if (entry < 0 || entry >= kScoreLevels) return;
  m_atPar[entry] = par >= 0 && m_table.entries[entry].moves <= par;
}

void HighScores::Load() {
  m_set = g_settings.langLevel;
  const std::string path = ScoreFilePath(m_set);
  const std::string older = std::string(g_settings.gamePath) + kScoreFileName;
  if (path != older && !FileExists(path.c_str()) && FileExists(older.c_str())) {
    // The first start after the records were split by level set: an older
    // game's records become this set's. The old file goes only once they are
    // written whole; a damaged one stays where it is.
    ScoreTable table;
    const ScoreFileState olderState = LoadScoreTable(older.c_str(), table);
    if ((olderState == ScoreFileState::kRead || olderState == ScoreFileState::kDamaged) &&
        SaveScoreTable(path.c_str(), table) == 0 && olderState == ScoreFileState::kRead)
      std::remove(older.c_str());
  }
  m_state = LoadScoreTable(path.c_str(), m_table);
  m_asRead = m_table;
  ClearParMarks();
}

bool HighScores::Save() {
  if (m_set < 0) return true;
  const std::string path = ScoreFilePath(m_set);
  const std::string name = NativePath(path.c_str());
  const bool changed = EncodeScoreFile(m_table) != EncodeScoreFile(m_asRead);
  if (m_state == ScoreFileState::kUnreadable && !changed) return true;
  if (m_state == ScoreFileState::kDamaged || m_state == ScoreFileState::kUnreadable) {
    std::string reason;
    const std::string aside = MoveAside(path.c_str(), reason);
    if (aside.empty() && FileExists(path.c_str())) {
      std::fprintf(stderr, "Couldn't set %s aside (%s); the new high scores are not written\n", name.c_str(),
                   reason.c_str());
      return false;
    }
    if (!aside.empty()) std::fprintf(stderr, "Score file %s kept as %s\n", name.c_str(), aside.c_str());
  }
  const int error = SaveScoreTable(path.c_str(), m_table);
  if (error) {
    std::fprintf(stderr, "Couldn't save the high scores to %s: %s\n", name.c_str(), SystemReason(error).c_str());
    return false;
  }
  m_state = ScoreFileState::kRead;
  m_asRead = m_table;
  return true;
}

void HighScores::Follow() {
  if (m_set < 0 || m_set == g_settings.langLevel) return;
  Save();
  Load();
}

int HighScores::IsRecord(int entry, int moves) {
  Follow();
  if (entry < 0 || entry >= kScoreLevels) return 0;
  ScoreEntry& held = m_table.entries[entry];
  if (moves >= held.moves) return 0;
  // The file keeps counts of 0..10000; no game ends below zero moves.
  held.moves = moves < 0 ? 0 : moves;
  return 1;
}

void HighScores::SetName(int entry, const char* name) {
  Follow();
  CopyName(m_lastName, name);
  if (entry < 0 || entry >= kScoreLevels) return;
  SetEntryName(m_table.entries[entry], m_lastName);
}
