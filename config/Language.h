// The language file: every label the game shows, the level sets the player can
// choose and the letters each level set treats as symmetric. Read once at
// start-up by LoadLanguage; read-only afterwards.
#pragma once

#include <string>

#include "base/CUString.h"

// The required keys, in the order they are read.
#define GLYPHOX_LABEL_KEYS(X)                                                                                  \
  X(Game) X(Options) X(HighScores) X(About) X(Order) X(Quit) X(Play) X(Load) X(Save) X(Back) X(Difficulty)     \
  X(Level) X(Resolution) X(Easy) X(Normal) X(Hard) X(ON) X(OFF) X(Name) X(Speed) X(Slow) X(VerySlow)           \
  X(Medium) X(Fast) X(VeryFast) X(Sound) X(Music) X(LoadGame) X(SaveGame) X(Empty) X(Yes) X(No) X(Code)        \
  X(Reflet) X(Moves) X(HighScores1) X(HighScores2) X(MipMapping) X(DetailLettre) X(DetailMin) X(DetailLow)     \
  X(DetailNormal) X(DetailHigh) X(Next) X(Previous) X(Product) X(Programming) X(Additional) X(Graphisme)        \
  X(Langage) X(Francais) X(Anglais) X(Espagnole) X(Shadow) X(Cartoon) X(ShadowNone) X(ShadowFalse)             \
  X(ShadowReal) X(MessageWord) X(MessageCode) X(MessageStart) X(MessageLevelWin) X(MessageGameWin) X(Ok)       \
  X(Copyright) X(UnknownCode) X(Paused) X(Resume) X(ScreenshotSaved) X(MoveCount)                           \
  X(SlotDamaged) X(SlotUnreadable) X(SaveFailed) X(LoadFailed) X(LevelSetFailed)                                \
  X(ScreenshotFailed) X(ExitSaved) X(ExitNotSaved) X(ReasonDiskFull) X(ReasonNotAllowed) X(Par) X(Hint)          \
  X(HintNone)

enum class LabelKey : int {
#define GLYPHOX_LABEL_ENUM(name) name,
  GLYPHOX_LABEL_KEYS(GLYPHOX_LABEL_ENUM)
#undef GLYPHOX_LABEL_ENUM
      Count
};

constexpr int kLabelCount = static_cast<int>(LabelKey::Count);
constexpr int kMaxLevelSets = 16;
// One symmetric-letter set per slot of the level-set table.
constexpr int kSymmetricSetCount = kMaxLevelSets;
constexpr int kMaxSymmetricLetters = 64;

struct LevelSetName {
  CUString name;  // shown to the player
  CUString file;  // level file in "data/level/"
};

// Loads the language file: every required label (the first missing one fails
// the load after its message), the optional symmetric-letter sets ("FontSym1"
// to "FontSym16"; only a missing one of the first three is reported, as the
// older files name three sets) and the level sets. Returns 1, or 0 after
// printing why.
int LoadLanguage(const char* path);

const CUString& Label(LabelKey key);
const char* LabelKeyName(LabelKey key);
// A failed file operation told to the player: the label, a colon and why,
// in the player's words for a full disk and a place they may not write to
// (ReasonDiskFull, ReasonNotAllowed), else in the system's; the label alone
// when error is 0.
CUString FailureText(LabelKey what, int error);

int LevelSetCount();
// Slot 0..15; an unused slot holds empty strings.
const LevelSetName& LevelSetSlot(int index);

// True when the letter reads the same after a half turn in the level set's
// font; a set without its "FontSym" key has none.
bool IsSymmetricLetter(int levelSet, char16_t letter);
int SymmetricLetterCount(int levelSet);
// The letters themselves, in the order the language file lists them.
std::u16string SymmetricLetters(int levelSet);
// Replaces a set, for tools and tests: every unit of letters but blanks and
// commas, at most 64.
void SetSymmetricLetters(int levelSet, const char16_t* letters);
