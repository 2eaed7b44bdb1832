// The game's flow between its screens.
#include "app/Game.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <malloc.h>
#include <memory>
#include <system_error>

#include "app/Demonstration.h"
#include "app/LevelStartScreen.h"
#include "app/PlayingScreen.h"
#include "audio/Audio.h"
#include "audio/SoundFiles.h"
#include "base/FileAccess.h"
#include "config/Language.h"
#include "config/Settings.h"
#include "pages/Pages.h"
#include "puzzle/PlayState.h"
#include "puzzle/PuzzleView.h"
#include "puzzle/SavedGame.h"
#include "render/Renderer.h"
#include "ui/ModalScreens.h"

namespace {

// The page sets of the main menu's Order entry and of the way out.
constexpr int kOrderPageSet = 2;
constexpr int kExitPageSet = 3;
// The fade to black before the goodbye page, and from black at the start.
constexpr float kQuitFadeFrames = 100.0f;

int LevelCount(const Puzzle& puzzle) { return static_cast<int>(puzzle.LevelSet().levelCount); }

// The goodbye page, once the music that faded with the screen is stopped; it
// closes by itself after three seconds, or at a key. When the records or the
// settings could not be written, the page says so in place of the line that
// says they are saved.
constexpr float kGoodbyeFrames = 180.0f;
class GoodbyeScreen final : public PageScreen {
 public:
  GoodbyeScreen(std::string lang, const Renderer& renderer, bool saved)
      : PageScreen(kExitPageSet, std::move(lang), renderer) {
    CloseAfter(kGoodbyeFrames);
    if (!saved) ReplaceText(Label(LabelKey::ExitSaved), Label(LabelKey::ExitNotSaved));
  }
  void Enter() override {
    StopMusic();
    PageScreen::Enter();
  }
};

}  // namespace

void Game::PlayFromLevelStart(int level) {
  // The caller checked the level exists: a start that fails could not load
  // the level's theme (the loader said why), which ends the game.
  if (!m_puzzle.StartLevel(level)) EndAfterFailure();
  Flow().Push(std::make_unique<PlayingScreen>(*this));
  Flow().Push(std::make_unique<LevelStartScreen>(*this));
}

namespace {

// The par's search in all, over the first frames of a level.
constexpr double kParBudgetMilliseconds = 200.0;

}  // namespace

void Game::BeginPar() {
  m_par.Begin(m_puzzle, kParBudgetMilliseconds);
  m_parMoves = -1;
  m_topBar.SetPar(-1);
}

void Game::ForgetPar() {
  m_par.Cancel();
  m_parMoves = -1;
  m_topBar.SetPar(-1);
}

bool Game::StepPar() {
  if (!m_par.Step()) return false;
  const SolverResult* result = m_par.Result();
  if (!result || result->outcome != SolverOutcome::kSolved) return false;
  m_parMoves = static_cast<int>(result->moves.size());
  m_topBar.SetPar(m_parMoves);
  m_topBar.Prepare(false);
  return true;
}

void Game::StartNewGame() {
  if (LevelCount(m_puzzle) <= 0) return;
  ResetView();
  PlayFromLevelStart(0);
  PlayGameMusic();
}

bool Game::StartAtLevel(int level) {
  if (level < 0 || level >= LevelCount(m_puzzle)) return false;
  ResetView();
  PlayFromLevelStart(level);
  return true;
}

void Game::ResumeLoadedSlot() {
  ForgetPar();  // the start of a loaded game is not known
  // Over a level (its pause menu or F2), that level takes the loaded game.
  const ScreenStack& stack = m_runner->Stack();
  for (int depth = stack.Depth() - 1; depth >= 0; --depth) {
    if (auto* playing = dynamic_cast<PlayingScreen*>(stack.At(depth))) {
      Flow().PopTo(depth + 1);
      playing->ResumeLoaded();
      return;
    }
  }
  // From the menus: a game loaded there brings the game music along.
  PlayGameMusic();
  ResetView();
  auto playing = std::make_unique<PlayingScreen>(*this);
  playing->ResumeLoaded();
  Flow().Push(std::move(playing));
}

void Game::ResumeGame() { Flow().Pop(); }

void Game::ReturnToMainMenu(bool afterDemonstration) {
  PlayMenuMusic();
  m_menus.ShowMainMenu();
  // The main menu stays at the bottom of the stack.
  Flow().PopTo(1);
  if (!afterDemonstration) Flow().Push(MakeHighScoreScreen(m_menus));
}

void Game::StartDemonstrationOf(int level) {
  const int count = LevelCount(m_puzzle);
  if (count <= 0) return;
  // The first five levels, or those there are.
  if (level < 0 || level >= count) level = std::rand() % (count < 5 ? count : 5);
  ResetView();
  ForgetPar();
  Flow().Push(std::make_unique<DemonstrationScreen>(*this, level));
  std::printf("Demonstration of level %d\n", level + 1);
  std::fflush(stdout);
}

void Game::QuitGame() {
  FadeToMusic(-1);
  // Written now, so that the goodbye page can tell how it went.
  const bool saved = SavePlayerFiles();
  Flow().Quit(BlackFade{kQuitFadeFrames, 0.0f},
              std::make_unique<GoodbyeScreen>(g_settings.lang.c_str(), *m_renderer, saved));
}

void Game::ShowOrderPage() {
  Flow().Push(std::make_unique<PageScreen>(kOrderPageSet, g_settings.lang.c_str(), *m_renderer), {},
              [this] { ResetView(); });
}

bool Game::HearFormedWords() {
  const Board& board = m_puzzle.Board();
  const int formed = board.formedCount;
  if (formed == m_puzzle.Play().lastWordsFormed) return false;
  const bool all = formed == static_cast<int>(board.wordCount);
  if (all || formed > m_puzzle.Play().lastWordsFormed) {
    m_host.PlaySound(all ? kSoundLevelWon : kSoundWordFormed);
    m_renderer->StartParticleBurst();
  }
  m_puzzle.AcknowledgeWordsFormed();
  return all;
}

bool Game::ReloadCurrentTheme() {
  m_renderer->FreeTheme();
  m_loadedTheme = -1;
  const bool loaded = m_renderer->LoadTheme(m_themeIndex);
  // A theme's images are decoded into large blocks freed after the upload:
  // handed back to the system, so that the game's memory does not keep the
  // high-water mark of every theme it has shown.
  malloc_trim(0);
  if (!loaded) return false;
  m_loadedTheme = m_themeIndex;
  return true;
}

bool Game::ChooseThemeForLevel() {
  const int count = m_renderer->ThemeCount();
  m_themeIndex = count > 0 ? (m_puzzle.Play().levelIndex / 4) % count : 0;
  if (m_themeIndex == m_loadedTheme) return true;
  return ReloadCurrentTheme();
}

void Game::FreeLevelTheme() {
  if (m_renderer) m_renderer->FreeTheme();
  m_loadedTheme = -1;
  malloc_trim(0);
}

std::string Game::NextScreenshotPath() {
  // On from the highest number there, so that the first F10 of a run never
  // replaces a picture of an earlier one.
  char directory[1100];
  std::snprintf(directory, sizeof directory, "%scapture\\", g_settings.gamePath);
  int next = 0;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(NativePath(directory), error)) {
    const std::string name = entry.path().filename().string();
    int number = -1, length = 0;
    if (std::sscanf(name.c_str(), "ScreenShot%d.bmp%n", &number, &length) == 1 &&
        length == static_cast<int>(name.size()) && number >= next && number < INT_MAX)
      next = number + 1;
  }
  char path[1200];
  std::snprintf(path, sizeof path, "%sScreenShot%02d.bmp", directory, next);
  return path;
}

bool Game::LoadChosenLevelSet() { return SelectLevelSet() != 0; }
void Game::SetDifficulty(int difficulty) { m_puzzle.SetDifficulty(difficulty); }
void Game::SetSpeed(int speed) { m_puzzle.SetMoveDuration(MoveDurationForSpeed(speed)); }

void Game::SetMusicOn(bool on) {
  SetMusicEnabled(on ? 1 : 0);
  // Switched back on, the track of the moment plays again at once rather
  // than from the next change of track.
  if (on) StartMusic(CurrentAudioState().currentTrack);
}

void Game::SetSoundOn(bool on) { SetSoundEnabled(on ? 1 : 0); }

// The one place the player's settings become the renderer's options.
void Game::RenderChoicesChanged() {
  RenderOptions options;
  options.reflect = g_settings.reflect;
  options.shadow = g_settings.shadow;
  options.cartoon = g_settings.cartoon;
  options.mipMapping = g_settings.mipMapping;
  m_renderer->SetOptions(options);
}
