// The Options menu without its drawing: its nine entries and their choices,
// the choices that match the settings, and what picking a choice does.
//
// Start-up: BuildOptionsMenu(set, sizes) after BuildMainMenus, with the sizes
// of the display mode list, then SelectOptionsFromSettings (which may move the
// start size onto the first mode) and set the pending size to the start size.
// A changed choice (menu poll kMenuChoiceChanged) goes to ApplyOptionChoice at
// once; the Back command (kCommandOptionsBack) asks ResolutionChangeWanted and
// changes the display when it says so.
#pragma once

#include <vector>

#include "config/Settings.h"
#include "ui/Menus.h"

// Entries of the Options menu.
enum OptionItem : int {
  kOptionLangage = 420,  // the level set
  kOptionDifficulty = 421,
  kOptionResolution = 422,
  kOptionReflet = 424,
  kOptionShadow = 425,
  kOptionSpeed = 427,
  kOptionSound = 428,
  kOptionMusic = 429,
};

// Choice ids.
enum OptionChoice : int {
  kChoiceEasy = 31,
  kChoiceNormal = 32,
  kChoiceHard = 33,
  kChoiceReflectOn = 50,
  kChoiceReflectOff = 51,
  kChoiceVerySlow = 80,
  kChoiceSlow = 81,
  kChoiceMedium = 82,
  kChoiceFast = 83,
  kChoiceVeryFast = 84,
  kChoiceMusicOn = 90,
  kChoiceMusicOff = 91,
  kChoiceSoundOn = 92,
  kChoiceSoundOff = 93,
  kChoiceLevelSetFirst = 100,  // + level set index
  kChoiceLevelSetLast = 115,
  kChoiceShadowNone = 210,
  kChoiceShadowSimple = 211,
  kChoiceShadowReal = 212,
  kChoiceResolutionFirst = 1000,  // + display mode index
};

struct ScreenSize {
  int width;
  int height;
};

// The resolution chosen in Options, applied on Back.
struct PendingResolution {
  int width = 0;
  int height = 0;
};

// Fills set.optionsMenu (parent the main menu, Back links to it) from the
// language labels, the level sets and the display sizes ("%dx%d").
void BuildOptionsMenu(MenuSet& set, const std::vector<ScreenSize>& sizes);
// Makes each entry show the current setting. A size that is no display mode
// gives the first mode, whose size is written into the settings.
void SelectOptionsFromSettings(MenuSet& set, Settings& settings, const std::vector<ScreenSize>& sizes);

// Makes an options entry show a choice, as after a loaded game (level set and
// difficulty) or a code found in another level set (kChoiceLevelSetFirst + s).
void SelectOption(MenuSet& set, int item, int choice);

// What a choice does outside the settings record.
class OptionsHost {
 public:
  virtual ~OptionsHost() = default;
  // Loads the level set now chosen by LangLevel. False when it could not
  // (the set in play stays).
  virtual bool LoadChosenLevelSet() = 0;
  virtual void SetGameDifficulty(int difficulty) = 0;
  virtual void SetMusicOn(bool on) = 0;
  virtual void SetSoundOn(bool on) = 0;
  // The rolls take the time of the new speed from the next one on.
  virtual void SetSpeed(int speed) = 0;
};

// Applies a changed choice to the settings at once (the level list is loaded
// again only when the set really changed); a resolution only becomes pending.
// Returns false when the choice was refused (a level set that cannot be
// read): the settings are then as they were.
bool ApplyOptionChoice(int choiceId, Settings& settings, PendingResolution& pending,
                       const std::vector<ScreenSize>& sizes, OptionsHost& host);
// True when the pending size differs from the size in use.
bool ResolutionChangeWanted(const PendingResolution& pending, const Settings& settings);
