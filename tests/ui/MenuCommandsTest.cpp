// The menu screen's input without a display: SDL events handed to the menu
// reach the game's states through the installed menu actions, with the move
// and action sounds, and Escape leaves the submenus or resumes a level.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/GameState.h"
#include "config/Settings.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/MenuScreen.h"
#include "ui/ModalScreens.h"

namespace {

SDL_Event KeyUp(SDLKey key) {
  SDL_Event event = {};
  event.type = SDL_KEYUP;
  event.key.keysym.sym = key;
  return event;
}

class MenuCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    uitest::LoadShippedLanguage("en");
    ResetGameState(g_game);
    g_game.mouseY = -100;  // off every entry
    ASSERT_EQ(BuildMenus(), 1);
    SetMenuSoundPlayer([this](int sound) { sounds.push_back(sound); });
    MenuActions actions;
    actions.newGame = [this] { calls.push_back("newGame"); };
    actions.resumeGame = [this] { calls.push_back("resume"); };
    actions.quitToMainMenu = [this] { calls.push_back("quitToMainMenu"); };
    actions.quitGame = [this] { calls.push_back("quitGame"); };
    actions.showPage = [this](int set) { calls.push_back("page " + std::to_string(set)); };
    SetMenuActions(actions);
  }
  void TearDown() override {
    SetMenuActions(MenuActions());
    SetMenuSoundPlayer([](int) {});
    FreeMenus();
  }
  void Keys(std::initializer_list<SDLKey> keys) {
    for (SDLKey key : keys) HandleMenuEvent(KeyUp(key));
  }

  std::vector<std::string> calls;
  std::vector<int> sounds;
};

}  // namespace

TEST_F(MenuCommands, MainMenuEntriesRunTheirCommands) {
  // Order, then Quit: Down three times and Enter, Down twice more and Enter.
  Keys({SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_RETURN, SDLK_DOWN, SDLK_DOWN, SDLK_KP_ENTER});
  EXPECT_EQ(calls, (std::vector<std::string>{"page 2", "quitGame"}));
  EXPECT_EQ(sounds, (std::vector<int>{0, 0, 0, 1, 0, 0, 1}));
  // Game > Play.
  calls.clear();
  Keys({SDLK_DOWN, SDLK_RETURN});  // Quit wraps round to Game
  EXPECT_FALSE(MainMenuCurrent());
  Keys({SDLK_RETURN});
  EXPECT_EQ(calls, (std::vector<std::string>{"newGame"}));
}

TEST_F(MenuCommands, EscapeLeavesASubmenuAndResumesFromThePauseMenu) {
  Keys({SDLK_RETURN});  // Game
  EXPECT_FALSE(MainMenuCurrent());
  g_game.idleTime = 300.0f;
  Keys({SDLK_ESCAPE});
  EXPECT_TRUE(MainMenuCurrent());
  EXPECT_EQ(g_game.idleTime, 0.0f);  // a submenu never counts as untouched
  EXPECT_TRUE(calls.empty());  // no level runs

  g_game.inGame = 1;
  ShowPauseMenu();
  Keys({SDLK_ESCAPE});
  Keys({SDLK_RETURN});                         // Play: resume
  Keys({SDLK_UP, SDLK_RETURN});                // Quit: back to the main menu
  EXPECT_EQ(calls, (std::vector<std::string>{"resume", "resume", "quitToMainMenu"}));
  EXPECT_TRUE(MainMenuCurrent());
}

TEST_F(MenuCommands, EntriesWithoutAnInstalledActionDoNothing) {
  SetMenuActions(MenuActions());
  Keys({SDLK_UP, SDLK_RETURN});  // Quit with no game to quit
  Keys({SDLK_DOWN, SDLK_RETURN, SDLK_RETURN});  // Game > Play
  EXPECT_EQ(sounds, (std::vector<int>{0, 1, 0, 1, 1}));
}
