// The shipped scores composed into modules: the bass and harmony follow the
// written chords by the rules the generator promises, and every tune has a
// form whose sections return.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>

#include "tests/support/TestFiles.h"
#include "tools/audio/Composer.h"
#include "tools/audio/Instruments.h"

namespace {

using namespace audiogen;

const char* const kScores[] = {"menu.txt", "thoughtful.txt", "playful.txt", "bright.txt", "mysterious.txt"};

Score Load(const char* name) {
  const std::string text =
      testsupport::ReadFile(std::string(std::getenv("GLYPHOX_SOURCE_DIR")) + "/music/" + name);
  Score score;
  std::string error;
  EXPECT_TRUE(ParseScore(text, score, error)) << name << ": " << error;
  return score;
}

int Pc(int pitch) { return ((pitch % 12) + 12) % 12; }

std::set<int> Classes(const Chord& c) {
  std::set<int> out{Pc(c.root)};
  for (int i : c.intervals) out.insert(Pc(c.root + i));
  return out;
}

// The chord sounding at each row of a form entry, as the score writes it.
std::vector<Chord> ChordsByRow(const Score& score, const FormEntry& entry) {
  const Section& s = *score.Find(entry.section);
  std::vector<Chord> rows(kModRows);
  for (int bar = 0; bar < kBarsPerSection; ++bar) {
    const auto& chords = s.chords[bar];
    for (int step = 0; step < kStepsPerBar; ++step)
      rows[bar * kStepsPerBar + step] = chords[step * chords.size() / kStepsPerBar];
  }
  if (std::count(entry.variations.begin(), entry.variations.end(), "end")) {
    Chord tonic;
    tonic.root = score.tonic;
    tonic.intervals = {score.minor ? 3 : 4, 7};
    std::fill(rows.begin() + (kBarsPerSection - 1) * kStepsPerBar, rows.end(), tonic);
  }
  return rows;
}

int PitchOf(const ModCell& cell, const std::vector<ModInstrument>&, const std::map<int, int>& pitchAtC2) {
  return cell.note - 12 + pitchAtC2.at(cell.instrument);
}

TEST(ComposedMusic, BassAndHarmonyFollowTheChordsWithoutParallelFifthsOrOctaves) {
  for (const char* name : kScores) {
    SCOPED_TRACE(name);
    const Score score = Load(name);
    ModSong song;
    std::string error;
    ASSERT_TRUE(ComposeModule(score, song, error)) << error;
    std::map<int, int> pitchAtC2;
    for (size_t i = 0; i < song.instruments.size(); ++i) {
      Instrument ins;
      ASSERT_TRUE(MakeInstrument(song.instruments[i].name, ins));
      pitchAtC2[static_cast<int>(i) + 1] = ins.pitchAtC2;
    }
    int parallels = 0, harmonyNotes = 0;
    for (size_t position = 0; position < score.form.size(); ++position) {
      const ModPattern& p = song.patterns[song.orders[position]];
      const std::vector<Chord> chords = ChordsByRow(score, score.form[position]);
      int lastHarmony = -1, lastBass = -1;
      for (int row = 0; row < kModRows; ++row) {
        const bool chordStarts = row == 0 || Classes(chords[row]) != Classes(chords[row - 1]) ||
                                 Pc(chords[row].root) != Pc(chords[row - 1].root);
        const ModCell& h = p.cells[row][1];
        const ModCell& b = p.cells[row][2];
        if (h.note >= 0) {
          ++harmonyNotes;
          const int pitch = PitchOf(h, song.instruments, pitchAtC2);
          EXPECT_TRUE(Classes(chords[row]).count(Pc(pitch))) << "harmony off the chord at row " << row;
          // A tracker arpeggio must spell the rest of the chord.
          if (h.effect == 0 && h.parameter) {
            EXPECT_TRUE(Classes(chords[row]).count(Pc(pitch + (h.parameter >> 4))));
            EXPECT_TRUE(Classes(chords[row]).count(Pc(pitch + (h.parameter & 15))));
          }
        }
        if (chordStarts) {
          ASSERT_GE(b.note, 0) << "no bass note where a chord starts, row " << row;
          const int bass = PitchOf(b, song.instruments, pitchAtC2);
          EXPECT_EQ(Pc(bass), Pc(chords[row].root)) << "bass off the root at row " << row;
          if (score.harmony.style == "sustain" && h.note >= 0) {
            const int harmony = PitchOf(h, song.instruments, pitchAtC2);
            if (lastHarmony >= 0 && harmony != lastHarmony && bass != lastBass) {
              const int before = Pc(lastHarmony - lastBass), after = Pc(harmony - bass);
              if (before == after && (after == 0 || after == 7)) ++parallels;
            }
            lastHarmony = harmony;
            lastBass = bass;
          }
        }
      }
    }
    EXPECT_EQ(parallels, 0);
    EXPECT_GT(harmonyNotes, 20);
  }
}

TEST(ComposedMusic, EveryTuneHasSectionsThatReturnAndVary) {
  for (const char* name : kScores) {
    SCOPED_TRACE(name);
    const Score score = Load(name);
    std::map<std::string, int> uses;
    int varied = 0;
    for (const FormEntry& f : score.form) {
      ++uses[f.section];
      if (!f.variations.empty()) ++varied;
    }
    EXPECT_GE(uses.size(), 3u) << "at least three different sections";
    EXPECT_GE(std::max_element(uses.begin(), uses.end(), [](auto& a, auto& b) { return a.second < b.second; })->second,
              3)
        << "a main section comes back";
    EXPECT_GE(varied, 2) << "returns are varied";
    ModSong song;
    std::string error;
    ASSERT_TRUE(ComposeModule(score, song, error)) << error;
    EXPECT_EQ(song.orders.size(), score.form.size());
    EXPECT_GT(song.patterns.size(), uses.size()) << "variations make patterns of their own";
  }
}

}  // namespace
