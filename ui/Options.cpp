#include "ui/Options.h"

#include <cstdio>

#include "config/Language.h"

namespace {

struct SpeedStep {
  int choice;
  int speed;
  LabelKey label;
};
const SpeedStep kSpeeds[] = {
    {kChoiceVerySlow, 16, LabelKey::VerySlow}, {kChoiceSlow, 12, LabelKey::Slow},
    {kChoiceMedium, 8, LabelKey::Medium},      {kChoiceFast, 4, LabelKey::Fast},
    {kChoiceVeryFast, 2, LabelKey::VeryFast},
};

MenuChoice Choice(int id, const CUString& label) {
  MenuChoice choice;
  choice.id = id;
  choice.label = MenuLabel(label);
  return choice;
}

MenuItem ChoiceItem(int id, LabelKey label, std::vector<MenuChoice> choices) {
  MenuItem item = MakeMenuItem(id, kMenuChoiceList, Label(label));
  item.choices = std::move(choices);
  return item;
}

// An entry of two choices.
MenuItem PairItem(int id, LabelKey label, int firstId, LabelKey first, int secondId, LabelKey second) {
  return ChoiceItem(id, label, {Choice(firstId, Label(first)), Choice(secondId, Label(second))});
}

}  // namespace

void BuildOptionsMenu(MenuSet& set, const std::vector<ScreenSize>& sizes) {
  Menu& menu = set.optionsMenu;
  menu.items.clear();
  menu.parent = &set.mainMenu;

  std::vector<MenuChoice> levelSets;
  for (int s = 0; s < LevelSetCount() && s <= kChoiceLevelSetLast - kChoiceLevelSetFirst; ++s)
    levelSets.push_back(Choice(kChoiceLevelSetFirst + s, LevelSetSlot(s).name));
  menu.items.push_back(ChoiceItem(kOptionLangage, LabelKey::Langage, levelSets));

  menu.items.push_back(ChoiceItem(kOptionDifficulty, LabelKey::Difficulty,
                                  {Choice(kChoiceEasy, Label(LabelKey::Easy)),
                                   Choice(kChoiceNormal, Label(LabelKey::Normal)),
                                   Choice(kChoiceHard, Label(LabelKey::Hard))}));

  std::vector<MenuChoice> resolutions;
  for (size_t i = 0; i < sizes.size(); ++i) {
    char text[32];
    std::snprintf(text, sizeof text, "%dx%d", sizes[i].width, sizes[i].height);
    resolutions.push_back(Choice(kChoiceResolutionFirst + static_cast<int>(i), CUString::FromUtf8(text)));
  }
  menu.items.push_back(ChoiceItem(kOptionResolution, LabelKey::Resolution, resolutions));

  menu.items.push_back(
      PairItem(kOptionReflet, LabelKey::Reflet, kChoiceReflectOn, LabelKey::ON, kChoiceReflectOff, LabelKey::OFF));
  menu.items.push_back(ChoiceItem(kOptionShadow, LabelKey::Shadow,
                                  {Choice(kChoiceShadowNone, Label(LabelKey::ShadowNone)),
                                   Choice(kChoiceShadowSimple, Label(LabelKey::ShadowFalse)),
                                   Choice(kChoiceShadowReal, Label(LabelKey::ShadowReal))}));
  std::vector<MenuChoice> speeds;
  for (const SpeedStep& step : kSpeeds) speeds.push_back(Choice(step.choice, Label(step.label)));
  menu.items.push_back(ChoiceItem(kOptionSpeed, LabelKey::Speed, speeds));
  menu.items.push_back(
      PairItem(kOptionSound, LabelKey::Sound, kChoiceSoundOn, LabelKey::ON, kChoiceSoundOff, LabelKey::OFF));
  menu.items.push_back(
      PairItem(kOptionMusic, LabelKey::Music, kChoiceMusicOn, LabelKey::ON, kChoiceMusicOff, LabelKey::OFF));
  menu.items.push_back(MakeMenuItem(kCommandOptionsBack, kMenuLink, Label(LabelKey::Back), &set.mainMenu));
}

void SelectOption(MenuSet& set, int item, int choice) {
  if (MenuItem* entry = FindItem(set.optionsMenu, item)) SelectChoice(*entry, choice);
}

void SelectOptionsFromSettings(MenuSet& set, Settings& settings, const std::vector<ScreenSize>& sizes) {
  if (settings.difficulty >= 0 && settings.difficulty <= 2)
    SelectOption(set, kOptionDifficulty, kChoiceEasy + settings.difficulty);
  SelectOption(set, kOptionLangage, kChoiceLevelSetFirst + settings.langLevel);

  int mode = -1;
  for (size_t i = 0; i < sizes.size() && mode < 0; ++i)
    if (sizes[i].width == settings.width && sizes[i].height == settings.height) mode = static_cast<int>(i);
  if (mode < 0 && !sizes.empty()) {
    mode = 0;
    // The list holds full-screen modes: a window may have any size, and the
    // player's own stays until they choose another.
    if (!settings.windowed) {
      settings.width = sizes[0].width;
      settings.height = sizes[0].height;
    }
  }
  if (mode >= 0) SelectOption(set, kOptionResolution, kChoiceResolutionFirst + mode);

  for (const SpeedStep& step : kSpeeds) {
    if (settings.speed != step.speed) continue;
    SelectOption(set, kOptionSpeed, step.choice);
  }
  SelectOption(set, kOptionReflet, settings.reflect == 1 ? kChoiceReflectOn : kChoiceReflectOff);
  if (settings.shadow >= 0 && settings.shadow <= 2) SelectOption(set, kOptionShadow, kChoiceShadowNone + settings.shadow);
  SelectOption(set, kOptionSound, settings.sound > 0 ? kChoiceSoundOn : kChoiceSoundOff);
  SelectOption(set, kOptionMusic, settings.music > 0 ? kChoiceMusicOn : kChoiceMusicOff);
}

bool ApplyOptionChoice(int c, Settings& settings, PendingResolution& pending, const std::vector<ScreenSize>& sizes,
                       OptionsHost& host) {
  if (c >= kChoiceLevelSetFirst && c <= kChoiceLevelSetLast) {
    const int set = c - kChoiceLevelSetFirst, previous = settings.langLevel;
    if (set == previous) return true;
    settings.langLevel = set;
    if (host.LoadChosenLevelSet()) return true;
    // Stored, a set the game cannot read would stop the next start.
    settings.langLevel = previous;
    return false;
  } else if (c >= kChoiceEasy && c <= kChoiceHard) {
    settings.difficulty = c - kChoiceEasy;
    host.SetGameDifficulty(settings.difficulty);
  } else if (c == kChoiceReflectOn || c == kChoiceReflectOff) {
    settings.reflect = c == kChoiceReflectOn ? 1 : 0;
  } else if (c >= kChoiceShadowNone && c <= kChoiceShadowReal) {
    settings.shadow = c - kChoiceShadowNone;
  } else if (c >= kChoiceVerySlow && c <= kChoiceVeryFast) {
    settings.speed = kSpeeds[c - kChoiceVerySlow].speed;
    host.SetSpeed(settings.speed);
  } else if (c == kChoiceMusicOn || c == kChoiceMusicOff) {
    settings.music = c == kChoiceMusicOn ? 1 : 0;
    host.SetMusicOn(settings.music != 0);
  } else if (c == kChoiceSoundOn || c == kChoiceSoundOff) {
    settings.sound = c == kChoiceSoundOn ? 1 : 0;
    host.SetSoundOn(settings.sound != 0);
  } else if (c >= kChoiceResolutionFirst && c - kChoiceResolutionFirst < static_cast<int>(sizes.size())) {
    pending.width = sizes[c - kChoiceResolutionFirst].width;
    pending.height = sizes[c - kChoiceResolutionFirst].height;
  }
  return true;
}

bool ResolutionChangeWanted(const PendingResolution& pending, const Settings& settings) {
  return pending.width != settings.width || pending.height != settings.height;
}
