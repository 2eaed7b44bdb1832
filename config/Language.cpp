#include "config/Language.h"

#include <cerrno>
#include <cstdio>
#include <string>

#include "base/FileAccess.h"
#include "config/CUConfigFile.h"

namespace {

const char* const kLabelKeyNames[kLabelCount] = {
#define GLYPHOX_LABEL_NAME(name) #name,
    GLYPHOX_LABEL_KEYS(GLYPHOX_LABEL_NAME)
#undef GLYPHOX_LABEL_NAME
};

struct SymmetricSet {
  char16_t letters[kMaxSymmetricLetters];
  int count;
};

// The language as loaded: process-wide, since every screen shows its labels
// and it is read once at start-up. The file itself is only held while it is
// read.
struct LoadedLanguage {
  CUString labels[kLabelCount];
  LevelSetName levelSets[kMaxLevelSets];
  int levelSetCount = 0;
  SymmetricSet symmetric[kSymmetricSetCount];
  CUConfigFile file;
} g_language;

// The label reader: looks a key up and reports a missing one.
int ReadLabel(const char* key, CUString& label) {
  if (g_language.file.GetValue(key, label)) return 1;
  std::fprintf(stderr, "Couldn't read Key '%s' in langage File %s\n", key, g_language.file.Path());
  return 0;
}

void ReadLevelSets() {
  g_language.levelSetCount = 0;
  char key[32];
  for (int i = 1; i <= kMaxLevelSets; ++i) {
    LevelSetName& slot = g_language.levelSets[i - 1];
    slot = LevelSetName{};
    std::snprintf(key, sizeof key, "TesselLevelName%d", i);
    if (!g_language.file.GetValue(key, slot.name)) continue;
    std::snprintf(key, sizeof key, "TesselLevel%d", i);
    g_language.file.GetValue(key, slot.file);
    std::printf("--- %s %s\n", slot.name.LowBytes().c_str(), slot.file.LowBytes().c_str());
    ++g_language.levelSetCount;
  }
}

}  // namespace

int LoadLanguage(const char* path) {
  if (!g_language.file.Load(path)) {
    std::fprintf(stderr, "Langage File %s not found\n", path);
    return 0;
  }
  for (int i = 0; i < kLabelCount; ++i) {
    if (!ReadLabel(kLabelKeyNames[i], g_language.labels[i])) {
      g_language.file.Clear();
      return 0;
    }
  }
  constexpr int kReportedSymmetricSets = 3;
  for (int set = 0; set < kSymmetricSetCount; ++set) {
    char key[16];
    std::snprintf(key, sizeof key, "FontSym%d", set + 1);
    CUString letters;
    g_language.symmetric[set].count = 0;
    const bool found = set < kReportedSymmetricSets ? ReadLabel(key, letters) : g_language.file.GetValue(key, letters);
    if (found) SetSymmetricLetters(set, letters.Data());
  }
  ReadLevelSets();
  g_language.file.Clear();
  return 1;
}

const CUString& Label(LabelKey key) {
  static const CUString kNone;
  int index = static_cast<int>(key);
  return index >= 0 && index < kLabelCount ? g_language.labels[index] : kNone;
}

const char* LabelKeyName(LabelKey key) {
  int index = static_cast<int>(key);
  return index >= 0 && index < kLabelCount ? kLabelKeyNames[index] : "";
}

int LevelSetCount() { return g_language.levelSetCount; }

const LevelSetName& LevelSetSlot(int index) {
  static const LevelSetName kNone;
  return index >= 0 && index < kMaxLevelSets ? g_language.levelSets[index] : kNone;
}

bool IsSymmetricLetter(int levelSet, char16_t letter) {
  if (levelSet < 0 || levelSet >= kSymmetricSetCount) return false;
  const SymmetricSet& set = g_language.symmetric[levelSet];
  for (int i = 0; i < set.count; ++i)
    if (set.letters[i] == letter) return true;
  return false;
}

int SymmetricLetterCount(int levelSet) {
  return levelSet >= 0 && levelSet < kSymmetricSetCount ? g_language.symmetric[levelSet].count : 0;
}

std::u16string SymmetricLetters(int levelSet) {
  if (levelSet < 0 || levelSet >= kSymmetricSetCount) return u"";
  return std::u16string(g_language.symmetric[levelSet].letters, g_language.symmetric[levelSet].count);
}

void SetSymmetricLetters(int levelSet, const char16_t* letters) {
  if (levelSet < 0 || levelSet >= kSymmetricSetCount) return;
  SymmetricSet& set = g_language.symmetric[levelSet];
  set.count = 0;
  for (size_t i = 0; letters && letters[i] && set.count < kMaxSymmetricLetters; ++i)
    if (letters[i] != u' ' && letters[i] != u',') set.letters[set.count++] = letters[i];
}

CUString FailureText(LabelKey what, int error) {
  const CUString& label = Label(what);
  if (error == 0) return label;
  std::u16string text(label.Data(), label.Length());
  text += u": ";
  if (error == ENOSPC || error == EDQUOT || error == EFBIG) {
    text.append(Label(LabelKey::ReasonDiskFull).Data(), Label(LabelKey::ReasonDiskFull).Length());
  } else if (error == EACCES || error == EPERM || error == EROFS) {
    text.append(Label(LabelKey::ReasonNotAllowed).Data(), Label(LabelKey::ReasonNotAllowed).Length());
  } else {
    const CUString reason = CUString::FromUtf8(SystemReason(error));
    text.append(reason.Data(), reason.Length());
  }
  return CUString(text.data(), text.size());
}
