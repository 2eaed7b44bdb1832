// The initialisation and release sequences around the main loop, the start
// of the run and the change of resolution.
#include <GL/gl.h>
#include <SDL.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "app/Game.h"
#include "app/TimeDemo.h"
#include "audio/Audio.h"
#include "base/FileAccess.h"
#include "base/TraceLog.h"
#include "config/Settings.h"
#include "engine3d/GLContext.h"
#include "engine3d/Texture.h"
#include "intro/Intro.h"
#include "platform/Display.h"
#include "puzzle/LevelSet.h"
#include "puzzle/PlayState.h"
#include "puzzle/PuzzleView.h"
#include "puzzle/Rules.h"
#include "puzzle/SavedGame.h"
#include "config/Language.h"
#include "render/Renderer.h"
#include "text/TextSystem.h"
#include "ui/LevelSetChoices.h"
#include "ui/Scores.h"

namespace {

// The refresh of most screens: smooth to the eye, and a menu or a still
// board leaves the processor and the graphics card alone.
constexpr int kFrameRateCap = 60;
// The fade from black that opens the main menu.
constexpr float kStartFadeFrames = 100.0f;
// The pause before a new resolution, so that the monitor settles.
constexpr int kResolutionDelayMs = 1000;
// The size of the pointer drawn over every screen.
constexpr int kCursorSize = 16;

FrameHooks GameFrameHooks(EventQueue& events, Game& game) {
  FrameHooks hooks;
  hooks.ticks = [] { return static_cast<uint32_t>(SDL_GetTicks()); };
  hooks.closeRequested = [&events] { return events.CloseRequested(); };
  hooks.pollEvent = [&events](SDL_Event& event) { return events.Poll(event); };
  hooks.updateMusic = [](float frameDelta) { UpdateMusic(frameDelta); };
  hooks.readPointer = [](Pointer& pointer) {
    SDL_GetRelativeMouseState(&pointer.dx, &pointer.dy);
    pointer.buttons = SDL_GetMouseState(&pointer.x, &pointer.y) & 0xFF;
  };
  hooks.drawCursor = [&game](const Pointer& pointer) {
    game.TheRenderer().DrawCursor(pointer.x, pointer.y, kCursorSize);
  };
  hooks.drawBlack = [&game](float alpha) { game.TheRenderer().overlay.DrawBlackOverlay(alpha); };
  hooks.present = [](int framesPerSecond) { PresentFrame(framesPerSecond); };
  return hooks;
}

std::vector<ScreenSize> SizesOf(const DisplayModeList& modes) {
  std::vector<ScreenSize> sizes;
  for (const DisplayMode& mode : modes.modes) sizes.push_back({mode.width, mode.height});
  return sizes;
}

}  // namespace

Game::Game(LaunchOptions options)
    : m_options(options), m_runner(std::make_unique<FrameRunner>(GameFrameHooks(m_events, *this))) {}

Game::~Game() = default;

void Game::MakeDirectoriesRemembered(const char* path) {
  const std::string native = NativePath(path);
  for (size_t at = native.find('/'); at != std::string::npos; at = native.find('/', at + 1)) {
    const std::string directory = native.substr(0, at);
    if (!directory.empty() && !FileExists(directory.c_str())) m_createdDirectories.push_back(directory);
  }
  MakeDirectoriesAlongPath(path);
  // Scores, saves and screenshots would be lost there without a word.
  std::string reason;
  if (!DirectoryOfPathExists(path, reason))
    std::fprintf(stderr, "Couldn't make the directory %s: %s\n", native.c_str(), reason.c_str());
  // What writers killed in an earlier run left there goes now rather than at
  // the next write of the same file.
  RemoveStaleTemporaryFiles(path);
}

void Game::CreateGameDirectories() {
  ReadGameDirectory();
  m_createdDirectories.clear();
  RemoveStaleTemporaryFiles(".");  // config.ini's
  MakeDirectoriesRemembered(g_settings.gamePath);
  char path[1100];
  std::snprintf(path, sizeof path, "%ssave\\", g_settings.gamePath);
  MakeDirectoriesRemembered(path);
  std::snprintf(path, sizeof path, "%scapture\\", g_settings.gamePath);
  MakeDirectoriesRemembered(path);
}

void Game::RemoveCreatedDirectories() {
  for (auto directory = m_createdDirectories.rbegin(); directory != m_createdDirectories.rend(); ++directory)
    rmdir(directory->c_str());  // only while still empty
  m_createdDirectories.clear();
}

int Game::Initialise() {
  CreateGameDirectories();
  if (InitialiseSteps()) return 1;
  RemoveCreatedDirectories();
  return 0;
}

int Game::InitialiseSteps() {
  TraceLog::Write("InitTessel");
  m_puzzle.ResetPlay();
  std::srand(static_cast<unsigned>(std::time(nullptr)));

  TraceLog::Write("Load Config file");
  if (!LoadSettings()) return 0;
  g_settings.windowed = m_options.windowed ? 1 : 0;

  SetMipmapping(g_settings.mipMapping != 0);

  TraceLog::Write("read font.ini");
  ReadLogoColors();
  m_puzzle.SetDifficulty(g_settings.difficulty);
  m_puzzle.SetMoveDuration(MoveDurationForSpeed(g_settings.speed));
  m_puzzle.SetGamePath(g_settings.gamePath);
  SDL_ShowCursor(SDL_DISABLE);

  m_displayModes = BuildDisplayModeList(g_settings.windowed != 0, g_settings.width, g_settings.height);

  TraceLog::Write("set video mode");
  SetFrameRateCap(m_options.uncapped || m_options.timedemoFrames > 0 ? 0 : kFrameRateCap);
  if (!OpenDisplayAndRenderer(g_settings.width, g_settings.height)) {
    g_settings.width = 640;
    g_settings.height = 480;
    std::fprintf(stderr, "Couldn't initialize OpenGL\n");
    // The one write of a failed start: the next one tries the smallest size.
    StoreSettings();
    return 0;
  }
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);

  SetWindowCaption();

  TraceLog::Write("Start ORB Logo");
  // The timedemo measures the way to the menu without the opening emblem. A
  // window closed during it ends the run at the first frame of the menu.
  if (m_options.timedemoFrames <= 0) {
    m_runner->Run(std::make_unique<IntroScreen>(*m_renderer));
    m_runner->LeaveAll();
  }
  SetWindowCaption();

  TraceLog::Write("Init Font");
  if (!m_menus.SetUpFont(g_settings.width, g_settings.height)) return 0;

  TraceLog::Write("Init Tessel 3D");
  if (!m_renderer->LoadMenuObjects()) return 0;

  TraceLog::Write("Init ListTheme");
  if (!m_renderer->ScanThemes()) return 0;

  TraceLog::Write("Init Tessel Menu");
  if (!m_menus.Build(SizesOf(m_displayModes))) return 0;
  if (!m_menus.LoadHighlightTexture()) return 0;

  TraceLog::Write("Init Level");
  m_puzzle.FreeLevelSet();
  if (!SelectLevelSet()) return 0;

  TraceLog::Write("Init Scores");
  m_scores.Load();

  ResetView();

  TraceLog::Write("Init Sound");
  if (!InitAudio()) return 0;
  SetSoundEnabled(g_settings.sound);
  SetMusicEnabled(g_settings.music);
  SetAutoNext(0);

  TraceLog::Write("Play Music");
  StartMusic(kMenuTrack);

  TraceLog::Write("Upload fonts");
  m_menus.PrepareTexts();

  TraceLog::Write("Init 3D fonts");
  SetKeyboardInput(2, 1, true);

  TraceLog::Write("Init : ok");
  m_started = true;
  return 1;
}

int Game::Run() {
  if (m_options.timedemoFrames > 0) {
    std::srand(m_options.seeded ? m_options.seed : 1u);
    return RunTimeDemo(*this, m_options.timedemoLevel, m_options.timedemoFrames, m_options.launched);
  }
  Begin();
  m_runner->Run(nullptr);
  return 0;
}

void Game::Begin() {
  std::srand(m_options.seeded ? m_options.seed : static_cast<unsigned>(std::time(nullptr)));
  Flow().Push(std::make_unique<MainMenuScreen>(m_menus), BlackFade{0.0f, kStartFadeFrames});
  if (m_options.loadSlot >= 0) {
    if (m_puzzle.LoadGame(m_options.loadSlot)) ResumeLoadedSlot();
  } else if (m_options.level >= 0 && !StartAtLevel(m_options.level)) {
    std::fprintf(stderr, "No level %d in this level set\n", m_options.level + 1);
  }
}

void Game::Release() {
  if (m_released) return;
  m_released = true;
  TraceLog::Write("Free Tessel");
  // The screens' own resources go while everything they use is still there.
  m_runner->LeaveAll();
  SetKeyboardInput(500, 30, true);
  m_menus.ReleaseTexts();
  // A start that failed writes nothing: the player's files stay as they were.
  if (m_started && !m_playerFilesSaved) SavePlayerFiles();
  m_puzzle.EndLevel();
  m_loadedTheme = -1;
  m_topBar.FreeFonts();
  m_menus.FreeFont();
  m_puzzle.FreeLevelSet();
  QuitAudio();
  m_menus.FreeHighlightTexture();
  m_menus.Free();
  // The renderer (its theme, screen capture and menu objects) goes before
  // the display, which clears and presents once before the video stops.
  CloseRendererAndDisplay();
}

bool Game::SavePlayerFiles() {
  m_playerFilesSaved = true;
  const bool scores = m_scores.Save();
  const bool settings = StoreSettings() != 0;
  return scores && settings;
}

void Game::EndAfterFailure() {
  Release();
  SDL_Quit();
  QuitTextSystem();
  std::exit(1);
}

void Game::ChangeResolution(int width, int height) {
  PauseMusic();
  SDL_Delay(kResolutionDelayMs);
  if (!(m_renderer && m_renderer->Width() == width && m_renderer->Height() == height)) {
    g_settings.width = width;
    g_settings.height = height;
    m_menus.FreeHighlightTexture();
    // The renderer belongs to the display that closes, with its theme; a
    // new one comes with the new display.
    m_loadedTheme = -1;
    m_menus.ReleaseTexts();
    m_topBar.FreeFonts();
    CloseRendererAndDisplay();
    const bool reopened = OpenDisplayAndRenderer(width, height);
    if (reopened) SetWindowCaption();
    if (!reopened || !m_renderer->LoadMenuObjects() || !m_renderer->ScanThemes() || !m_menus.LoadHighlightTexture()) {
      std::fprintf(stderr, "couldn't change resolution\n");
      EndAfterFailure();
    }
    m_menus.PrepareTexts();
  }
  m_menus.SetScreenSize(width, height);
  m_menus.LayOut();
  ResumeMusic();
  ResetView();
}

bool Game::OpenDisplayAndRenderer(int width, int height) {
  if (!OpenDisplay(width, height, g_settings.windowed == 0)) return false;
  m_renderer = std::make_unique<Renderer>(width, height, RenderOptions(), m_puzzle);
  m_menus.SetRenderer(m_renderer.get());
  m_topBar.SetRenderer(m_renderer.get());
  m_topBar.SetMenus(&m_menus);
  RenderChoicesChanged();
  return true;
}

void Game::CloseRendererAndDisplay() {
  m_menus.SetRenderer(nullptr);
  m_topBar.SetRenderer(nullptr);
  m_renderer.reset();
  CloseDisplay();
}

int Game::SelectLevelSet() {
  m_puzzle.SetLevelSetChoices(LevelSetChoicesOfLanguage());
  const int set = g_settings.langLevel;
  if (set < 0 || set >= m_puzzle.LevelSetChoiceCount()) {
    m_puzzle.FreeLevelSet();
    std::fprintf(stderr, "Unknown language : '%s'\n", g_settings.lang.c_str());
    return 0;
  }
  return m_puzzle.SelectLevelSet(set);
}
