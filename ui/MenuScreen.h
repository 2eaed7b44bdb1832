// The menus on screen: the four menus over their animated 3D background, the
// highlight, the commands their entries start, and the two screens that show
// them (the main menu with its Game and Options submenus, and the pause menu
// over a level).
//
// The game owns one MenuSystem for the run. Start-up: SetUpFont once the
// window is open, Build (after the display mode list and the language file),
// LoadHighlightTexture, PrepareTexts (which uploads the menu font); after a
// change of resolution ReleaseTexts, SetScreenSize, the highlight texture and
// PrepareTexts again; at the end ReleaseTexts and FreeFont while the GL
// context and the text library still run. The entries' commands either push
// a screen of the menus (high scores, credits, code entry, load, save) or go
// to the game's MenuActions.
#pragma once

#include <SDL.h>

#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "engine3d/Texture.h"
#include "platform/Screen.h"
#include "text/GLFontTrueType.h"
#include "ui/Menus.h"
#include "ui/Options.h"
#include "ui/ScreenRect.h"

// The key repeat the game runs with outside the text entry screens, which
// set their own and put this one back.
constexpr int kGameRepeatDelay = 2;
constexpr int kGameRepeatInterval = 1;
// Frame units on an untouched main menu before the game plays by itself.
constexpr float kIdleFramesBeforeDemonstration = 600.0f;
// The menus' backdrop drifts slowly: half the game's frame rate looks the
// same and halves what an idle menu costs.
constexpr int kMenuFrameRate = 30;

// What the menus ask of the game.
class MenuActions {
 public:
  virtual ~MenuActions() = default;
  virtual void NewGame() = 0;                 // Game > Play: level 0 of the set
  virtual void ResumeGame() = 0;              // pause menu Resume, Escape on it
  virtual void PlayLevel(int level) = 0;      // a code was found: start that level
  virtual void LoadedGame() = 0;              // a slot was loaded: resume it
  virtual void QuitToMainMenu() = 0;          // pause menu Quit
  virtual void QuitGame() = 0;                // main menu Quit: fade out, the goodbye page
  virtual void ShowOrderPage() = 0;           // main menu Order: how to play
  virtual void StartDemonstration() = 0;      // the main menu was left alone
  // Options Back with a new size chosen. The game ends through Release when
  // the size cannot be set.
  virtual void ChangeResolution(int width, int height) = 0;
  // Options changed the level set (false when it cannot be read: the set in
  // play stays), the difficulty, the sound or the music.
  virtual bool LoadChosenLevelSet() = 0;
  virtual void SetDifficulty(int difficulty) = 0;
  virtual void SetMusicOn(bool on) = 0;
  virtual void SetSoundOn(bool on) = 0;
  virtual void SetSpeed(int speed) = 0;
  // Options changed the mirror or the shadows.
  virtual void RenderChoicesChanged() = 0;
};

class HighScores;
class Puzzle;
class Renderer;

// What the menu-like screens lay themselves out by.
struct MenuTextMetrics {
  int screenWidth = 0;
  int screenHeight = 0;
  int fontHeight = 0;  // the menu font's point size
};

class MenuSystem {
 public:
  MenuSystem(MenuActions& actions, HighScores& scores, Puzzle& puzzle)
      : m_actions(actions), m_scores(scores), m_puzzle(puzzle) {}

  // The renderer of the GL context the menus draw in (a new one after a
  // change of resolution).
  void SetRenderer(Renderer* renderer) { m_renderer = renderer; }
  Renderer& TheRenderer() const { return *m_renderer; }
  // The screen as the menu-like screens lay it out, and their 2D mode.
  int ScreenWidth() const { return m_metrics.screenWidth; }
  int ScreenHeight() const { return m_metrics.screenHeight; }
  void Begin2D() const;
  void End2D() const;
  MenuSystem(const MenuSystem&) = delete;
  MenuSystem& operator=(const MenuSystem&) = delete;

  // Records the screen size and opens the menu font ("FontMenuBig").
  // Returns 1, or 0 after printing why.
  int SetUpFont(int width, int height);
  void SetScreenSize(int width, int height);
  void FreeFont() { m_font.Close(); }
  GLFontTrueType& Font() { return m_font; }
  const MenuTextMetrics& Metrics() const { return m_metrics; }

  // The menus from the language labels and the sizes the options offer.
  int Build(const std::vector<ScreenSize>& sizes);
  void Free();
  // Loads "data/gfx/2d/selection.png". Returns 1, or 0 after
  // "Couldn't load texture %s\n".
  int LoadHighlightTexture();
  void FreeHighlightTexture();
  // The fixed texts (entry and choice labels, copyright line), uploaded.
  void PrepareTexts();
  // Drops them and the menu font's textures.
  void ReleaseTexts();
  // Recomputes the menu positions for the screen height.
  void LayOut();

  void ShowMainMenu();
  void ShowPauseMenu();
  bool MainMenuCurrent() const { return m_menus.currentMenu == &m_menus.mainMenu; }
  MenuSet& Menus() { return m_menus; }
  MenuActions& Actions() { return m_actions; }
  // The high scores the menus show and the name entry writes.
  HighScores& Scores() { return m_scores; }
  // The puzzle the load, save and code entry screens work on.
  Puzzle& ThePuzzle() { return m_puzzle; }

  // Handles one input event on the current menu with the pointer's height;
  // true when it ran a command or moved the highlight (the menu was touched).
  bool HandleEvent(const SDL_Event& event, int pointerY, ScreenFlow& flow);
  // The current menu over its background, at the animation time elapsed.
  void Draw(float elapsed);

  // The animated background of every menu-like screen, with the title logo
  // or without; leaves the 3D projection in place.
  void DrawBackdrop(float elapsed, bool withTitle) const;
  // The highlight quad over a rectangle, in the 2D overlay projection.
  void DrawHighlight(const ScreenRect& rect) const;
  // A dark translucent panel behind texts over a bright scene, in the 2D
  // overlay projection.
  void DrawPanel(const ScreenRect& rect) const;

  // The menus' sounds go through this player (the audio's PlaySound unless
  // replaced), so that tests hear which sound each input made.
  void SetSoundPlayer(std::function<void(int)> player) { m_soundPlayer = std::move(player); }

 private:
  bool RunPoll(MenuPoll poll, int itemId, int choiceId, ScreenFlow& flow);
  // The options' notice line; null takes it away.
  void SetNotice(const CUString* text);
  void RunCommand(int id, ScreenFlow& flow);
  int TextOf(const void* record) const;

  MenuActions& m_actions;
  HighScores& m_scores;
  Puzzle& m_puzzle;
  Renderer* m_renderer = nullptr;
  GLFontTrueType m_font;
  MenuTextMetrics m_metrics;
  MenuSet m_menus;
  MenuInput m_input;
  PendingResolution m_pending;
  std::vector<ScreenSize> m_sizes;
  std::unique_ptr<Texture> m_highlight;
  GLFontTrueType m_copyrightFont;
  int m_copyrightText = -1;
  int m_pausedText = -1;  // the pause menu's title
  // A line in the copyright's place while the options show: why the last
  // choice was refused.
  int m_noticeText = -1;
  // Rendered labels of the entries and choices, by their record.
  std::unordered_map<const void*, int> m_labelTexts;
  std::function<void(int)> m_soundPlayer;
};

// The main menu and its submenus; counts the idle time on an untouched main
// menu and starts the demonstration after kIdleFramesBeforeDemonstration.
class MainMenuScreen final : public Screen {
 public:
  explicit MainMenuScreen(MenuSystem& menus) : m_menus(menus) {}

  void Enter() override;
  void Event(const SDL_Event& event) override;
  void Update(const FrameTime& time, const Pointer& pointer) override;
  void Draw() override { m_menus.Draw(m_elapsed); }
  void Uncovered() override;
  int FrameRate() const override { return kMenuFrameRate; }

  float IdleTime() const { return m_idle; }

  // Where the pointer is by the latest event (the frame's events may be
  // newer than the pointer read at its start on a slow machine).
  static int PointerYAfter(const SDL_Event& event, int pointerY);

 private:
  MenuSystem& m_menus;
  float m_idle = 0.0f;
  float m_elapsed = 0.0f;
  int m_pointerY = 0;
};

// The pause menu over a suspended level; Escape resumes.
class PauseMenuScreen final : public Screen {
 public:
  explicit PauseMenuScreen(MenuSystem& menus) : m_menus(menus) {}

  void Enter() override;
  void Event(const SDL_Event& event) override;
  void Update(const FrameTime& time, const Pointer& pointer) override;
  void Draw() override { m_menus.Draw(m_elapsed); }
  int FrameRate() const override { return kMenuFrameRate; }

 private:
  MenuSystem& m_menus;
  float m_elapsed = 0.0f;
  int m_pointerY = 0;
};
