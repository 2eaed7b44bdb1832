// The puzzle: one object owning everything a game of it holds (the level
// set, the running board, the cube list and the level's cubes, the play
// state, the move under way, undo, arrows, the shuffle record, a loaded game
// waiting to be resumed) and the rules that change it.
//
// Readers (the renderer, the screens, the shell) get a const Puzzle& and see
// the records through Play(), Board(), LevelSet(), Level(), Move(),
// CubeRecord() and Arrow(); only the member functions below change them.
//
// What the game's settings and language decide is handed in (move duration,
// save directory, the level sets to choose from with their symmetric letters,
// difficulty); the puzzle reads no setting itself. What the rules ask of the
// rest of the game goes through the PuzzleHost given at construction.
//
// A level: StartLevel (restart is StartLevel(Play().levelIndex)), then per
// input SelectCube / SelectNextMovable / MoveSelected / Undo while
// Play().moveState is kMoveStateReady, and UpdateLevel once per frame; the
// shell compares Board().formedCount with Play().lastWordsFormed each frame.
// A move only starts a roll; its end (heard from the level's cubes during
// UpdateLevel) finishes the move and checks the words.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "puzzle/Board.h"
#include "puzzle/LevelSet.h"
#include "puzzle/PlayState.h"
#include "puzzle/PuzzleHost.h"
#include "puzzle/Rules.h"
#include "puzzle/SavedGame.h"
#include "puzzle/Scene.h"
#include "puzzle/Variation.h"

class Cube;

// A level set the player can choose (the language file lists them, numbered
// by LangLevel): its level file and the letters that read the same after a
// half turn in its font.
struct LevelSetChoice {
  std::string path;
  std::u16string symmetricLetters;
};

class Puzzle final : private RollListener {
 public:
  // The host is asked for looks, sounds and the clock and must outlive the
  // puzzle; null gives one that does nothing, its clock standing at 0.
  explicit Puzzle(PuzzleHost* host = nullptr);
  ~Puzzle() override;
  Puzzle(const Puzzle&) = delete;
  Puzzle& operator=(const Puzzle&) = delete;

  // ---- Handed in by the game ----
  // Milliseconds of an animated roll (250 until set); 0 or less rolls at once.
  void SetMoveDuration(int milliseconds) { m_level.SetMoveDuration(milliseconds); }
  int MoveDuration() const { return m_level.MoveDuration(); }
  // The game directory: slot n is gamePath + "save\saveNN.orb".
  void SetGamePath(const std::string& gamePath) { m_gamePath = gamePath; }
  // The level sets by LangLevel number (SelectLevelSet, saved games of
  // another set, the slot headers).
  void SetLevelSetChoices(std::vector<LevelSetChoice> choices) { m_choices = std::move(choices); }
  int LevelSetChoiceCount() const { return static_cast<int>(m_choices.size()); }
  // The difficulty of the games to come: the next start builds its cubes with it.
  void SetDifficulty(int difficulty) { m_play.difficulty = difficulty; }
  // The symmetric letters of the loaded set (for a set loaded by path).
  void SetSymmetricLetters(const std::u16string& letters) { m_levelSet.symmetricLetters = letters; }
  // Every field of the play state to its start value.
  void ResetPlay() { m_play = PlayState(); }

  // ---- Reading ----
  const PlayState& Play() const { return m_play; }
  const ::Board& Board() const { return m_board; }
  const ::LevelSet& LevelSet() const { return m_levelSet; }
  const ::Level& Level() const { return m_level; }
  const MoveRecord& Move() const { return m_move; }
  int CubeCount() const { return m_cubeCount; }
  const CubeState& CubeRecord(int index) const { return m_cubes[index]; }
  int ArrowCount() const { return m_arrowCount; }
  const ArrowRecord& Arrow(int index) const { return m_arrows[index]; }
  // Every step of the last shuffle made while recording (RecordShuffle).
  const ShuffleRecord& LastShuffle() const { return m_shuffle; }

  // Index of the first cube standing on (x, y), -1 when none.
  int FindCubeAt(int x, int y) const;
  // 1 when (x, y) holds a movable cube with at least one free neighbour.
  int CanMove(int x, int y) const;
  // The first cube in list order that can move, 0 when none can.
  int FirstMovableCube() const;
  // 1 when the cube's upper letter stands upright (or is turned by a half
  // turn and is one of the level set's symmetric letters).
  int IsUpright(const Cube& cube) const;
  // The first square, row by row, that is a cube carrying letter or a static
  // letter block. Returns false when there is none.
  bool FindAnchor(char16_t letter, int& x, int& y) const;
  // Finds the first level (from 0) of the loaded set whose plain code equals
  // the five bytes. Returns 1 and sets index, or 0 when no level matches.
  int FindLevelByCode(const uint8_t code[kCodeLength], int& index) const;

  // ---- The level set ----
  // Loads the level file as the level set selected by LangLevel selectedBy
  // (-1: by path alone, no symmetric letters). A file that is missing or
  // broken leaves the set in play as it was. Returns 1, or 0 after printing
  // "Couldn't load level file %s" and the reason.
  int LoadLevelSet(const char* path, int selectedBy = -1);
  // Loads the choice of that LangLevel. Returns 1, or 0 after printing why.
  int SelectLevelSet(int number);
  // Takes a set already read (tools and tests), as it is.
  void UseLevelSet(::LevelSet set);
  // Count 0, no records, empty alphabet.
  void FreeLevelSet();
  // The level set a code search read aside (ReadLevelSetFile) becomes the
  // loaded one, selected by LangLevel selectedBy, when it holds code:
  // returns 1 with the level's index. Otherwise returns 0 and the loaded set
  // stays.
  int AdoptLevelSetWithCode(::LevelSet& candidate, int selectedBy, const uint8_t code[kCodeLength], int& index);

  // ---- A level ----
  // Starts (or restarts) level index of the loaded set. Returns 1, or 0
  // after printing why (no such level, out of memory), or when the host
  // could not load the level's theme.
  int StartLevel(int index, const LevelStartOptions& options = LevelStartOptions());
  // Deletes the level's cubes (their looks go back through the host), so the
  // renderer's theme and materials can be freed after it.
  void EndLevel();
  // Once per frame: advances the roll under way by the host's clock (the
  // roll end finishes the move and checks the words).
  void UpdateLevel();
  void ClearTargets();
  void SelectCube(int i);
  // Steps the selection cyclically to the next (or previous) cube that can
  // move; after a full cycle without one the selection stays.
  void SelectNextMovable(bool forward);
  // One move of the selected cube. Returns 1 when a roll started, 0 when the
  // move is not allowed (nothing happens, no sound).
  int MoveSelected(int direction);
  // Rolls the newest recorded move back (costs ten moves). Returns 0 and
  // plays the refusal sound when there is nothing to undo; 0 silently while
  // a roll runs.
  int Undo();
  // A hint was shown: it costs ten moves, as an undo does.
  void ChargeHint();
  // Recomputes found flags, lit flags, placement score and in-place flags.
  // Returns the number of words spelled on the board.
  int CheckWords();
  // The shell heard the words formed so far: lastWordsFormed := formedCount.
  void AcknowledgeWordsFormed() { m_play.lastWordsFormed = m_board.formedCount; }
  // The demonstration switches recording on around its StartLevel; the
  // shuffle then keeps every step in LastShuffle.
  void RecordShuffle(bool on);

  // ---- Saved games ----
  // "%s%s%02d%s" from the game path, "save\save", the slot and ".orb".
  std::string SaveSlotPath(int slot) const;
  // What the slot holds: the whole file is read and checked as a load would,
  // so that only a game that loads shows as one (slot set); a file that is
  // no such game (damaged, or of an unknown level set, a difficulty outside
  // 0..2, a level not in its set) shows as damaged after one line on
  // stderr, one that cannot be read as unreadable, a missing one as empty.
  SaveSlotInfo ReadSaveSlotInfo(int slot) const;
  // The running game as a saved game (a roll under way is completed first).
  void CaptureSavedGame(SavedGame& game);
  // Writes the running game to the slot (through a temporary file). A slot
  // file that is no saved game (damaged or unreadable) is set aside as
  // "<name>.bad" first rather than lost. Returns 1, or 0 after printing why,
  // with the errno in *error.
  int SaveGame(int slot, int* error = nullptr);
  int SaveGameFile(const char* path, int* error = nullptr);
  // Reads the slot into the play state and the board, and its cube records
  // into the pending list; a game of another level set brings its set along
  // and the host hears the settings it brings. A missing, short or
  // inconsistent file, or a level that is not in its level set, prints one
  // line and changes nothing.
  int LoadGame(int slot);
  int LoadGameFile(const char* path);
  // The same for a file image already in memory; name is used in the message.
  int LoadGameData(const uint8_t* bytes, size_t size, const char* name);
  // Builds the scene for the loaded board and applies the pending cube
  // records (no variation, no shuffle; the move count is the loaded one).
  // Returns 0 when the host could not load the level's theme.
  int ResumeLoadedGame();

 private:
  // RollListener: both do nothing while the shuffle runs.
  void RollStarted() override;
  void RollEnded(int direction) override;

  // Refills the cube list from the letter grid, row-major; selectedCube := 0.
  void BuildCubeList();
  void SetCubeSquare(int i, int x, int y);
  void ShowTargets(int x, int y);
  void HighlightCube(int i);
  void StartMoveRoll(int direction, int x, int y);
  enum class Reading { kStatic, kRightLetter, kWrong };
  Reading ReadSquare(int x, int y, char16_t wanted) const;
  // The shuffle of a level start (see Variation.h): at most dealLimit rolls
  // in all when it is above 0.
  void MixLevel(int dealLimit);
  void DealGently(int moves);
  bool AllWordsStand();
  void ShuffleCube(int c);
  void RollInstantly(int c, int pick, int& cx, int& cy);
  // Applies the pending cube records to the cubes standing on their squares
  // and frees them.
  void ApplyPendingCubes();

  PuzzleHost m_noHost;
  PuzzleHost* m_host;
  std::string m_gamePath;
  std::vector<LevelSetChoice> m_choices;

  ::LevelSet m_levelSet;
  ::Board m_board = {};
  // The cube list of the running level; the index is each cube's number.
  CubeState m_cubes[kMaxCubes] = {};
  int m_cubeCount = 0;
  PlayState m_play;
  MoveRecord m_move = {};
  UndoStack m_undo;
  ArrowRecord m_arrows[kMaxArrows] = {};
  int m_arrowCount = 0;
  ::Level m_level;
  // Set while MixLevel runs: the roll listener does nothing then.
  int m_mixing = 0;
  // Set by the demonstration around its StartLevel: MixLevel records its steps.
  int m_recording = 0;
  ShuffleRecord m_shuffle;
  // Set while the roll of an undo runs: it chooses the undo sound.
  int m_undoRolling = 0;
  // The cube records of a loaded game, until ResumeLoadedGame applies them.
  std::vector<SavedCube> m_pending;
};
