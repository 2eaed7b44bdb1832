// TRANSITIONAL BRIDGE for the callers not yet converted to the Puzzle object
// (app/, ui/, render/, the viewer and their tests). New code takes a Puzzle&
// or a const Puzzle& and does not use this header.
//
// The free functions the game called before the puzzle became an object,
// each forwarding to the game's one Puzzle (GamePuzzle()). Before every call
// that changes it, the puzzle is handed what the settings and the language
// decide (move duration, game path, the level sets with their symmetric
// letters); a loaded game's difficulty and level set go back into the
// settings. The library glyphox_game_puzzle defines them; when no caller is
// left, this file pair and that library go.
#pragma once

#include <cstdint>
#include <string>

#include "puzzle/Board.h"
#include "puzzle/LevelSet.h"
#include "puzzle/PlayState.h"
#include "puzzle/Rules.h"
#include "puzzle/SavedGame.h"
#include "puzzle/Scene.h"
#include "puzzle/Variation.h"

class Puzzle;
class PuzzleHost;

// The game's puzzle. Its host forwards to the one InstallPuzzleHost names.
Puzzle& GamePuzzle();

void InstallPuzzleHost(PuzzleHost* host);  // null: the host that does nothing
PuzzleHost& Host();

const PlayState& Play();
const Board& CurrentBoard();
const LevelSet& CurrentLevelSet();
const Level& CurrentLevel();
int CubeCount();
const CubeState& CubeRecord(int index);
int ArrowCount();
const ArrowRecord& Arrow(int index);
int FindCubeAt(int x, int y);
int CanMove(int x, int y);
int AlphabetIndex(char16_t letter);
const ShuffleRecord& LastShuffle();

void ResetPlayState();
void SetGameDifficulty(int difficulty);

int LoadLevelSet(const char* path);
// The set the LangLevel setting names; "Unknown language : '%s'" when the
// language file has no such set.
int SelectLevelSet();
void FreeLevelSet();
int FindLevelByCode(const uint8_t code[kCodeLength], int& index);
int AdoptLevelSetWithCode(LevelSet& candidate, int selectedBy, const uint8_t code[kCodeLength], int& index);

int StartLevel(int index, const LevelStartOptions& options = LevelStartOptions());
void EndLevel();
void UpdateLevel();
void ClearTargets();
void SelectCube(int i);
void SelectNextMovable(bool forward);
int MoveSelected(int direction);
int Undo();
void AcknowledgeWordsFormed();
void RecordShuffle(bool on);

std::string SaveSlotPath(int slot);
SaveSlotInfo ReadSaveSlotInfo(int slot);
int SaveGame(int slot);
int SaveGameFile(const char* path);
int LoadGame(int slot);
int LoadGameFile(const char* path);
int ResumeLoadedGame();
