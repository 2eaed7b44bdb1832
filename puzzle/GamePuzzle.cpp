#include "puzzle/GamePuzzle.h"

#include <cstdio>
#include <utility>
#include <vector>

#include "config/Language.h"
#include "config/Settings.h"
#include "puzzle/Puzzle.h"

namespace {

// The host of the game's puzzle: passes every request on to the installed
// host, and writes the settings a loaded game brings before telling it.
class ForwardingHost final : public PuzzleHost {
 public:
  void Install(PuzzleHost* host) { m_installed = host ? host : &m_none; }
  PuzzleHost& Installed() const { return *m_installed; }

  uint32_t Ticks() override { return m_installed->Ticks(); }
  void PlaySound(int number) override { m_installed->PlaySound(number); }
  bool DemonstrationRunning() override { return m_installed->DemonstrationRunning(); }
  void CaptureLevelStartScreen() override { m_installed->CaptureLevelStartScreen(); }
  bool ChooseThemeForLevel() override { return m_installed->ChooseThemeForLevel(); }
  void ShowWordList() override { m_installed->ShowWordList(); }
  void ResetCameras() override { m_installed->ResetCameras(); }
  void ClearSceneLists() override { m_installed->ClearSceneLists(); }
  void BeginSceneBuild() override { m_installed->BeginSceneBuild(); }
  void EndSceneBuild() override { m_installed->EndSceneBuild(); }
  void ShowOverview() override { m_installed->ShowOverview(); }
  void PrepareTopBar(bool full) override { m_installed->PrepareTopBar(full); }
  void SettingsChanged(int difficulty, int levelSet) override {
    g_settings.difficulty = difficulty;
    g_settings.langLevel = levelSet;
    m_installed->SettingsChanged(difficulty, levelSet);
  }
  void LoadCubeAppearance(Cube& cube) override { m_installed->LoadCubeAppearance(cube); }
  void SetItemLook(Item& item, int look) override { m_installed->SetItemLook(item, look); }
  void ReleaseItem(Item& item) override { m_installed->ReleaseItem(item); }

 private:
  PuzzleHost m_none;
  PuzzleHost* m_installed = &m_none;
};

// Process-wide until every caller is handed the Puzzle it uses.
struct GameSide {
  ForwardingHost host;
  Puzzle puzzle{&host};
} g_gameSide;

// The setting a roll may need, handed in before each call that changes the
// puzzle (the options and the tests change it between calls).
Puzzle& Synced() {
  Puzzle& puzzle = g_gameSide.puzzle;
  puzzle.SetMoveDuration(MoveDurationForSpeed(g_settings.speed));
  return puzzle;
}

// Also the game directory, for the calls that name a save slot.
Puzzle& WithGamePath() {
  Puzzle& puzzle = Synced();
  puzzle.SetGamePath(g_settings.gamePath);
  return puzzle;
}

// Also the level sets of the language file, for the calls that choose one.
Puzzle& WithLevelSets() {
  std::vector<LevelSetChoice> choices;
  for (int i = 0; i < LevelSetCount(); ++i)
    choices.push_back(LevelSetChoice{"data/level/" + LevelSetSlot(i).file.ToUtf8(), SymmetricLetters(i)});
  Puzzle& puzzle = WithGamePath();
  puzzle.SetLevelSetChoices(std::move(choices));
  return puzzle;
}

}  // namespace

Puzzle& GamePuzzle() { return g_gameSide.puzzle; }

void InstallPuzzleHost(PuzzleHost* host) { g_gameSide.host.Install(host); }
PuzzleHost& Host() { return g_gameSide.host.Installed(); }

const PlayState& Play() { return GamePuzzle().Play(); }
const Board& CurrentBoard() { return GamePuzzle().Board(); }
const LevelSet& CurrentLevelSet() { return GamePuzzle().LevelSet(); }
const Level& CurrentLevel() { return GamePuzzle().Level(); }
int CubeCount() { return GamePuzzle().CubeCount(); }
const CubeState& CubeRecord(int index) { return GamePuzzle().CubeRecord(index); }
int ArrowCount() { return GamePuzzle().ArrowCount(); }
const ArrowRecord& Arrow(int index) { return GamePuzzle().Arrow(index); }
int FindCubeAt(int x, int y) { return GamePuzzle().FindCubeAt(x, y); }
int CanMove(int x, int y) { return GamePuzzle().CanMove(x, y); }
int AlphabetIndex(char16_t letter) { return GamePuzzle().LevelSet().AlphabetIndex(letter); }
const ShuffleRecord& LastShuffle() { return GamePuzzle().LastShuffle(); }

void ResetPlayState() { Synced().ResetPlay(); }
void SetGameDifficulty(int difficulty) { Synced().SetDifficulty(difficulty); }

int LoadLevelSet(const char* path) { return Synced().LoadLevelSet(path); }

int SelectLevelSet() {
  Puzzle& puzzle = WithLevelSets();
  const int set = g_settings.langLevel;
  if (set < 0 || set >= puzzle.LevelSetChoiceCount()) {
    puzzle.FreeLevelSet();
    std::fprintf(stderr, "Unknown language : '%s'\n", g_settings.lang.c_str());
    return 0;
  }
  return puzzle.SelectLevelSet(set);
}

void FreeLevelSet() { Synced().FreeLevelSet(); }
int FindLevelByCode(const uint8_t code[kCodeLength], int& index) { return GamePuzzle().FindLevelByCode(code, index); }
int AdoptLevelSetWithCode(LevelSet& candidate, int selectedBy, const uint8_t code[kCodeLength], int& index) {
  return WithLevelSets().AdoptLevelSetWithCode(candidate, selectedBy, code, index);
}

int StartLevel(int index, const LevelStartOptions& options) { return Synced().StartLevel(index, options); }
void EndLevel() { Synced().EndLevel(); }
void UpdateLevel() { Synced().UpdateLevel(); }
void ClearTargets() { Synced().ClearTargets(); }
void SelectCube(int i) { Synced().SelectCube(i); }
void SelectNextMovable(bool forward) { Synced().SelectNextMovable(forward); }
int MoveSelected(int direction) { return Synced().MoveSelected(direction); }
int Undo() { return Synced().Undo(); }
void AcknowledgeWordsFormed() { Synced().AcknowledgeWordsFormed(); }
void RecordShuffle(bool on) { Synced().RecordShuffle(on); }

std::string SaveSlotPath(int slot) { return WithGamePath().SaveSlotPath(slot); }
SaveSlotInfo ReadSaveSlotInfo(int slot) { return WithLevelSets().ReadSaveSlotInfo(slot); }
int SaveGame(int slot) { return WithGamePath().SaveGame(slot); }
int SaveGameFile(const char* path) { return Synced().SaveGameFile(path); }
int LoadGame(int slot) { return WithLevelSets().LoadGame(slot); }
int LoadGameFile(const char* path) { return WithLevelSets().LoadGameFile(path); }
int ResumeLoadedGame() { return Synced().ResumeLoadedGame(); }
