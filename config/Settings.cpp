#include "config/Settings.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/FileAccess.h"
#include "config/IniProfile.h"
#include "config/Language.h"

Settings g_settings;

const char* const kConfigFileName = "config.ini";
const char* const kFontIniPath = "data/font.ini";
const char* const kGameIniPath = ".\\game.ini";

namespace {

// config.ini as read at start-up, kept to be written back with its own
// lines at exit; the language file path built from it. With g_settings.
struct SettingsFiles {
  ORBConfigFile config;
  bool configRead = false;  // whether the last LoadSettings read config.ini
  ORBString languagePath;
} g_files;

// Every stored integer setting once: its key, its field, its default and the
// range the game can use. Values that index tables (labels, shadow modes,
// difficulty letters) are clamped into range; the level set is checked where
// it is used so that an unknown one is reported.
struct IntegerSetting {
  const char* key;
  int Settings::*field;
  int defaultValue;
  int minimum;
  int maximum;
};

// In the order they are read.
const IntegerSetting kIntegerSettings[] = {
    {"Width", &Settings::width, 640, INT_MIN, INT_MAX},
    {"Height", &Settings::height, 480, INT_MIN, INT_MAX},
    {"Speed", &Settings::speed, 10, 1, INT_MAX},
    {"Difficulty", &Settings::difficulty, 0, 0, 2},
    {"Sound", &Settings::sound, 1, 0, 1},
    {"Music", &Settings::music, 1, 0, 1},
    {"Reflect", &Settings::reflect, 0, 0, 1},
    {"Shadow", &Settings::shadow, 0, 0, 2},
    {"Cartoon", &Settings::cartoon, 0, 0, 1},
    {"DetailLetter", &Settings::detailLetter, 2, 0, 3},
    {"LangLevel", &Settings::langLevel, 0, INT_MIN, INT_MAX},
};

const char* const kFontSections[kFontStyleCount] = {
    "FontGameBig",    "FontGameSmall",   "FontGameSmallNumber", "FontGameSmallWordFound", "FontCreditBig",
    "FontCreditSmall", "FontCopyright", "FontMenuBig",         "FontMenuSmall"};

struct SpeedStep {
  int speed;
  int moveDuration;
};
const SpeedStep kSpeedSteps[] = {{16, 600}, {12, 400}, {8, 250}, {4, 175}, {2, 100}};
constexpr int kMiddleMoveDuration = 250;

// atoi's rules (leading blanks, optional sign, digits up to the first other
// byte, 0 when there are none), saturating instead of overflowing.
int ParseInteger(const char* text) {
  long long number = std::strtoll(text, nullptr, 10);
  if (number < INT_MIN) return INT_MIN;
  if (number > INT_MAX) return INT_MAX;
  return static_cast<int>(number);
}

void ParseColor(const char* text, float color[3]) { std::sscanf(text, "%f,%f,%f", &color[0], &color[1], &color[2]); }

}  // namespace

ORBConfigFile& SettingsFile() { return g_files.config; }
const ORBString& LanguageFilePath() { return g_files.languagePath; }
const char* FontStyleSection(int style) {
  return style >= 0 && style < kFontStyleCount ? kFontSections[style] : "";
}

int MoveDurationForSpeed(int speed) {
  for (const SpeedStep& step : kSpeedSteps)
    if (step.speed == speed) return step.moveDuration;
  return kMiddleMoveDuration;
}

int LoadSettings() {
  g_files.configRead = g_files.config.LoadOrSay(kConfigFileName);
  if (!g_files.configRead) return 0;
  ORBString value;
  for (const IntegerSetting& setting : kIntegerSettings) {
    int number = setting.defaultValue;
    if (g_files.config.GetValue(setting.key, value)) number = ParseInteger(value.c_str());
    if (number < setting.minimum) number = setting.minimum;
    if (number > setting.maximum) number = setting.maximum;
    g_settings.*setting.field = number;
  }
  g_settings.mipMapping = 1;
  g_settings.lang = g_files.config.GetValue("Lang", value) ? value : ORBString("en");

  g_files.languagePath.Format("data/text_%s.txt", g_settings.lang.c_str());
  if (!LoadLanguage(g_files.languagePath.c_str())) return 0;

  for (int style = 0; style < kFontStyleCount; ++style)
    ReadFontStyle(kFontIniPath, g_settings.fontStyles[style], kFontSections[style]);
  return 1;
}

int StoreSettings() {
  // A config.ini that could not be read at start is not created at exit.
  if (!g_files.configRead) return 0;
  char number[32];
  for (const IntegerSetting& setting : kIntegerSettings) {
    std::snprintf(number, sizeof number, "%d", g_settings.*setting.field);
    g_files.config.SetOrAdd(setting.key, number);
  }
  int error = 0;
  if (g_files.config.Save(kConfigFileName, &error)) return 1;
  std::fprintf(stderr, "Couldn't save the settings to %s: %s\n", kConfigFileName, SystemReason(error).c_str());
  return 0;
}

void ReadGameDirectory() {
  char* path = g_settings.gamePath;
  ReadProfileString("Path", "GamePath", ".\\", path, sizeof g_settings.gamePath, kGameIniPath);
  // Every file name is the directory followed by the file's own name: a
  // directory written without its final separator still means a directory.
  const size_t length = std::strlen(path);
  if (length > 0 && path[length - 1] != '\\' && path[length - 1] != '/' && length + 1 < sizeof g_settings.gamePath) {
    path[length] = '\\';
    path[length + 1] = 0;
  }
}

void ReadFontStyle(const char* path, FontStyleRecord& record, const char* section) {
  char value[256];
  ReadProfileString(section, "Font", "", value, sizeof value, path);
  std::snprintf(record.face, sizeof record.face, "%s", value);
  ReadProfileString(section, "Size", "8", value, sizeof value, path);
  std::sscanf(value, "%d", &record.size);
  ReadProfileString(section, "ColorTop", "1,1,1", value, sizeof value, path);
  ParseColor(value, record.top);
  ReadProfileString(section, "ColorBottom", "1,1,1", value, sizeof value, path);
  ParseColor(value, record.bottom);
  ReadProfileString(section, "ShadowOffset", "0,0", value, sizeof value, path);
  std::sscanf(value, "%d,%d", &record.shadowOffset[0], &record.shadowOffset[1]);
}

void ReadLogoColors() {
  static const char* const kKeys[3] = {"Color1", "Color2", "Color3"};
  char value[256];
  for (int i = 0; i < 3; ++i) {
    ReadProfileString("Logo", kKeys[i], "1,1,1", value, sizeof value, kFontIniPath);
    ParseColor(value, g_settings.logoColors[i]);
  }
}
