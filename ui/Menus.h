// The four menus (main, Game, Options, pause) as data, and their driving by
// keys and pointer, without drawing.
//
// Start-up: BuildMenus(set, modes) (Options.h fills the options menu), then
// LayOutMenus(set, H) after every resolution change. Per menu frame:
//   int item, choice;
//   MenuPoll poll = input.PointerMoved(set, mouseY);
//   while (poll == kMenuNothing && an event is pending)
//     poll = input.Event(set, UiEventFrom(e), item, choice);
// and then by the result: kMenuBack (Escape: resume a running level),
// kMenuMoved (sound 0), kMenuActivated (sound 1, run command item),
// kMenuChoiceChanged (sound 1, ApplyOptionChoice(choice)). Events after the
// one that gave a result stay queued for the next frame.
#pragma once

#include <vector>

#include "base/CUString.h"
#include "ui/ScreenRect.h"
#include "ui/UiEvent.h"

// Command ids of the menu entries.
enum MenuCommand : int {
  kCommandGame = 0,  // main menu: link to the Game menu
  kCommandOptions = 1,
  kCommandHighScores = 2,
  kCommandOrder = 3,  // the information pages
  kCommandAbout = 4,  // the credits
  kCommandQuit = 5,
  kCommandPlay = 10,  // Game menu
  kCommandLoad = 11,
  kCommandCode = 12,
  kCommandGameBack = 15,
  kCommandResume = 60,  // pause menu
  kCommandPauseLoad = 62,
  kCommandPauseSave = 63,
  kCommandPauseQuit = 64,  // back to the main menu
  kCommandOptionsBack = 430,  // applies the resolution chosen in Options
};

enum MenuItemKind : int { kMenuAction = 0, kMenuLink = 1, kMenuChoiceList = 2 };

// Results of polling the menu input.
enum MenuPoll : int {
  kMenuBack = -1,
  kMenuNothing = 0,
  kMenuMoved = 1,
  kMenuActivated = 2,
  kMenuChoiceChanged = 3,
  kMenuKeyIgnored = 4,
};

// Sound effects of the menu: a highlight moved, an entry or choice taken.
constexpr int kMenuMoveSound = 0;
constexpr int kMenuActionSound = 1;

constexpr int kMenuLabelMax = 63;  // characters of a label or choice label
constexpr int kMenuUnit = 24;      // pixels

struct Menu;

struct MenuChoice {
  int id;
  int flag = 0;
  CUString label;
};

struct MenuItem {
  int id;
  int kind;
  CUString label;
  int highlighted = 0;
  Menu* target = nullptr;            // kind kMenuLink
  std::vector<MenuChoice> choices;   // kind kMenuChoiceList
  int currentChoice = 0;
};

struct Menu {
  std::vector<MenuItem> items;
  int highlightedIndex = -1;
  int y = 0;
  Menu* parent = nullptr;  // where Escape leads
};

struct MenuSet {
  Menu mainMenu;
  Menu gameMenu;
  Menu optionsMenu;
  Menu pauseMenu;
  Menu* currentMenu = nullptr;
};

// A label cut to 63 characters.
CUString MenuLabel(const CUString& text);
MenuItem MakeMenuItem(int id, int kind, const CUString& label, Menu* target = nullptr);

// The main, Game and pause menus from the language labels; the options menu
// is Options.h's. The main menu becomes current.
void BuildMainMenus(MenuSet& set);
// Menu tops for the screen height; item i stands at MenuItemY(menu, i).
void LayOutMenus(MenuSet& set, int screenHeight);
float MenuItemY(const Menu& menu, int item);

// The highlight quad of item i for a label of labelLength characters, m the
// menu font height: centred on the whole width, or on the left half for a
// choice list (whose current choice stands in the right half).
ScreenRect MenuHighlightRect(const Menu& menu, int item, int labelLength, int screenWidth, int menuFontHeight);

// Makes the menu current with its first item highlighted.
void SetCurrentMenu(MenuSet& set, Menu& menu);
void NextItem(Menu& menu);
void PreviousItem(Menu& menu);
// Link: makes its target current; action and link return the item id; a
// choice list steps its choice by direction (-1, 0, +1, wrapping) and returns
// the new choice's id.
int ActivateHighlighted(MenuSet& set, int direction);
MenuItem* FindItem(Menu& menu, int id);
// Makes the last choice with that id current; an unknown id changes nothing.
void SelectChoice(MenuItem& item, int choiceId);
const MenuChoice* CurrentChoice(const MenuItem& item);

// Pointer and keys on the current menu. Keys act on release; arrow keys are
// ignored while the pointer rests on an item; moving the pointer onto an item
// reports kMenuMoved once.
class MenuInput {
 public:
  MenuPoll PointerMoved(MenuSet& set, int mouseY);
  MenuPoll Event(MenuSet& set, const UiEvent& event, int& itemId, int& choiceId);

 private:
  MenuPoll Activate(MenuSet& set, int& itemId, int& choiceId);
  MenuPoll Step(MenuSet& set, int direction, int& itemId, int& choiceId);

  int m_pointerItem = -1;  // the item under the pointer at the last poll
  int m_pressedItem = -1;
};
