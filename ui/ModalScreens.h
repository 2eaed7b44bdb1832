// The menu screen's commands and the modal screens of the user interface.
//
// The shell (app/) owns the game's states and runs every screen on its one
// FrameRunner; ui/ owns what each screen shows and decides. The shell
// installs its MenuActions once at start-up; the menu screen calls them when
// an entry is taken. The factories below make one modal screen each; the
// shell runs it until it finishes and then reads its result.
#pragma once

#include <functional>
#include <memory>

#include "app/Screen.h"

// What the menus ask of the game's states.
struct MenuActions {
  std::function<void()> newGame;              // Game > Play: level 0 of the set
  std::function<void()> resumeGame;           // pause menu Resume, Escape in the pause menu
  std::function<void(int)> playLevel;         // a code was found: start that level
  std::function<void(int)> loadedGame;        // a slot was loaded: resume it
  std::function<void()> quitToMainMenu;       // pause menu Quit
  std::function<void()> quitGame;             // main menu Quit: fade out, exit page
  std::function<void(int)> showPage;          // Order: page set 2
  std::function<void(Screen&)> runScreen;     // runs a modal screen to its end
  std::function<void()> resolutionChanged;    // Options Back applied a new size
};
void SetMenuActions(MenuActions actions);
const MenuActions& CurrentMenuActions();

// Opens the pause menu (Escape while playing) or the main menu.
void ShowPauseMenu();
void ShowMainMenu();

// The ten best move counts, ten rows a page; F1 resets the table.
std::unique_ptr<Screen> MakeHighScoreScreen();
// A record of moves on levelIndex: the player types a name, which goes into
// the score table (and so into "score.orb" at the next save).
std::unique_ptr<Screen> MakeNameEntryScreen(int levelIndex, int moves);
// The ten slots. The load screen loads the chosen slot and sets *loadedSlot
// (-1 when the player went back); the save screen saves the running game.
std::unique_ptr<Screen> MakeLoadScreen(int* loadedSlot);
std::unique_ptr<Screen> MakeSaveScreen();
// The credits of "data/credit_%s.txt", scrolling, until a key or button.
std::unique_ptr<Screen> MakeCreditsScreen();
// Five letters; sets *foundLevel to the level found (the level set may have
// changed) or -1 when the player went back.
std::unique_ptr<Screen> MakeCodeEntryScreen(int* foundLevel);
