// The game's states and the transitions between them.
#include "app/GameFlow.h"

#include <cstdio>
#include <cstdlib>

#include "app/BoardView.h"
#include "app/CelebrationScreen.h"
#include "app/Demonstration.h"
#include "app/GameHost.h"
#include "app/GameState.h"
#include "app/LevelStartScreen.h"
#include "app/MainLoop.h"
#include "app/Startup.h"
#include "app/TopBar.h"
#include "audio/Audio.h"
#include "audio/SoundFiles.h"
#include "puzzle/PuzzleHost.h"
#include "puzzle/PuzzleView.h"
#include "puzzle/SavedGame.h"
#include "render/Lights.h"
#include "ui/MenuScreen.h"
#include "ui/ModalScreens.h"
#include "ui/Scores.h"
#include "pages/Pages.h"

namespace {

std::function<FrameEnd(Screen&)> g_modalRunner;

void EnterPlaying() {
  g_game.overview = kOverviewDefaults;
  g_game.inGame = 1;
  g_game.menuShown = 0;
  g_game.attractMode = 0;
  g_game.camera = &g_game.overview;
  ResetModelViewAndLights();
}

void ReloadThemeOrEnd() {
  if (!ReloadCurrentTheme()) EndAfterFailure();
}

// The caller checked the level exists: a start that fails could not load
// the level's theme (the loader said why), which ends the game.
bool StartLevelOrEnd(int level) {
  if (!StartLevel(level)) EndAfterFailure();
  return true;
}

int LevelCount() { return static_cast<int>(CurrentLevelSet().levelCount); }

}  // namespace

FrameEnd RunModal(Screen& screen) {
  if (g_modalRunner) return g_modalRunner(screen);
  FrameRunner runner(GameFrameHooks());
  return runner.Run(screen);
}

void SetModalRunner(std::function<FrameEnd(Screen&)> runner) { g_modalRunner = std::move(runner); }

void StartNewGame() {
  if (LevelCount() <= 0) return;
  EnterPlaying();
  g_game.themeIndex = 0;
  ReloadThemeOrEnd();
  StartLevelOrEnd(0);
  PlayGameMusic();
  ShowLevelStart();
}

bool StartAtLevel(int level) {
  if (level < 0 || level >= LevelCount()) return false;
  EnterPlaying();
  ReloadThemeOrEnd();
  if (!StartLevelOrEnd(level)) return false;
  ShowLevelStart();
  return true;
}

void ResumeLoadedSlot() {
  // A game loaded from the menus brings the game music along.
  if (!g_game.inGame) PlayGameMusic();
  EnterPlaying();
  if (!ResumeLoadedGame()) EndAfterFailure();
  SelectCube(Play().selectedCube);
}

void PauseGame() {
  ClearTargets();
  ResetModelViewAndLights();
  g_game.menuShown = 1;
  ShowPauseMenu();
}

void ResumeGame() {
  ResetModelViewAndLights();
  g_game.menuShown = 0;
  SelectCube(Play().selectedCube);
}

void ReturnToMainMenu() {
  const bool demonstration = g_game.attractMode != 0;
  FreeGameFonts();
  EndLevel();
  FreeLevelTheme();
  PlayMenuMusic();
  ShowMainMenu();
  g_game.inGame = 0;
  g_game.attractMode = 0;
  g_game.menuShown = 1;
  g_game.idleTime = 0.0f;
  if (!demonstration) {
    auto scores = MakeHighScoreScreen();
    RunModal(*scores);
  }
  g_game.cameraMode = 0;
  g_game.camera = &g_game.overview;
  ResetModelViewAndLights();
}

void StartDemonstration(int level) {
  const int count = LevelCount();
  if (count <= 0) return;
  // The first five levels, or those there are.
  if (level < 0 || level >= count) level = std::rand() % (count < 5 ? count : 5);
  g_game.overview = kOverviewDefaults;
  g_game.camera = &g_game.overview;
  g_game.cameraMode = 0;
  g_game.menuShown = 0;
  g_game.inGame = 0;
  g_game.attractMode = 1;
  g_game.cameraPan[0] = g_game.cameraPan[1] = g_game.cameraPan[2] = 0.0f;
  ResetModelViewAndLights();
  ReloadThemeOrEnd();
  BeginDemonstration(level);
  g_game.idleTime = 0.0f;
  std::printf("Demonstration of level %d\n", level + 1);
  std::fflush(stdout);
}

bool NextLevel() {
  g_game.cameraMode = 0;
  g_game.camera = &g_game.overview;
  g_game.cameraPan[0] = g_game.cameraPan[1] = g_game.cameraPan[2] = 0.0f;
  const int level = Play().levelIndex;
  if (IsRecord(level, Play().moveCount)) {
    auto entry = MakeNameEntryScreen(level, Play().moveCount);
    RunModal(*entry);
  }
  if (level + 1 >= LevelCount()) return false;
  return StartLevelOrEnd(level + 1);
}

bool HearFormedWords() {
  const int formed = CurrentBoard().formedCount;
  if (formed == Play().lastWordsFormed) return false;
  const bool all = formed == static_cast<int>(CurrentBoard().wordCount);
  if (all || formed > Play().lastWordsFormed) {
    Host().PlaySound(all ? kSoundLevelWon : kSoundWordFormed);
    Celebrate();
  }
  AcknowledgeWordsFormed();
  return all;
}

void CheckLevelCompletion() {
  if (!HearFormedWords()) return;
  if (Play().levelIndex + 1 < LevelCount()) {
    auto won = MakeLevelWonScreen();
    if (RunModal(*won) == FrameEnd::kClosed) return;
  }
  if (NextLevel()) {
    ShowLevelStart();
    return;
  }
  auto gameWon = MakeGameWonScreen();
  if (RunModal(*gameWon) == FrameEnd::kClosed) return;
  ReturnToMainMenu();
}

void ShowLevelStart() {
  auto start = MakeLevelStartScreen();
  RunModal(*start);
}

void InstallMenuActions() {
  MenuActions actions;
  actions.newGame = [] { StartNewGame(); };
  actions.resumeGame = [] { ResumeGame(); };
  actions.playLevel = [](int level) { StartAtLevel(level); };
  actions.loadedGame = [](int) { ResumeLoadedSlot(); };
  actions.quitToMainMenu = [] { ReturnToMainMenu(); };
  actions.quitGame = [] { RequestQuit(); };
  actions.showPage = [](int set) { ShowPage(set); };
  actions.runScreen = [](Screen& screen) { RunModal(screen); };
  actions.resolutionChanged = [] { ResolutionChanged(); };
  actions.resolutionFailed = [] { EndAfterFailure(); };
  // The name entry stands over the level just won.
  actions.drawLevelScene = [] {
    DrawPlayingBoard(true);
    DrawTopBar();
  };
  SetMenuActions(std::move(actions));
}
