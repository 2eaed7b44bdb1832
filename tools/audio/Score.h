// A tune as a musician writes it (music/*.txt): key, tempo, the four parts'
// instruments and styles, sections of four bars with chords, melody and
// drums, and the form that orders the sections. See music/README.md.
#pragma once

#include <string>
#include <vector>

namespace audiogen {

constexpr int kBarsPerSection = 4;
constexpr int kEighthsPerBar = 8;
constexpr int kStepsPerBar = 16;  // drum steps, one row each

struct Chord {
  int root = 0;                // a MIDI pitch of the root; only its pitch class counts
  std::vector<int> intervals;  // above the root: third, fifth, maybe seventh
};

// One melody eighth: a pitch (MIDI), a hold of the note before, or a rest.
struct MelodyStep {
  enum Kind { kNote, kHold, kRest } kind = kRest;
  int pitch = 0;
  int degree = 0;  // scale step counted from the tonic, for passing tones
};

struct Section {
  std::string name;
  std::vector<std::vector<Chord>> chords;  // per bar: one or two chords
  std::vector<MelodyStep> melody;          // kBarsPerSection x kEighthsPerBar
  std::vector<std::string> drums;          // per bar: kStepsPerBar characters
};

struct Part {
  std::string instrument;
  int volume = 48;
  std::string style;
};

struct FormEntry {
  std::string section;
  std::vector<std::string> variations;  // high, fill, thin, end
};

struct Score {
  int track = -1;
  std::string title;
  int tonic = 62;           // MIDI pitch of degree 1 of the melody
  bool minor = false;
  int tempo = 100;
  Part lead, harmony, bass;
  int drumVolume = 40;
  std::vector<Section> sections;
  std::vector<FormEntry> form;

  const Section* Find(const std::string& name) const;
  // Semitones of the scale degree (0-based, any integer) above the tonic.
  int DegreeSemitones(int degree) const;
};

// Parses a score; on failure returns false with "line N: reason".
bool ParseScore(const std::string& text, Score& score, std::string& error);

}  // namespace audiogen
