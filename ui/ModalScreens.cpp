// The menu actions the shell installs, and the menus it opens.
#include "ui/ModalScreens.h"

#include "ui/MenuScreen.h"

namespace {

MenuActions g_actions;

}  // namespace

void SetMenuActions(MenuActions actions) { g_actions = std::move(actions); }
const MenuActions& CurrentMenuActions() { return g_actions; }

void ShowPauseMenu() { SetCurrentMenu(GameMenus(), GameMenus().pauseMenu); }
void ShowMainMenu() { SetCurrentMenu(GameMenus(), GameMenus().mainMenu); }
