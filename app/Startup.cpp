#include "app/Startup.h"
#include "puzzle/PlayState.h"

#include <GL/gl.h>
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "app/Display.h"
#include "app/DisplayModes.h"
#include "app/GameHost.h"
#include "app/GameState.h"
#include "app/TraceLog.h"
#include "audio/Audio.h"
#include "config/FileAccess.h"
#include "config/Settings.h"
#include "engine3d/GLContext.h"
#include "intro/Intro.h"
#include "puzzle/LevelSet.h"
#include "render/Lights.h"
#include "render/Overlay.h"
#include "render/Themes.h"
#include "text/TextSystem.h"
#include "ui/MenuScreen.h"
#include "ui/Scores.h"

namespace {

// Far above what the eye needs, low enough to leave the processor alone.
constexpr int kFrameRateCap = 250;

// The theme index loaded last, -1 when none is.
int g_loadedTheme = -1;

void CreateGameDirectories() {
  ReadGameDirectory();
  MakeDirectoriesAlongPath(g_gamePath);
  char path[1100];
  std::snprintf(path, sizeof path, "%ssave\\", g_gamePath);
  MakeDirectoriesAlongPath(path);
  std::snprintf(path, sizeof path, "%scapture\\", g_gamePath);
  MakeDirectoriesAlongPath(path);
}

[[noreturn]] void EndAfterThemeFailure(int exitCode) {
  Release();
  SDL_Quit();
  std::exit(exitCode);
}

}  // namespace

int Initialise() {
  CreateGameDirectories();

  TraceLog::Write("InitTessel");
  ResetGameState(g_game);
  ResetPlayState();
  std::srand(static_cast<unsigned>(std::time(nullptr)));

  TraceLog::Write("Load Config file");
  if (!LoadSettings()) return 0;

  TraceLog::Write("read font.ini");
  ReadLogoColors();
  g_play.difficulty = g_settings.difficulty;
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
  if (!PlayIntroAnimation()) return 0;
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
  SDL_EnableKeyRepeat(2, 1);
  SDL_EnableUNICODE(1);

  TraceLog::Write("Init : ok");
  return 1;
}

void Release() {
  TraceLog::Write("Free Tessel");
  SDL_EnableKeyRepeat(500, 30);
  ReleaseMenuFontCache();
  SaveScoreFile();
  StoreSettings();
  FreeScoreTable();
  FreeCurrentTheme();
  g_loadedTheme = -1;
  FreeScreenCapture();
  FreeFonts();
  FreeMenuObjects();
  FreeLevelSet();
  QuitAudio();
  FreeHighlightTexture();
  FreeMenus();
  CloseDisplay();  // clears and presents once before the video stops
}

void ReloadCurrentTheme() {
  FreeCurrentTheme();
  g_loadedTheme = -1;
  if (!LoadTheme(g_game.themeIndex)) EndAfterThemeFailure(1);
  g_loadedTheme = g_game.themeIndex;
}

void ChooseThemeForLevel() {
  int count = ThemeCount();
  g_game.themeIndex = count > 0 ? (g_play.levelIndex / 4) % count : 0;
  if (g_game.themeIndex == g_loadedTheme) return;
  FreeCurrentTheme();
  g_loadedTheme = -1;
  if (!LoadTheme(g_game.themeIndex)) EndAfterThemeFailure(0);
  g_loadedTheme = g_game.themeIndex;
}
