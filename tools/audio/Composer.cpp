// From score to module.
//
// Channels: 0 melody, 1 harmony, 2 bass, 3 percussion. One row is a
// sixteenth note (speed 6, the tempo in beats a minute), one pattern is one
// four-bar section. The harmony follows the chords with the least motion
// from its last note, prefers the chord's third and seventh, avoids doubling
// the melody and never moves in parallel fifths or octaves with the bass.
#include "tools/audio/Composer.h"

#include <algorithm>
#include <cstdlib>
#include <map>

#include "tools/audio/Instruments.h"

namespace audiogen {

namespace {

constexpr int kMelody = 0, kHarmony = 1, kBass = 2, kDrums = 3;
constexpr int kRowsPerEighth = 2;
constexpr int kEffectArpeggio = 0x0, kEffectVolume = 0xC, kEffectSpeed = 0xF;

struct Voices {
  int harmony = -1;  // last harmony pitch (or top of a broken chord)
  int bass = -1;
  std::vector<int> broken;  // last broken-chord voicing, low to high
};

class Composer {
 public:
  Composer(const Score& score, ModSong& song) : m_score(score), m_song(song) {}
  bool Run(std::string& error);

 private:
  int AddInstrument(const std::string& name, int volume, std::string& error);
  bool Put(ModPattern& p, int row, int channel, int instrument, int pitch, std::string& error);
  void Cut(ModPattern& p, int row, int channel);
  bool Melody(ModPattern& p, const Section& s, const FormEntry& f, std::string& error);
  bool Harmony(ModPattern& p, const Section& s, const FormEntry& f, std::string& error);
  bool Bass(ModPattern& p, const Section& s, const FormEntry& f, std::string& error);
  void Drums(ModPattern& p, const Section& s, const FormEntry& f);
  std::vector<MelodyStep> MelodyOf(const Section& s, const FormEntry& f) const;
  std::vector<std::pair<int, Chord>> ChordSpans(const Section& s, const FormEntry& f) const;
  int MelodyAt(const std::vector<MelodyStep>& melody, int row) const;

  const Score& m_score;
  ModSong& m_song;
  std::map<std::string, int> m_instrumentIndex;
  std::vector<Instrument> m_instruments;
  int m_lead = 0, m_harmony = 0, m_bass = 0;
  std::map<char, int> m_drumIndex;
  Voices m_voices;
};

bool Has(const FormEntry& f, const char* variation) {
  return std::find(f.variations.begin(), f.variations.end(), variation) != f.variations.end();
}

int PitchClass(int pitch) { return ((pitch % 12) + 12) % 12; }

std::vector<int> ChordPitchClasses(const Chord& chord) {
  std::vector<int> out{PitchClass(chord.root)};
  for (int i : chord.intervals) out.push_back(PitchClass(chord.root + i));
  return out;
}

int Nearest(int pitchClass, int target) {
  int best = target;
  for (int p = target - 6; p <= target + 6; ++p)
    if (PitchClass(p) == pitchClass) best = p;
  return best;
}

int Interval(int a, int b) { return PitchClass(a - b); }

int Composer::AddInstrument(const std::string& name, int volume, std::string& error) {
  const std::string key = name + "/" + std::to_string(volume);
  auto found = m_instrumentIndex.find(key);
  if (found != m_instrumentIndex.end()) return found->second;
  Instrument instrument;
  if (!MakeInstrument(name, instrument)) {
    error = "unknown instrument " + name;
    return 0;
  }
  instrument.sample.volume = volume;
  m_instruments.push_back(instrument);
  m_song.instruments.push_back(instrument.sample);
  const int number = static_cast<int>(m_instruments.size());
  m_instrumentIndex[key] = number;
  return number;
}

bool Composer::Put(ModPattern& p, int row, int channel, int instrument, int pitch, std::string& error) {
  const Instrument& ins = m_instruments[instrument - 1];
  int note = ins.fixedNote;
  if (note < 0) note = pitch - ins.pitchAtC2 + 12;
  if (note < 0 || note >= kModNotes) {
    error = "pitch " + std::to_string(pitch) + " outside the range of " + ins.sample.name;
    return false;
  }
  ModCell& cell = p.cells[row][channel];
  cell.note = note;
  cell.instrument = instrument;
  return true;
}

void Composer::Cut(ModPattern& p, int row, int channel) {
  ModCell& cell = p.cells[row][channel];
  if (cell.effect == kEffectSpeed) return;
  cell.effect = kEffectVolume;
  cell.parameter = 0;
}

std::vector<MelodyStep> Composer::MelodyOf(const Section& s, const FormEntry& f) const {
  std::vector<MelodyStep> melody = s.melody;
  if (Has(f, "fill")) {
    // A note held over a leap of a third gets the step between as a passing
    // tone on its last eighth.
    for (size_t i = 0; i + 2 < melody.size(); ++i) {
      if (melody[i].kind != MelodyStep::kNote || melody[i + 1].kind != MelodyStep::kHold) continue;
      size_t next = i + 1;
      while (next < melody.size() && melody[next].kind == MelodyStep::kHold) ++next;
      if (next >= melody.size() || melody[next].kind != MelodyStep::kNote) continue;
      const int leap = melody[next].degree - melody[i].degree;
      if (std::abs(leap) != 2) continue;
      MelodyStep passing;
      passing.kind = MelodyStep::kNote;
      passing.degree = melody[i].degree + leap / 2;
      passing.pitch = m_score.tonic + m_score.DegreeSemitones(passing.degree);
      melody[next - 1] = passing;
    }
  }
  if (Has(f, "high"))
    for (MelodyStep& step : melody) step.pitch += 12;
  if (Has(f, "end")) {
    // The last bar settles on the tonic.
    const size_t lastBar = melody.size() - kEighthsPerBar;
    melody[lastBar].kind = MelodyStep::kNote;
    melody[lastBar].degree = 0;
    melody[lastBar].pitch = m_score.tonic + (Has(f, "high") ? 12 : 0);
    for (size_t i = lastBar + 1; i < melody.size(); ++i) melody[i].kind = MelodyStep::kHold;
  }
  return melody;
}

std::vector<std::pair<int, Chord>> Composer::ChordSpans(const Section& s, const FormEntry& f) const {
  std::vector<std::pair<int, Chord>> spans;
  for (size_t bar = 0; bar < s.chords.size(); ++bar) {
    const auto& chords = s.chords[bar];
    for (size_t i = 0; i < chords.size(); ++i)
      spans.push_back({static_cast<int>(bar * kStepsPerBar + i * kStepsPerBar / chords.size()), chords[i]});
  }
  if (Has(f, "end")) {
    Chord tonic;
    tonic.root = m_score.tonic;
    tonic.intervals = {m_score.minor ? 3 : 4, 7};
    while (!spans.empty() && spans.back().first >= (kBarsPerSection - 1) * kStepsPerBar) spans.pop_back();
    spans.push_back({(kBarsPerSection - 1) * kStepsPerBar, tonic});
  }
  return spans;
}

int Composer::MelodyAt(const std::vector<MelodyStep>& melody, int row) const {
  for (int i = row / kRowsPerEighth; i >= 0; --i) {
    if (melody[i].kind == MelodyStep::kNote) return melody[i].pitch;
    if (melody[i].kind == MelodyStep::kRest) return -1;
  }
  return -1;
}

bool Composer::Melody(ModPattern& p, const Section& s, const FormEntry& f, std::string& error) {
  const std::vector<MelodyStep> melody = MelodyOf(s, f);
  for (size_t i = 0; i < melody.size(); ++i) {
    const int row = static_cast<int>(i) * kRowsPerEighth;
    if (melody[i].kind == MelodyStep::kNote) {
      if (!Put(p, row, kMelody, m_lead, melody[i].pitch, error)) return false;
    } else if (melody[i].kind == MelodyStep::kRest && (i == 0 || melody[i - 1].kind != MelodyStep::kRest)) {
      Cut(p, row, kMelody);
    }
  }
  return true;
}

bool Composer::Harmony(ModPattern& p, const Section& s, const FormEntry& f, std::string& error) {
  const std::vector<MelodyStep> melody = MelodyOf(s, f);
  const auto spans = ChordSpans(s, f);
  const std::string& style = m_score.harmony.style;
  for (size_t k = 0; k < spans.size(); ++k) {
    const int start = spans[k].first;
    const int end = k + 1 < spans.size() ? spans[k + 1].first : kModRows;
    const Chord& chord = spans[k].second;
    const std::vector<int> classes = ChordPitchClasses(chord);
    if (style == "broken") {
      // Closed voicings of the triad, the one nearest the last.
      std::vector<int> best;
      int bestCost = 1 << 20;
      const int centre = m_voices.broken.empty() ? 64 : m_voices.broken[1];
      for (int low = 55; low <= 67; ++low) {
        if (std::find(classes.begin(), classes.begin() + 3, PitchClass(low)) == classes.begin() + 3) continue;
        std::vector<int> voicing{low};
        for (int q = low + 1; voicing.size() < 3 && q < low + 12; ++q)
          if (std::find(classes.begin(), classes.begin() + 3, PitchClass(q)) != classes.begin() + 3)
            voicing.push_back(q);
        if (voicing.size() < 3) continue;
        int cost = std::abs(voicing[1] - centre) * 2;
        if (!m_voices.broken.empty())
          for (int v = 0; v < 3; ++v) cost += std::abs(voicing[v] - m_voices.broken[v]);
        if (cost < bestCost) {
          bestCost = cost;
          best = voicing;
        }
      }
      m_voices.broken = best;
      static const int kFigure[4] = {0, 1, 2, 1};
      for (int row = start, n = 0; row < end; row += kRowsPerEighth, ++n)
        if (!Put(p, row, kHarmony, m_harmony, best[kFigure[n % 4]], error)) return false;
      continue;
    }
    // One sustained voice: chord tones scored by motion and by the rules.
    int best = -1, bestCost = 1 << 20;
    const int melodyNote = MelodyAt(melody, start);
    for (int pitch = 57; pitch <= 74; ++pitch) {
      const int pc = PitchClass(pitch);
      const auto found = std::find(classes.begin(), classes.end(), pc);
      if (found == classes.end()) continue;
      const int role = static_cast<int>(found - classes.begin());  // 0 root, 1 third, 2 fifth, 3 seventh
      int cost = m_voices.harmony < 0 ? std::abs(pitch - 64) : std::abs(pitch - m_voices.harmony) * 2;
      if (role == 0) cost += 3;
      if (role == 2) cost += 1;
      if (melodyNote >= 0 && PitchClass(melodyNote) == pc) cost += 6;
      if (melodyNote >= 0 && pitch >= melodyNote) cost += 4;  // stay under the tune
      const int bassNow = Nearest(PitchClass(chord.root), m_voices.bass < 0 ? 43 : m_voices.bass);
      if (m_voices.harmony >= 0 && m_voices.bass >= 0 && pitch != m_voices.harmony) {
        const int before = Interval(m_voices.harmony, m_voices.bass), after = Interval(pitch, bassNow);
        if ((before == 7 && after == 7) || (before == 0 && after == 0)) cost += 50;  // parallel fifths, octaves
      }
      if (cost < bestCost) {
        bestCost = cost;
        best = pitch;
      }
    }
    m_voices.harmony = best;
    if (style == "arp") {
      // The chord itself as a tracker arpeggio over the chosen voice.
      std::vector<int> above;
      for (int c : classes)
        if (c != PitchClass(best)) above.push_back(PitchClass(c - best));
      std::sort(above.begin(), above.end());
      for (int row = start; row < end; row += kRowsPerEighth) {
        if (!Put(p, row, kHarmony, m_harmony, best, error)) return false;
        for (int r = row; r < row + kRowsPerEighth; ++r) {
          p.cells[r][kHarmony].effect = kEffectArpeggio;
          p.cells[r][kHarmony].parameter = above[0] << 4 | (above.size() > 1 ? above[1] : 0);
        }
      }
    } else if (!Put(p, start, kHarmony, m_harmony, best, error)) {
      return false;
    }
    // The bass moves after the harmony chose against it.
    m_voices.bass = Nearest(PitchClass(chord.root), m_voices.bass < 0 ? 43 : m_voices.bass);
  }
  return true;
}

bool Composer::Bass(ModPattern& p, const Section& s, const FormEntry& f, std::string& error) {
  const auto spans = ChordSpans(s, f);
  const std::string& style = m_score.bass.style;
  int last = -1;
  for (size_t k = 0; k < spans.size(); ++k) {
    const int start = spans[k].first;
    const int end = k + 1 < spans.size() ? spans[k + 1].first : kModRows;
    const Chord& chord = spans[k].second;
    int root = Nearest(PitchClass(chord.root), last < 0 ? 43 : last);
    while (root < 36) root += 12;
    while (root > 50) root -= 12;
    const int fifth = root + chord.intervals[1] > 52 ? root + chord.intervals[1] - 12 : root + chord.intervals[1];
    const int third = root + chord.intervals[0];
    const int nextRoot = k + 1 < spans.size() ? Nearest(PitchClass(spans[k + 1].second.root), root) : root;
    std::vector<std::pair<int, int>> notes;  // row, pitch
    if (style == "walk") {
      const int approach = nextRoot > root ? nextRoot - 1 : nextRoot + 1;
      const int line[4] = {root, third, fifth, approach};
      for (int row = start, n = 0; row < end; row += 4, ++n)
        notes.push_back({row, row + 4 >= end ? line[3] : line[n % 3]});
    } else if (style == "pulse") {
      for (int row = start, n = 0; row < end; row += kRowsPerEighth, ++n)
        notes.push_back({row, n % 4 == 3 ? root + 12 : n % 4 == 2 ? fifth : root});
    } else if (style == "drone") {
      notes.push_back({start, root});
    } else {
      notes.push_back({start, root});
      if (end - start >= kStepsPerBar) notes.push_back({start + kStepsPerBar / 2, fifth});
    }
    for (const auto& n : notes)
      if (!Put(p, n.first, kBass, m_bass, n.second, error)) return false;
    last = root;
  }
  return true;
}

void Composer::Drums(ModPattern& p, const Section& s, const FormEntry& f) {
  if (Has(f, "thin")) return;
  for (int bar = 0; bar < kBarsPerSection; ++bar) {
    std::string steps = s.drums.empty() ? std::string(kStepsPerBar, '.') : s.drums[bar % s.drums.size()];
    if (Has(f, "end") && bar == kBarsPerSection - 1) steps = "K...............";
    for (int step = 0; step < kStepsPerBar; ++step) {
      const char c = steps[step];
      if (c == '.') continue;
      const int row = bar * kStepsPerBar + step;
      ModCell& cell = p.cells[row][kDrums];
      cell.instrument = m_drumIndex[static_cast<char>(std::tolower(c))];
      cell.note = m_instruments[cell.instrument - 1].fixedNote;
      if (cell.effect != kEffectSpeed && !std::isupper(static_cast<unsigned char>(c))) {
        cell.effect = kEffectVolume;
        cell.parameter = m_score.drumVolume * 3 / 4;
      }
    }
  }
}

bool Composer::Run(std::string& error) {
  m_song.title = m_score.title;
  if (!(m_lead = AddInstrument(m_score.lead.instrument, m_score.lead.volume, error))) return false;
  if (!(m_harmony = AddInstrument(m_score.harmony.instrument, m_score.harmony.volume, error))) return false;
  if (!(m_bass = AddInstrument(m_score.bass.instrument, m_score.bass.volume, error))) return false;
  const std::pair<char, const char*> kDrumNames[4] = {{'k', "kick"}, {'s', "snare"}, {'h', "hat"}, {'o', "openhat"}};
  for (const auto& d : kDrumNames) m_drumIndex[d.first] = AddInstrument(d.second, m_score.drumVolume, error);

  std::vector<std::vector<uint8_t>> seen;
  for (const FormEntry& f : m_score.form) {
    const Section& s = *m_score.Find(f.section);
    ModPattern p;
    // Speed and tempo at every pattern's start, on the bass and drum channels.
    p.cells[0][kBass].effect = kEffectSpeed;
    p.cells[0][kBass].parameter = 6;
    p.cells[0][kDrums].effect = kEffectSpeed;
    p.cells[0][kDrums].parameter = m_score.tempo;
    if (!Melody(p, s, f, error) || !Harmony(p, s, f, error) || !Bass(p, s, f, error)) return false;
    Drums(p, s, f);
    // Equal patterns are stored once.
    ModSong one;
    one.patterns.push_back(p);
    one.orders.push_back(0);
    const std::vector<uint8_t> image = EncodeMod(one);
    const auto same = std::find(seen.begin(), seen.end(), image);
    if (same != seen.end()) {
      m_song.orders.push_back(static_cast<int>(same - seen.begin()));
      continue;
    }
    seen.push_back(image);
    m_song.patterns.push_back(p);
    m_song.orders.push_back(static_cast<int>(m_song.patterns.size()) - 1);
  }
  return true;
}

}  // namespace

bool ComposeModule(const Score& score, ModSong& song, std::string& error) {
  song = ModSong();
  Composer composer(score, song);
  return composer.Run(error);
}

}  // namespace audiogen
