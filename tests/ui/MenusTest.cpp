// The four menus and the options driven by keys and pointer as the menu
// screen will drive them.
#include <gtest/gtest.h>

#include "config/Language.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/Options.h"

namespace {

const std::vector<ScreenSize> kSizes = {{640, 480}, {800, 600}, {1024, 768}};

class FakeOptionsHost : public OptionsHost {
 public:
  bool LoadChosenLevelSet() override { return ++loads, loadable; }
  void SetGameDifficulty(int difficulty) override { gameDifficulty = difficulty; }
  void SetMusicOn(bool on) override { music = on ? 1 : 0; }
  void SetSoundOn(bool on) override { sound = on ? 1 : 0; }
  void SetSpeed(int value) override { speed = value; }
  bool loadable = true;
  int loads = 0, gameDifficulty = -1, music = -1, sound = -1, speed = -1;
};

class Menus : public ::testing::Test {
 protected:
  void SetUp() override {
    uitest::LoadShippedLanguage("en");
    BuildMainMenus(set);
    BuildOptionsMenu(set, kSizes);
    LayOutMenus(set, 600);
  }
  std::vector<int> Ids(const Menu& menu) {
    std::vector<int> ids;
    for (const MenuItem& item : menu.items) ids.push_back(item.id);
    return ids;
  }
  // The middle of item i of the current menu.
  int ItemY(int i) { return static_cast<int>(MenuItemY(*set.currentMenu, i) + kMenuUnit * 0.75f); }
  MenuPoll Key(int key) { return input.Event(set, UiEvent::KeyRelease(key), item, choice); }
  MenuPoll Click(int y) {
    input.Event(set, UiEvent::ButtonPress(SDL_BUTTON_LEFT, 100, y), item, choice);
    return input.Event(set, UiEvent::ButtonRelease(SDL_BUTTON_LEFT, 100, y), item, choice);
  }
  MenuSet set;
  MenuInput input;
  int item = 0, choice = 0;
};

TEST_F(Menus, EntriesCommandsAndPlaces) {
  EXPECT_EQ(Ids(set.mainMenu), (std::vector<int>{kCommandGame, kCommandOptions, kCommandHighScores, kCommandOrder,
                                                  kCommandAbout, kCommandQuit}));
  EXPECT_EQ(Ids(set.gameMenu), (std::vector<int>{10, 12, 11, 15}));
  EXPECT_EQ(Ids(set.pauseMenu), (std::vector<int>{60, 62, 63, 64}));
  EXPECT_EQ(Ids(set.optionsMenu), (std::vector<int>{420, 421, 422, 424, 425, 427, 428, 429, 430}));
  EXPECT_EQ(set.mainMenu.items[2].label.ToUtf8(), "High Scores");
  EXPECT_EQ(set.gameMenu.parent, &set.mainMenu);
  EXPECT_EQ(set.optionsMenu.parent, &set.mainMenu);
  EXPECT_EQ(set.pauseMenu.parent, nullptr);
  EXPECT_EQ(set.pauseMenu.items[3].target, &set.mainMenu);
  EXPECT_EQ(set.currentMenu, &set.mainMenu);
  EXPECT_EQ(set.mainMenu.y, 600 - 252);
  EXPECT_EQ(set.gameMenu.y, 420);
  EXPECT_EQ(set.optionsMenu.y, 168);
  EXPECT_FLOAT_EQ(MenuItemY(set.optionsMenu, 8), 168 + 8 * 36.0f);
  const MenuItem& resolution = *FindItem(set.optionsMenu, kOptionResolution);
  ASSERT_EQ(resolution.choices.size(), 3u);
  EXPECT_EQ(resolution.choices[2].id, 1002);
  EXPECT_EQ(resolution.choices[2].label.ToUtf8(), "1024x768");
  const MenuItem& levelSets = *FindItem(set.optionsMenu, kOptionLangage);
  ASSERT_EQ(levelSets.choices.size(), static_cast<size_t>(LevelSetCount()));
  EXPECT_EQ(levelSets.choices[1].label.ToUtf8(), "English words");
  // Highlight quads (800 wide, menu font 40 high): "Game" centred on the
  // width; the "Difficulty" choice list on the left half.
  EXPECT_EQ(MenuHighlightRect(set.mainMenu, 0, 4, 800, 40), (ScreenRect{340, 328, 460, 408}));
  EXPECT_EQ(MenuHighlightRect(set.optionsMenu, 1, 10, 800, 40), (ScreenRect{68, 184, 332, 264}));
  // Labels are cut to 63 characters.
  EXPECT_EQ(MenuLabel(CUString::FromUtf8(std::string(80, 'x'))).Length(), 63u);
}

TEST_F(Menus, HoverReportsAMoveOnceAndArrowKeysWaitWhileThePointerRests) {
  EXPECT_EQ(input.PointerMoved(set, ItemY(2)), kMenuMoved);
  EXPECT_EQ(set.mainMenu.highlightedIndex, 2);
  EXPECT_EQ(input.PointerMoved(set, ItemY(2)), kMenuNothing);
  EXPECT_EQ(input.PointerMoved(set, ItemY(2) + 3), kMenuNothing);
  EXPECT_EQ(Key(SDLK_DOWN), kMenuKeyIgnored);
  EXPECT_EQ(set.mainMenu.highlightedIndex, 2);
  EXPECT_EQ(input.PointerMoved(set, ItemY(3)), kMenuMoved);
  // Off the items the keys move the highlight, wrapping; presses do nothing.
  EXPECT_EQ(input.PointerMoved(set, 10), kMenuNothing);
  EXPECT_EQ(input.Event(set, UiEvent::KeyPress(SDLK_DOWN), item, choice), kMenuNothing);
  EXPECT_EQ(Key(SDLK_DOWN), kMenuMoved);
  EXPECT_EQ(item, kCommandAbout);
  EXPECT_EQ(Key(SDLK_KP2), kMenuMoved);
  EXPECT_EQ(Key(SDLK_DOWN), kMenuMoved);
  EXPECT_EQ(item, kCommandGame);
  EXPECT_EQ(Key(SDLK_UP), kMenuMoved);
  EXPECT_EQ(item, kCommandQuit);
  EXPECT_EQ(Key(SDLK_LEFT), kMenuKeyIgnored) << "not a choice list";
  EXPECT_EQ(Key(SDLK_RETURN), kMenuActivated);
  EXPECT_EQ(item, kCommandQuit);
}

TEST_F(Menus, LinksEscapeAndThePauseMenu) {
  EXPECT_EQ(Click(ItemY(0)), kMenuActivated);
  EXPECT_EQ(item, kCommandGame);
  EXPECT_EQ(set.currentMenu, &set.gameMenu);
  EXPECT_EQ(set.gameMenu.highlightedIndex, 0);
  // A press on one item and a release on another does nothing.
  input.Event(set, UiEvent::ButtonPress(SDL_BUTTON_LEFT, 100, ItemY(1)), item, choice);
  EXPECT_EQ(input.Event(set, UiEvent::ButtonRelease(SDL_BUTTON_LEFT, 100, ItemY(2)), item, choice), kMenuNothing);
  EXPECT_EQ(Click(ItemY(1)), kMenuActivated);
  EXPECT_EQ(item, kCommandCode);
  EXPECT_EQ(Key(SDLK_ESCAPE), kMenuBack);
  EXPECT_EQ(set.currentMenu, &set.mainMenu);
  EXPECT_EQ(Key(SDLK_ESCAPE), kMenuBack);  // no parent: nothing but the result
  EXPECT_EQ(set.currentMenu, &set.mainMenu);

  SetCurrentMenu(set, set.pauseMenu);
  EXPECT_EQ(Key(SDLK_ESCAPE), kMenuBack);
  EXPECT_EQ(set.currentMenu, &set.pauseMenu);
  PreviousItem(set.pauseMenu);
  EXPECT_EQ(Key(SDLK_KP_ENTER), kMenuActivated);
  EXPECT_EQ(item, kCommandPauseQuit);
  EXPECT_EQ(set.currentMenu, &set.mainMenu);
}

TEST_F(Menus, OptionsShowTheSettingsAndApplyChoicesAtOnce) {
  Settings settings;
  settings.width = 1000;  // no such mode: the first one is taken
  settings.height = 700;
  settings.shadow = 1;
  settings.speed = 4;
  settings.difficulty = 2;
  settings.langLevel = 1;
  settings.sound = 0;
  settings.windowed = 1;
  SelectOptionsFromSettings(set, settings, kSizes);
  EXPECT_EQ(settings.width, 1000) << "a window keeps the size the player gave it";
  settings.windowed = 0;
  SelectOptionsFromSettings(set, settings, kSizes);
  auto current = [&](int id) { return CurrentChoice(*FindItem(set.optionsMenu, id))->id; };
  EXPECT_EQ(settings.width, 640);
  EXPECT_EQ(settings.height, 480);
  EXPECT_EQ(current(kOptionResolution), 1000);
  EXPECT_EQ(current(kOptionShadow), kChoiceShadowSimple) << "the entry names the shadows in use";
  EXPECT_EQ(current(kOptionSpeed), kChoiceFast);
  EXPECT_EQ(current(kOptionDifficulty), kChoiceHard);
  EXPECT_EQ(current(kOptionLangage), 101);
  EXPECT_EQ(current(kOptionSound), kChoiceSoundOff);
  EXPECT_EQ(current(kOptionMusic), kChoiceMusicOn);
  EXPECT_EQ(current(kOptionReflet), kChoiceReflectOff);
  SelectOption(set, kOptionLangage, 102);  // a code found in the third set
  EXPECT_EQ(current(kOptionLangage), 102);
  SelectOption(set, kOptionLangage, 142);  // no such choice: unchanged
  EXPECT_EQ(current(kOptionLangage), 102);

  // Through the menu: Enter on a choice steps forward and wraps.
  SetCurrentMenu(set, set.optionsMenu);
  NextItem(set.optionsMenu);  // Difficulty
  EXPECT_EQ(Key(SDLK_RETURN), kMenuChoiceChanged);
  EXPECT_EQ(item, kOptionDifficulty);
  EXPECT_EQ(choice, kChoiceEasy);
  EXPECT_EQ(Key(SDLK_LEFT), kMenuChoiceChanged);
  EXPECT_EQ(choice, kChoiceHard);

  FakeOptionsHost host;
  PendingResolution pending{640, 480};
  ApplyOptionChoice(kChoiceNormal, settings, pending, kSizes, host);
  EXPECT_EQ(settings.difficulty, 1);
  EXPECT_EQ(host.gameDifficulty, 1);
  ApplyOptionChoice(101, settings, pending, kSizes, host);
  EXPECT_EQ(host.loads, 0) << "the set in use is not loaded again";
  ApplyOptionChoice(102, settings, pending, kSizes, host);
  EXPECT_EQ(settings.langLevel, 2);
  EXPECT_EQ(host.loads, 1);
  host.loadable = false;  // a damaged level file: the setting stays as it was
  EXPECT_FALSE(ApplyOptionChoice(103, settings, pending, kSizes, host));
  EXPECT_EQ(settings.langLevel, 2);
  ApplyOptionChoice(kChoiceVerySlow, settings, pending, kSizes, host);
  EXPECT_EQ(settings.speed, 16);
  EXPECT_EQ(host.speed, 16);
  for (int shadow : {0, 1, 2}) {
    ApplyOptionChoice(kChoiceShadowNone + shadow, settings, pending, kSizes, host);
    EXPECT_EQ(settings.shadow, shadow);
  }
  ApplyOptionChoice(kChoiceReflectOn, settings, pending, kSizes, host);
  EXPECT_EQ(settings.reflect, 1);
  ApplyOptionChoice(kChoiceMusicOff, settings, pending, kSizes, host);
  ApplyOptionChoice(kChoiceSoundOn, settings, pending, kSizes, host);
  EXPECT_EQ(settings.music, 0);
  EXPECT_EQ(host.music, 0);
  EXPECT_EQ(settings.sound, 1);
  EXPECT_EQ(host.sound, 1);

  // A resolution only becomes pending; Back changes the display when it differs.
  ApplyOptionChoice(1002, settings, pending, kSizes, host);
  EXPECT_EQ(settings.width, 640);
  EXPECT_TRUE(ResolutionChangeWanted(pending, settings));
  EXPECT_EQ(pending.width, 1024);
  ApplyOptionChoice(1003, settings, pending, kSizes, host);  // past the list
  EXPECT_EQ(pending.width, 1024);
  ApplyOptionChoice(1000, settings, pending, kSizes, host);
  EXPECT_FALSE(ResolutionChangeWanted(pending, settings));
}

}  // namespace
