#include "app/Startup.h"

#include <GL/gl.h>
#include <SDL.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "app/Display.h"
#include "app/DisplayModes.h"
#include "app/GameHost.h"
#include "app/GameState.h"
#include "app/TopBar.h"
#include "base/TraceLog.h"
#include "audio/Audio.h"
#include "base/FileAccess.h"
#include "config/Settings.h"
#include "engine3d/GLContext.h"
#include "engine3d/Texture.h"
#include "intro/Intro.h"
#include "puzzle/LevelSet.h"
#include "puzzle/PuzzleView.h"
#include "puzzle/Rules.h"
#include "render/Lights.h"
#include "render/Overlay.h"
#include "render/Themes.h"
#include "text/TextSystem.h"
#include "ui/MenuScreen.h"
#include "ui/Scores.h"

namespace {

// Far above what the eye needs, low enough to leave the processor alone.
constexpr int kFrameRateCap = 250;

bool g_skipIntro = false;

// The theme index loaded last, -1 when none is.
int g_loadedTheme = -1;

// The directories the start made, newest last: a failed start takes them
// away again so that it leaves nothing behind.
std::vector<std::string> g_createdDirectories;

void MakeDirectoriesRemembered(const char* path) {
  const std::string native = NativePath(path);
  for (size_t at = native.find('/', native.find('/') + 1); at != std::string::npos; at = native.find('/', at + 1)) {
    const std::string directory = native.substr(0, at);
    if (!FileExists(directory.c_str())) g_createdDirectories.push_back(directory);
  }
  MakeDirectoriesAlongPath(path);
}

void CreateGameDirectories() {
  ReadGameDirectory();
  g_createdDirectories.clear();
  MakeDirectoriesRemembered(g_gamePath);
  char path[1100];
  std::snprintf(path, sizeof path, "%ssave\\", g_gamePath);
  MakeDirectoriesRemembered(path);
  std::snprintf(path, sizeof path, "%scapture\\", g_gamePath);
  MakeDirectoriesRemembered(path);
}

void RemoveCreatedDirectories() {
  for (auto directory = g_createdDirectories.rbegin(); directory != g_createdDirectories.rend(); ++directory)
    rmdir(directory->c_str());  // only while still empty
  g_createdDirectories.clear();
}

int InitialiseSteps();

}  // namespace

int Initialise() {
  CreateGameDirectories();
  if (InitialiseSteps()) return 1;
  RemoveCreatedDirectories();
  return 0;
}

namespace {

int InitialiseSteps() {
  TraceLog::Write("InitTessel");
  ResetGameState(g_game);
  ResetPlayState();
  std::srand(static_cast<unsigned>(std::time(nullptr)));

  TraceLog::Write("Load Config file");
  if (!LoadSettings()) return 0;

  SetMipmapping(g_settings.mipMapping != 0);

  TraceLog::Write("read font.ini");
  ReadLogoColors();
  SetGameDifficulty(g_settings.difficulty);
  ApplyRenderSettings();
  SDL_ShowCursor(SDL_DISABLE);

  BuildDisplayModeList();

  TraceLog::Write("set video mode");
  if (!OpenDisplay(g_settings.width, g_settings.height)) {
    g_settings.width = 640;
    g_settings.height = 480;
    std::fprintf(stderr, "Couldn't initialize OpenGL\n");
    return 0;
  }
  SetUpLights();
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  SetFrameRateCap(kFrameRateCap);

  SetWindowCaption();
  SetOverlayScreenSize(g_settings.width, g_settings.height);

  TraceLog::Write("Start ORB Logo");
  if (!g_skipIntro && !PlayIntroAnimation()) return 0;
  SetWindowCaption();

  TraceLog::Write("Init Font");
  if (!SetUpFonts(g_settings.width, g_settings.height)) return 0;

  TraceLog::Write("Init Tessel 3D");
  if (!LoadMenuObjects()) return 0;

  TraceLog::Write("Init ListTheme");
  if (!ScanThemes()) return 0;

  TraceLog::Write("Init Tessel Menu");
  if (!BuildMenus()) return 0;
  if (!LoadHighlightTexture()) return 0;

  TraceLog::Write("Init Level");
  InstallGameHost();
  FreeLevelSet();
  if (!SelectLevelSet()) return 0;

  TraceLog::Write("Init Scores");
  if (!CreateScoreTable()) return 0;

  ResetCameras(g_game);
  ResetModelViewAndLights();
  g_game.leftShiftHeld = g_game.rightShiftHeld = 0;
  g_game.boardClick = 0;

  TraceLog::Write("Init Sound");
  if (!InitAudio()) return 0;
  SetSoundEnabled(g_settings.sound);
  SetMusicEnabled(g_settings.music);
  SetAutoNext(0);

  TraceLog::Write("Play Music");
  StartMusic(kMenuTrack);

  TraceLog::Write("Upload fonts");
  PrepareMenuTexts();
  UploadMenuFont();

  TraceLog::Write("Init 3D fonts");
  SetKeyboardInput(2, 1, true);

  InstallMenuActions();
  TraceLog::Write("Init : ok");
  return 1;
}

}  // namespace

void Release() {
  TraceLog::Write("Free Tessel");
  SetKeyboardInput(500, 30, true);
  ReleaseMenuFontCache();
  SaveScoreFile();
  StoreSettings();
  FreeScoreTable();
  EndLevel();
  FreeCurrentTheme();
  g_loadedTheme = -1;
  FreeScreenCapture();
  FreeGameFonts();
  FreeFonts();
  FreeMenuObjects();
  FreeLevelSet();
  QuitAudio();
  FreeHighlightTexture();
  FreeMenus();
  CloseDisplay();  // clears and presents once before the video stops
}

void EndAfterFailure() {
  Release();
  SDL_Quit();
  QuitTextSystem();
  std::exit(1);
}

bool ReloadCurrentTheme() {
  FreeCurrentTheme();
  g_loadedTheme = -1;
  if (!LoadTheme(g_game.themeIndex)) return false;
  g_loadedTheme = g_game.themeIndex;
  return true;
}

bool ChooseThemeForLevel() {
  int count = ThemeCount();
  g_game.themeIndex = count > 0 ? (Play().levelIndex / 4) % count : 0;
  if (g_game.themeIndex == g_loadedTheme) return true;
  return ReloadCurrentTheme();
}

void FreeLevelTheme() {
  FreeCurrentTheme();
  g_loadedTheme = -1;
}

void ResolutionChanged() {
  SetOverlayScreenSize(g_settings.width, g_settings.height);
  FreeGameFonts();
  if (g_game.inGame) PrepareTopBar(true);
}

void SkipIntroAnimation(bool skip) { g_skipIntro = skip; }
