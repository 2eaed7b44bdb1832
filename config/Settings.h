// The user settings ("config.ini"), the text styles and logo colours
// ("data/font.ini") and the game directory (".\game.ini"). Each setting is
// declared once in the table of Settings.cpp: key, default and usable range.
#pragma once

#include "base/ORBConfigFile.h"
#include "base/ORBString.h"

// The nine text styles, in the order they are read from "data/font.ini".
enum FontStyleIndex {
  kFontGameBig,
  kFontGameSmall,
  kFontGameSmallNumber,
  kFontGameSmallWordFound,
  kFontCreditBig,
  kFontCreditSmall,
  kFontCopyright,
  kFontMenuBig,
  kFontMenuSmall,
  kFontStyleCount
};

struct FontStyleRecord {
  char face[256];
  int size;
  float top[3];
  float bottom[3];
  int shadowOffset[2];
};

// The settings as loaded: process-wide, read once at start-up and by every
// layer that shows what they choose, written back to config.ini at exit.
struct Settings {
  int width = 640;
  int height = 480;
  int speed = 10;          // larger is slower; never below 1
  int sound = 1;           // 0 off, 1 on
  int music = 1;           // 0 off, 1 on
  int difficulty = 0;      // 0 easy, 1 normal, 2 hard
  int reflect = 0;         // floor reflection
  int shadow = 0;          // 0 none, 1 simple, 2 real
  int mipMapping = 1;      // not stored; on at every start
  int langLevel = 0;       // index into the level sets of the language file
  int cartoon = 0;
  int detailLetter = 2;    // 0 minimum .. 3 high
  int windowed = 0;        // from the command line, not stored
  ORBString lang = "en";   // language code of the texts

  // "data/font.ini": the nine text styles and the three colours of the
  // opening logo.
  FontStyleRecord fontStyles[kFontStyleCount] = {};
  float logoColors[3][3] = {{0.0f, 0.8f, 1.0f}, {1.0f, 0.0f, 0.5f}, {1.0f, 0.9f, 0.0f}};
  // ".\game.ini": the directory under which saves, screenshots and the score
  // files live; ReadGameDirectory ends it with a separator.
  char gamePath[1024] = ".\\";
};

extern Settings g_settings;

// The roll duration in milliseconds for a speed of the options table (16, 12,
// 8, 4, 2); any other speed rolls at the middle one's 250.
int MoveDurationForSpeed(int speed);

const char* FontStyleSection(int style);

extern const char* const kConfigFileName;   // "config.ini"
extern const char* const kFontIniPath;      // "data/font.ini"
extern const char* const kGameIniPath;      // ".\game.ini"

// The "config.ini" held from the load to the end of the process.
ORBConfigFile& SettingsFile();
// "data/text_" + lang + ".txt", built by LoadSettings.
const ORBString& LanguageFilePath();

// Start-up: config.ini, then the language file, then the nine text styles.
// Returns 1, or 0 after printing why.
int LoadSettings();
// Shutdown: every stored setting is set on the loaded config.ini (a key the
// file lacks is added) and the file is written back. Returns 1, or 0 after
// printing why (nothing is written when config.ini was never read).
int StoreSettings();

void ReadGameDirectory();
void ReadFontStyle(const char* path, FontStyleRecord& record, const char* section);
void ReadLogoColors();
