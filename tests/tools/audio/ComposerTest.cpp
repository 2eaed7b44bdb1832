// The generator's rules on a small score written to tempt it: a melody that
// doubles the chord roots (parallel octaves with a root bass), a pad whose
// note is shared by the next chord, rests, a pickup, a short break section.
// The module's own cells and the analysis of it say whether the rules hold;
// the same analysis must see the parallels of a bass made to double the tune.
#include <gtest/gtest.h>

#include <string>

#include "audio/SDLMikMod.h"
#include "tools/audio/Analysis.h"
#include "tools/audio/Composer.h"

namespace {

using namespace audiogen;

const char kTempting[] = R"(track 1
key C major 4
tempo 140
lead flute 40
harmony pad 30 sustain
bass bass 30 root
drums 40

section A
chords  I | vi | IV V | iii
pickup  [7, 1]
melody  - - . 3 5 - . 1' | 6 - - - 3 [4 5] 6 - | 4 - 1' 6 5 - 7 - | 3 - - 5 7 - - -
drums   k...h...s...h...

section B
harmony rest
bass arp
chords  vi | V
melody  . . 3 - . [2 3] 6 . | . . . . 7 - . .
drums   k.......h.......


form A B A
)";

Score Parsed(const std::string& text) {
  Score score;
  std::string error;
  EXPECT_TRUE(ParseScore(text, score, error)) << error;
  return score;
}

TEST(Composer, TheRulesHoldOnAScoreWrittenToTemptThem) {
  const Score score = Parsed(kTempting);
  ModSong song;
  std::string error;
  ASSERT_TRUE(ComposeModule(score, song, error)) << error;
  ASSERT_EQ(song.orders.size(), 3u);
  const ModPattern& a = song.patterns[song.orders[0]];
  const ModPattern& b = song.patterns[song.orders[1]];

  // The tempo leaves the first kick its written volume; the two-bar break
  // ends its pattern; the pickup of A sounds at the end of B.
  EXPECT_EQ(a.cells[0][kDrumChannel].effect, kEffectVolume);
  bool tempo = false;
  for (const ModCell& cell : a.cells[0]) tempo = tempo || (cell.effect == kEffectSpeed && cell.parameter == 140);
  EXPECT_TRUE(tempo);
  bool broken = false;
  for (const ModCell& cell : b.cells[31]) broken = broken || cell.effect == kEffectBreak;
  EXPECT_TRUE(broken);
  EXPECT_GE(b.cells[30][kMelodyChannel].note, 0);
  EXPECT_GE(b.cells[31][kMelodyChannel].note, 0);

  // The pad never restarts: after its first note it holds (I to vi share
  // E) or glides; no part is ever cut dead, rests fade.
  int holds = 0, glides = 0, fades = 0;
  for (int row : {16, 32, 40, 48}) {  // where the chord changes
    const ModCell& pad = a.cells[row][kHarmonyChannel];
    EXPECT_TRUE(pad.note < 0 || pad.effect == kEffectPortamento) << "row " << row;
    (pad.note < 0 ? holds : glides) += 1;
  }
  for (const ModPattern& p : song.patterns)
    for (const auto& row : p.cells)
      for (const ModCell& cell : row) {
        EXPECT_FALSE(cell.effect == kEffectVolume && cell.parameter == 0) << "a cut";
        fades += cell.effect == kEffectVolumeSlide;
      }
  EXPECT_GT(holds, 0);
  EXPECT_GT(glides, 0);
  EXPECT_GT(fades, 0);

  // The analysis of the module: no parallels though the tune doubles every
  // root, a third in every half-bar; then the bass made to double the tune.
  ASSERT_TRUE(SDLMikMod_InitOffline(44100));
  struct Case {
    const char* what;
    bool doubled;
  } cases[] = {{"as composed", false}, {"bass doubling the tune", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ModSong changed = song;
    if (c.doubled)
      for (ModPattern& p : changed.patterns)
        for (auto& row : p.cells) {
          row[kBassChannel] = row[kMelodyChannel];
          if (row[kBassChannel].note >= 0) row[kBassChannel].note -= 12;
          if (row[kBassChannel].instrument) row[kBassChannel].instrument = 3;
        }
    TrackFigures figures;
    ASSERT_TRUE(AnalyseTrack(score, EncodeMod(changed), figures, error)) << error;
    if (c.doubled) {
      EXPECT_GT(figures.parallels, 3);
    } else {
      EXPECT_EQ(figures.parallels, 0);
      EXPECT_EQ(figures.halfBarsWithoutThird, 0);
      EXPECT_EQ(figures.breaks, 1);
      EXPECT_TRUE(figures.deterministic);
    }
  }
  SDLMikMod_Quit();
}

TEST(Score, FaultsAreRefusedWithTheirLine) {
  const std::string head = "track 1\nkey C major 4\nsection A\n";
  struct Case {
    std::string text, error;
  } cases[] = {
      {head + "chords I | V | X | I\n", "line 4: unknown chord X"},
      {head + "chords I\nmelody 1 - - - 2 - - - -\n", "line 5: a melody bar has eight eighths"},
      {head + "chords I\nmelody 1 - [2 3 - - - - -\n", "line 5: a bracket holds two sixteenths"},
      {head + "bass hum\n", "line 4: unknown bass style"},
      {head + "key H major 4\n", "line 4: key wants"},
      {head + "chords I | I\nmelody 1 - - - - - - -\ndrums k...............\nform A\n", "chords and melody differ"},
      {head + "chords I\nmelody 1 - - - - - - -\ndrums k...............\nform A:loud\n", "line 7: unknown variation loud"},
  };
  for (const Case& c : cases) {
    Score score;
    std::string error;
    EXPECT_FALSE(ParseScore(c.text, score, error)) << c.text;
    EXPECT_NE(error.find(c.error), std::string::npos) << error;
  }
}

}  // namespace
