// A tune as a musician writes it (music/*.txt): key, tempo, the four parts'
// instruments and styles, sections of one to four bars with their key area,
// chords, melody (eighths and sixteenths, ties, rests, pickups) and drums,
// and the form that orders the sections. See music/README.md.
#pragma once

#include <string>
#include <vector>

namespace audiogen {

constexpr int kMaxBarsPerSection = 4;
constexpr int kStepsPerBar = 16;  // sixteenths, one module row each
constexpr int kStepsPerBeat = 4;
constexpr int kStepsPerHalfBar = kStepsPerBar / 2;

// A key area: scale degree 1 is `tonic`, a MIDI pitch.
struct Key {
  int tonic = 62;
  enum Mode { kMajor, kMinor, kDorian, kMixolydian } mode = kMajor;
  // Semitones of the scale degree (0-based, any integer) above the tonic.
  int DegreeSemitones(int degree) const;
  bool MinorThird() const { return mode == kMinor || mode == kDorian; }
};

struct Chord {
  int root = 0;                // a MIDI pitch of the root; only its pitch class counts
  std::vector<int> intervals;  // above the root: third, fifth, maybe seventh
  int Third() const { return root + intervals[0]; }
};

// One sixteenth of the melody: a new note (MIDI pitch), a hold of whatever
// sounds (a tie), or a rest.
struct MelodyStep {
  enum Kind { kNote, kHold, kRest } kind = kRest;
  int pitch = 0;
  int degree = 0;  // scale step in the section's key, for passing tones
};

struct Section {
  std::string name;
  Key key;
  int bars = 0;
  std::vector<std::vector<Chord>> chords;  // per bar: one, two or four chords
  std::vector<MelodyStep> melody;          // bars x kStepsPerBar
  // Steps that sound at the end of whatever section comes before this one.
  std::vector<MelodyStep> pickup;
  std::vector<std::string> drums;          // per bar: kStepsPerBar characters
  // Part styles of this section alone; empty keeps the tune's own.
  std::string harmonyStyle, bassStyle;

  int Rows() const { return bars * kStepsPerBar; }
  const Chord& ChordAt(int row) const;
};

struct Part {
  std::string instrument;
  int volume = 48;
  std::string style;
};

struct FormEntry {
  std::string section;
  std::vector<std::string> variations;  // high, fill, thin, end
  bool Has(const char* variation) const;
};

struct Score {
  int track = -1;
  std::string title;
  Key key;
  int tempo = 100;
  Part lead, harmony, bass;
  int drumVolume = 40;
  std::vector<Section> sections;
  std::vector<FormEntry> form;

  const Section* Find(const std::string& name) const;
  // The section of a form position, and of the one after it (wrapping).
  const Section& At(size_t position) const { return *Find(form[position].section); }
  const Section& After(size_t position) const { return At((position + 1) % form.size()); }
  // Chords of a form position as played: `end` settles the last bar on the tonic.
  Chord ChordAt(size_t position, int row) const;
};

// Parses a score; on failure returns false with "line N: reason".
bool ParseScore(const std::string& text, Score& score, std::string& error);

}  // namespace audiogen
