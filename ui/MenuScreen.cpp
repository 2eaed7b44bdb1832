// The menu screen: the four menus drawn over the animated background, their
// input, and the commands their entries start.
#include "ui/MenuScreen.h"

#include <GL/gl.h>

#include <cstdio>
#include <memory>
#include <unordered_map>
#include <vector>

#include "app/DisplayModes.h"
#include "app/FrameClock.h"
#include "app/GameState.h"
#include "audio/Audio.h"
#include "config/Language.h"
#include "config/Settings.h"
#include "engine3d/Texture.h"
#include "puzzle/LevelSet.h"
#include "puzzle/PlayState.h"
#include "render/Camera.h"
#include "render/Lights.h"
#include "render/Overlay.h"
#include "render/Themes.h"
#include "text/TextSystem.h"
#include "ui/ModalScreens.h"
#include "ui/Options.h"
#include "ui/Resolution.h"

namespace {

const char* const kHighlightPath = "data/gfx/2d/selection.png";
// The information pages of the main menu's Order entry.
constexpr int kOrderPageSet = 2;
// The pause before a new resolution, so that the monitor settles.
constexpr int kResolutionDelayMs = 1000;
constexpr int kCopyrightHeight = 24;

MenuSet g_menus;
MenuInput g_input;
PendingResolution g_pending;
std::vector<ScreenSize> g_sizes;
std::unique_ptr<Texture> g_highlight;
GLFontTrueType g_copyrightFont;
int g_copyrightText = -1;
// Rendered labels of the entries and choices, by their record.
std::unordered_map<const void*, int> g_labelTexts;
std::function<void(int)> g_soundPlayer = [](int sound) { PlaySound(sound); };

int TextOf(const void* record) {
  auto found = g_labelTexts.find(record);
  return found == g_labelTexts.end() ? -1 : found->second;
}

class GameOptionsHost final : public OptionsHost {
 public:
  void LoadChosenLevelSet() override { SelectLevelSet(); }
  void SetGameDifficulty(int difficulty) override { ::SetGameDifficulty(difficulty); }
  void SetMusicOn(bool on) override {
    SetMusicEnabled(on ? 1 : 0);
    // Switched back on, the track of the moment plays again at once rather
    // than from the next change of track.
    if (on) StartMusic(CurrentAudioState().currentTrack);
  }
  void SetSoundOn(bool on) override { SetSoundEnabled(on ? 1 : 0); }
};

// The renderer sees the floor reflection and the shadows chosen at once.
void SendRenderChoices() {
  RenderOptions options = CurrentRenderOptions();
  options.reflect = g_settings.reflect;
  options.shadow = g_settings.shadow;
  SetRenderOptions(options);
}

void ApplyPendingResolution() {
  if (!ResolutionChangeWanted(g_pending, g_settings)) return;
  PauseMusic();
  SDL_Delay(kResolutionDelayMs);
  if (!ChangeResolution(g_pending.width, g_pending.height)) {
    std::fprintf(stderr, "couldn't change resolution\n");
    if (CurrentMenuActions().resolutionFailed) CurrentMenuActions().resolutionFailed();
    return;
  }
  SetOverlayScreenSize(g_pending.width, g_pending.height);
  SetMenuScreenSize(g_pending.width, g_pending.height);
  LayOutMenus();
  ResumeMusic();
  ResetModelViewAndLights();
  if (CurrentMenuActions().resolutionChanged) CurrentMenuActions().resolutionChanged();
}

void RunModal(std::unique_ptr<Screen> screen) {
  if (CurrentMenuActions().runScreen) CurrentMenuActions().runScreen(*screen);
}

void Call(const std::function<void()>& action) {
  if (action) action();
}

void RunCommand(int id) {
  const MenuActions& actions = CurrentMenuActions();
  switch (id) {
    case kCommandHighScores:
      RunModal(MakeHighScoreScreen());
      break;
    case kCommandOrder:
      if (actions.showPage) actions.showPage(kOrderPageSet);
      ResetModelViewAndLights();
      break;
    case kCommandAbout:
      RunModal(MakeCreditsScreen());
      break;
    case kCommandQuit:
      Call(actions.quitGame);
      break;
    case kCommandPlay:
      Call(actions.newGame);
      break;
    case kCommandCode: {
      int level = -1;
      RunModal(MakeCodeEntryScreen(&level));
      if (level >= 0 && actions.playLevel) actions.playLevel(level);
      break;
    }
    case kCommandLoad:
    case kCommandPauseLoad: {
      int slot = -1;
      RunModal(MakeLoadScreen(&slot));
      if (slot >= 0 && actions.loadedGame) actions.loadedGame(slot);
      break;
    }
    case kCommandResume:
      Call(actions.resumeGame);
      break;
    case kCommandPauseSave:
      RunModal(MakeSaveScreen());
      break;
    case kCommandPauseQuit:
      Call(actions.quitToMainMenu);
      break;
    case kCommandOptionsBack:
      ApplyPendingResolution();
      break;
    default:  // the links have already changed the current menu
      break;
  }
}

// One poll result, as the main loop runs a menu command.
bool RunPoll(MenuPoll poll, int itemId, int choiceId) {
  switch (poll) {
    case kMenuBack:
      if (g_game.inGame) Call(CurrentMenuActions().resumeGame);
      return true;
    case kMenuMoved:
      g_soundPlayer(kMenuMoveSound);
      return true;
    case kMenuActivated:
      g_soundPlayer(kMenuActionSound);
      g_game.idleTime = 0.0f;
      RunCommand(itemId);
      return true;
    case kMenuChoiceChanged: {
      g_soundPlayer(kMenuActionSound);
      GameOptionsHost host;
      ApplyOptionChoice(choiceId, g_settings, g_pending, g_sizes, host);
      SendRenderChoices();
      return true;
    }
    default:
      return false;
  }
}

void DrawLabel(int text, int x, int y, int width, int height) {
  MenuFont().Draw(text, x, y, width, height, 1, 1);
}

void DrawMenu(const Menu& menu, int W) {
  const int m = MenuMetrics().fontHeight;
  for (int i = 0; i < static_cast<int>(menu.items.size()); ++i) {
    const MenuItem& item = menu.items[i];
    const int y = static_cast<int>(MenuItemY(menu, i));
    if (item.highlighted) DrawHighlight(MenuHighlightRect(menu, i, static_cast<int>(item.label.Length()), W, m));
    if (item.kind != kMenuChoiceList) {
      DrawLabel(TextOf(&item), 0, y, W, m);
      continue;
    }
    DrawLabel(TextOf(&item), 0, y, W / 2, m);
    if (const MenuChoice* choice = CurrentChoice(item)) DrawLabel(TextOf(choice), W / 2, y, W / 2, m);
  }
}

}  // namespace

MenuSet& GameMenus() { return g_menus; }

void SetMenuSoundPlayer(std::function<void(int)> player) { g_soundPlayer = std::move(player); }

int BuildMenus() {
  BuildMainMenus(g_menus);
  g_sizes.clear();
  for (const DisplayMode& mode : g_displayModes.modes) g_sizes.push_back({mode.width, mode.height});
  BuildOptionsMenu(g_menus, g_sizes);
  SelectOptionsFromSettings(g_menus, g_settings, g_sizes);
  g_pending.width = g_settings.width;
  g_pending.height = g_settings.height;
  SetCurrentMenu(g_menus, g_menus.mainMenu);
  LayOutMenus();
  return 1;
}

void FreeMenus() {
  ReleaseMenuTexts();
  g_menus = MenuSet();
  g_input = MenuInput();
}

int LoadHighlightTexture() {
  FreeHighlightTexture();
  auto texture = std::make_unique<Texture>();
  // The loader prints "Couldn't load texture %s" itself.
  if (!texture->Load(kHighlightPath)) return 0;
  texture->Upload();
  g_highlight = std::move(texture);
  return 1;
}

void FreeHighlightTexture() { g_highlight.reset(); }

void PrepareMenuTexts() {
  g_labelTexts.clear();
  GLFontTrueType& font = MenuFont();
  for (Menu* menu : {&g_menus.mainMenu, &g_menus.gameMenu, &g_menus.optionsMenu, &g_menus.pauseMenu})
    for (MenuItem& item : menu->items) {
      g_labelTexts[&item] = font.AddTextW(item.label);
      for (MenuChoice& choice : item.choices) g_labelTexts[&choice] = font.AddTextW(choice.label);
    }
  g_copyrightFont.Close();
  if (OpenFontStyle(g_copyrightFont, kFontCopyright)) {
    g_copyrightFont.top[0] = g_copyrightFont.top[1] = g_copyrightFont.top[2] = 1.0f;
    g_copyrightFont.bottom[0] = g_copyrightFont.bottom[1] = g_copyrightFont.bottom[2] = 1.0f;
    g_copyrightText = g_copyrightFont.AddTextW(Label(LabelKey::Copyright));
    g_copyrightFont.Upload();
  }
}

void ReleaseMenuTexts() {
  g_labelTexts.clear();
  g_copyrightFont.Close();
  g_copyrightText = -1;
}

void LayOutMenus() { LayOutMenus(g_menus, MenuMetrics().screenHeight > 0 ? MenuMetrics().screenHeight : g_settings.height); }

void DrawMenuBackdrop(bool withTitle) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  SetBoardProjection(OverlayScreenWidth(), OverlayScreenHeight());
  PlaceMenuCamera();
  MenuLights();
  DrawMenuBackground(g_clock.elapsedFrames);
  if (withTitle) DrawMenuTitle(g_clock.elapsedFrames);
}

void DrawHighlight(const ScreenRect& r) {
  if (!g_highlight || !g_highlight->HasName()) return;
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(g_highlight->glName));
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, g_highlight->envMode);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glDisable(GL_LIGHTING);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 0.0f);
  glVertex2i(r.x0, r.y0);
  glTexCoord2f(0.0f, 1.0f);
  glVertex2i(r.x0, r.y1);
  glTexCoord2f(1.0f, 1.0f);
  glVertex2i(r.x1, r.y1);
  glTexCoord2f(1.0f, 0.0f);
  glVertex2i(r.x1, r.y0);
  glEnd();
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_CULL_FACE);
  glEnable(GL_LIGHTING);
  glDisable(GL_BLEND);
}

void DrawMenuScreen() {
  const Menu* current = g_menus.currentMenu;
  DrawMenuBackdrop(current == &g_menus.mainMenu || current == &g_menus.gameMenu);
  const int W = OverlayScreenWidth(), H = OverlayScreenHeight();
  Begin2D();
  g_copyrightFont.Draw(g_copyrightText, 0, H - kCopyrightHeight, W, kCopyrightHeight, 1, 1);
  if (current) DrawMenu(*current, W);
  End2D();
}

bool HandleMenuEvent(const SDL_Event& event) {
  // Leaving the main menu for a submenu stops the count towards the
  // demonstration.
  if (g_menus.currentMenu != &g_menus.mainMenu) g_game.idleTime = 0.0f;
  // The pointer first: a menu that has just opened under a resting pointer
  // highlights the entry below it before a key or button counts.
  const int pointerY = event.type == SDL_MOUSEMOTION ? event.motion.y : g_game.mouseY;
  const bool moved = RunPoll(g_input.PointerMoved(g_menus, pointerY), -1, -1);
  if (event.type == SDL_MOUSEMOTION) return moved;
  int item = -1, choice = -1;
  MenuPoll poll = g_input.Event(g_menus, UiEventFrom(event), item, choice);
  return RunPoll(poll, item, choice) || moved;
}

bool MainMenuCurrent() { return g_menus.currentMenu == &g_menus.mainMenu; }
