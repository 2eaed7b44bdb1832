// The screens the menus and the game push over the menus or a level: high
// scores, name entry, load, save, credits and code entry. Each draws over the
// menus' background (MenuSystem) and pops itself when it is done.
#pragma once

#include <functional>
#include <memory>

#include "platform/Screen.h"

class MenuSystem;
using SceneDrawer = std::function<void(const FrameTime&)>;

// The ten best move counts, ten rows a page; F1 resets the table.
std::unique_ptr<Screen> MakeHighScoreScreen(MenuSystem& menus);
// A record on the score table's entry record (the level just won's): the
// player types a name, which goes into the score table (and so into the
// set's score file at the next save). drawScene draws what the entry stands
// over (the level just won); without it, the menus' background.
std::unique_ptr<Screen> MakeNameEntryScreen(MenuSystem& menus, int record, SceneDrawer drawScene);
// The ten slots. The load screen loads the chosen slot and then calls loaded;
// the save screen saves the running game.
std::unique_ptr<Screen> MakeLoadScreen(MenuSystem& menus, std::function<void()> loaded);
std::unique_ptr<Screen> MakeSaveScreen(MenuSystem& menus);
// The credits of "data/credit_%s.txt", scrolling, until a key or button.
std::unique_ptr<Screen> MakeCreditsScreen(MenuSystem& menus);
// Five letters; found(level) when a level set holds the code (the level set
// may have changed).
std::unique_ptr<Screen> MakeCodeEntryScreen(MenuSystem& menus, std::function<void(int level)> found);
