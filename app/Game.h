// The game: one object that owns every subsystem of the run (the window's
// event queue and frame runner, the menus, the top bar, the puzzle's host)
// and the flow between the screens: a new game, a level from its code, a
// loaded game, pause and resume, the demonstration, back to the main menu,
// quitting.
//
//   Game game(options);
//   int status = game.Initialise() ? game.Run() : 1;
//   game.Release();
//
// Initialise brings the subsystems up in a fixed order (Startup.cpp) and
// returns 1, or 0 at the first failing step (what was started is left for
// Release). Release runs exactly once, also after a failed Initialise.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "app/GameHost.h"
#include "app/SlicedSolver.h"
#include "app/TopBar.h"
#include "platform/DisplayModes.h"
#include "platform/Events.h"
#include "platform/FrameRunner.h"
#include "puzzle/Puzzle.h"
#include "render/Renderer.h"
#include "ui/MenuScreen.h"
#include "ui/Scores.h"

// Switches for authors, testers and measurements, after the optional
// "-windowed": "-level N" plays level N (from 1) at once, "-load SLOT"
// resumes a saved slot (0..9) at once, "-timedemo LEVEL FRAMES" measures and
// ends, "-seed S" fixes the random draws (variation, shuffle, demonstration).
struct LaunchOptions {
  // When the process started, as near as main can tell (the timedemo
  // measures the way to the first menu frame from it).
  std::chrono::steady_clock::time_point launched = std::chrono::steady_clock::now();
  bool windowed = false;
  int level = -1;
  int loadSlot = -1;
  int timedemoLevel = -1;
  int timedemoFrames = 0;
  // Frames as fast as they come, without vertical sync (the timedemo and
  // the benchmarks measure what a frame costs).
  bool uncapped = false;
  bool seeded = false;
  unsigned seed = 0;
};
// Reads argv; false (after a message) when a switch lacks its number.
bool ReadLaunchOptions(int argc, char* argv[], LaunchOptions& options);

class Game final : public MenuActions {
 public:
  explicit Game(LaunchOptions options);
  ~Game() override;
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  int Initialise();
  // The main menu (or the level or slot the switches name) until the player
  // quits or the window closes; the timedemo instead when asked. Returns the
  // exit status.
  int Run();
  // What Run starts with: the random draws seeded, the main menu and over it
  // the level or the slot the switches name.
  void Begin();
  void Release();

  // A failure after a successful start (a theme that cannot be loaded, a
  // resolution change that fails): Release, platform shut down, status 1.
  [[noreturn]] void EndAfterFailure();

  // The flow between the screens.
  void StartNewGame();
  // The level a code named (or -level N), without a change of music. Returns
  // false when there is no such level.
  bool StartAtLevel(int level);
  // A slot the load screen (or -load) loaded becomes the game being played.
  void ResumeLoadedSlot();
  // Back to the main menu from a level; the high scores first unless the
  // demonstration ran.
  void ReturnToMainMenu(bool afterDemonstration);
  // Starts the demonstration on level (random among the first five when -1).
  void StartDemonstrationOf(int level);

  // Writes the high scores and config.ini (once in a run: on the way out,
  // before the goodbye page tells how it went). True when both were written.
  bool SavePlayerFiles();

  // Loads the theme of the current level when it differs from the loaded
  // one. Returns false when it could not (the caller ends the game).
  bool ChooseThemeForLevel();
  // Frees the level's theme (back to the menu); the next level loads it again.
  void FreeLevelTheme();
  // The next screenshot's file name: "capture\ScreenShot%02d.bmp" below the
  // game directory, numbered on from the highest number there (from 00).
  std::string NextScreenshotPath();

  ScreenFlow& Flow() { return m_runner->Flow(); }
  Puzzle& ThePuzzle() { return m_puzzle; }
  // The renderer of the open display (a new one after a change of
  // resolution); only while the display is open.
  Renderer& TheRenderer() { return *m_renderer; }
  int ScreenWidth() const { return m_renderer->Width(); }
  int ScreenHeight() const { return m_renderer->Height(); }
  // Model-view to identity and the lights put back.
  void ResetView() { m_renderer->lights.ResetModelView(); }
  // Compares the formed words with the count heard last: a new word sounds
  // (5) and sparks, all of them sound (4) and spark too; then the count is
  // heard. Returns true when all words stand.
  bool HearFormedWords();
  MenuSystem& Menus() { return m_menus; }
  HighScores& Scores() { return m_scores; }
  TopBar& Bar() { return m_topBar; }
  // The par of the level being played: the solver's length from the start
  // the game dealt, searched a slice a frame from the level start on; -1
  // while unknown, for a resumed game, or when none was found in time.
  int Par() const { return m_parMoves; }
  void BeginPar();
  void ForgetPar();
  // One slice of the par's search; true on the frame the par became known
  // (the top bar has it then).
  bool StepPar();
  // The search of a hint, a slice a frame (the playing screen's).
  SlicedSolver& HintSearch() { return m_hint; }
  GameHost& Host() { return m_host; }
  FrameRunner& Runner() { return *m_runner; }

  // MenuActions
  void NewGame() override { StartNewGame(); }
  void ResumeGame() override;
  void PlayLevel(int level) override { StartAtLevel(level); }
  void LoadedGame() override { ResumeLoadedSlot(); }
  void QuitToMainMenu() override { ReturnToMainMenu(false); }
  void QuitGame() override;
  void ShowOrderPage() override;
  void StartDemonstration() override { StartDemonstrationOf(-1); }
  void ChangeResolution(int width, int height) override;
  bool LoadChosenLevelSet() override;
  void SetDifficulty(int difficulty) override;
  void SetMusicOn(bool on) override;
  void SetSoundOn(bool on) override;
  void SetSpeed(int speed) override;
  void RenderChoicesChanged() override;

 private:
  int InitialiseSteps();
  // The level set LangLevel names among those of the language file. Returns
  // 1, or 0 after "Unknown language : '%s'" when there is no such set.
  int SelectLevelSet();
  // The display at the size of the settings with a renderer of its own.
  bool OpenDisplayAndRenderer(int width, int height);
  void CloseRendererAndDisplay();
  void CreateGameDirectories();
  void RemoveCreatedDirectories();
  void MakeDirectoriesRemembered(const char* path);
  bool ReloadCurrentTheme();
  // Starts the level with the playing screen and the level start over it.
  void PlayFromLevelStart(int level);

  LaunchOptions m_options;
  EventQueue m_events;
  std::unique_ptr<FrameRunner> m_runner;
  DisplayModeList m_displayModes;
  HighScores m_scores;
  // Whether Initialise got to its end: only then are the player's files
  // written at the end of the run.
  bool m_started = false;
  bool m_playerFilesSaved = false;
  GameHost m_host{*this};
  Puzzle m_puzzle{&m_host};
  std::unique_ptr<Renderer> m_renderer;
  TopBar m_topBar{m_puzzle};
  SlicedSolver m_par;
  int m_parMoves = -1;
  SlicedSolver m_hint;
  MenuSystem m_menus{*this, m_scores, m_puzzle};
  int m_themeIndex = 0;
  int m_loadedTheme = -1;  // the theme index loaded last, -1 when none is
  // The directories the start made, newest last: a failed start takes them
  // away again so that it leaves nothing behind.
  std::vector<std::string> m_createdDirectories;
  bool m_released = false;
};
