// The menu screen's input without a display: SDL events handed to the menus
// reach the game through its menu actions, with the move and action sounds;
// an untouched main menu starts the demonstration after ten seconds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/Settings.h"
#include "platform/FrameRunner.h"
#include "platform/ScreenStack.h"
#include "render/Renderer.h"
#include "tests/support/FakePlatform.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/MenuScreen.h"
#include "ui/Scores.h"

namespace {

SDL_Event KeyUp(SDLKey key) {
  SDL_Event event = {};
  event.type = SDL_KEYUP;
  event.key.keysym.sym = key;
  return event;
}

class RecordingActions final : public MenuActions {
 public:
  void NewGame() override { calls.push_back("newGame"); }
  void ResumeGame() override { calls.push_back("resume"); }
  void PlayLevel(int level) override { calls.push_back("level " + std::to_string(level)); }
  void LoadedGame() override { calls.push_back("loaded"); }
  void QuitToMainMenu() override { calls.push_back("quitToMainMenu"); }
  void QuitGame() override { calls.push_back("quitGame"); }
  void ShowOrderPage() override { calls.push_back("order"); }
  void StartDemonstration() override { calls.push_back("demonstration"); }
  void ChangeResolution(int width, int height) override {
    calls.push_back("size " + std::to_string(width) + "x" + std::to_string(height));
  }
  bool LoadChosenLevelSet() override { return true; }
  void SetDifficulty(int) override {}
  void SetMusicOn(bool) override {}
  void SetSoundOn(bool) override {}
  void SetSpeed(int) override {}
  void RenderChoicesChanged() override {}

  std::vector<std::string> calls;
};

class MenuCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    menus.SetRenderer(&renderer);  // no display: draws nothing
    uitest::LoadShippedLanguage("en");
    ASSERT_EQ(menus.Build({{1024, 768}}), 1);
    menus.SetSoundPlayer([this](int sound) { sounds.push_back(sound); });
  }
  void Keys(std::initializer_list<SDLKey> keys) {
    for (SDLKey key : keys) menus.HandleEvent(KeyUp(key), -100, stack);  // the pointer off every entry
  }

  RecordingActions actions;
  HighScores scores;
  Puzzle puzzle;
  Renderer renderer{1024, 768, RenderOptions(), puzzle};
  MenuSystem menus{actions, scores, puzzle};
  ScreenStack stack;
  std::vector<int> sounds;
};

}  // namespace

TEST_F(MenuCommands, MainMenuEntriesRunTheirCommands) {
  // Order, then Quit: Down three times and Enter, Down twice more and Enter.
  Keys({SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_RETURN, SDLK_DOWN, SDLK_DOWN, SDLK_KP_ENTER});
  EXPECT_EQ(actions.calls, (std::vector<std::string>{"order", "quitGame"}));
  EXPECT_EQ(sounds, (std::vector<int>{0, 0, 0, 1, 0, 0, 1}));
  // Game > Play.
  actions.calls.clear();
  Keys({SDLK_DOWN, SDLK_RETURN});  // Quit wraps round to Game
  EXPECT_FALSE(menus.MainMenuCurrent());
  Keys({SDLK_RETURN});
  EXPECT_EQ(actions.calls, (std::vector<std::string>{"newGame"}));
  // The high scores and the credits are screens of the menus: pushed, not
  // asked of the game.
  menus.ShowMainMenu();
  Keys({SDLK_DOWN, SDLK_DOWN, SDLK_RETURN, SDLK_DOWN, SDLK_DOWN, SDLK_RETURN});
  EXPECT_EQ(actions.calls, (std::vector<std::string>{"newGame"}));
  EXPECT_TRUE(stack.HasPending());
}

TEST_F(MenuCommands, AnUntouchedMainMenuStartsTheDemonstrationAfterTenSeconds) {
  testsupport::FakePlatform platform;
  FrameRunner runner(platform.Hooks());
  platform.pointer.y = -100;
  runner.Flow().Push(std::make_unique<MainMenuScreen>(menus));
  auto idle = [&] { return static_cast<const MainMenuScreen*>(runner.Stack().Top())->IdleTime(); };
  for (int i = 0; i < 30; ++i) platform.Frame(runner);
  EXPECT_NEAR(idle(), 30.0f, 0.5f);
  // A highlight move starts the count again; a key that does nothing does not.
  platform.Key(SDLK_DOWN, false);
  platform.Frame(runner);
  EXPECT_NEAR(idle(), 1.0f, 0.1f);
  platform.Key(SDLK_x, false);
  platform.Frame(runner);
  EXPECT_NEAR(idle(), 2.0f, 0.1f);
  // A submenu keeps it at 0 for as long as it stays.
  platform.Key(SDLK_UP, false);
  platform.Key(SDLK_RETURN, false);  // Game
  for (int i = 0; i < 700; ++i) platform.Frame(runner);
  EXPECT_EQ(idle(), 0.0f);
  EXPECT_TRUE(actions.calls.empty());
  // Back on the main menu, ten seconds untouched start the demonstration.
  platform.Key(SDLK_ESCAPE, false);
  platform.Frame(runner);
  const float start = runner.Clock().elapsedFrames;
  for (int frame = 0; frame < 1000 && actions.calls.empty(); ++frame) platform.Frame(runner);
  EXPECT_EQ(actions.calls, (std::vector<std::string>{"demonstration"}));
  EXPECT_NEAR(runner.Clock().elapsedFrames - start, 601.0f, 2.0f);
}
