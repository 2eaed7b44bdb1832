// From score to module.
//
// One row is a sixteenth note (speed 6, the tempo in beats a minute), one
// pattern is one section of the form, cut short by a pattern break when the
// section has fewer than four bars. The parts are made in this order: the
// melody as written (with the next section's pickup at its end), then the
// bass against it (no parallel octaves or fifths with the melody, a walking
// bass by step within the key), then the harmony against both (the chord's
// third whenever the melody does not sound it, the least motion otherwise).
// A sustained note is never restarted at its own pitch; it glides to a new
// one with tone portamento, and a rest fades it with a volume slide.
#include "tools/audio/Composer.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>

#include "tools/audio/Instruments.h"

namespace audiogen {

namespace {

constexpr int kHarmonyLow = 55, kHarmonyHigh = 71;
constexpr int kBassLow = 36, kBassHigh = 52;
constexpr int kPortamentoSpeed = 0x30;  // a step in a tick or two: a legato join
// The bass and drums in the middle, the tune a little left and the
// harmony a little right, rather than ProTracker's hard left and right.
constexpr int kPanning[kModChannels] = {0x68, 0x98, 0x80, 0x80};

int PitchClass(int pitch) { return ((pitch % 12) + 12) % 12; }

bool SameChord(const Chord& a, const Chord& b) {
  return PitchClass(a.root) == PitchClass(b.root) && a.intervals == b.intervals;
}

std::vector<int> ChordClasses(const Chord& chord) {
  std::vector<int> out{PitchClass(chord.root)};
  for (int i : chord.intervals) out.push_back(PitchClass(chord.root + i));
  return out;
}

bool InChord(const Chord& chord, int pitch) {
  const std::vector<int> classes = ChordClasses(chord);
  return std::find(classes.begin(), classes.end(), PitchClass(pitch)) != classes.end();
}

// The pitch of a class nearest to `target`, inside [low, high].
int NearestIn(int pitchClass, int target, int low, int high) {
  int best = -1;
  for (int p = low; p <= high; ++p)
    if (PitchClass(p) == pitchClass && (best < 0 || std::abs(p - target) < std::abs(best - target))) best = p;
  return best;
}

// A span of rows under one chord, never across a bar line.
struct Span {
  int start, end;
  Chord chord;
};

// What a channel sounds when a pattern begins.
struct ChannelState {
  int pitch = -1;  // -1: silent or released
};

class Composer {
 public:
  Composer(const Score& score, ModSong& song) : m_score(score), m_song(song) {}
  bool Run(std::string& error);

 private:
  int AddInstrument(const std::string& name, int volume, std::string& error);
  bool Note(ModPattern& p, int row, int channel, int instrument, int pitch, std::string& error);
  void Glide(ModPattern& p, int row, int channel, int instrument, int pitch);
  void Release(ModPattern& p, int row, int channel, int volume);
  std::vector<MelodyStep> MelodyOf(size_t position) const;
  std::vector<Span> Spans(size_t position) const;
  bool Melody(ModPattern& p, size_t position, std::string& error);
  bool Bass(ModPattern& p, size_t position, std::string& error);
  bool Harmony(ModPattern& p, size_t position, std::string& error);
  void Drums(ModPattern& p, size_t position);
  bool Clean(int start, int end, const std::map<int, int>& notes) const;
  std::map<int, int> WalkLine(const Span& span, int nextRoot, const Key& key, int from) const;
  std::map<int, int> FirstClean(const Span& span, const std::vector<std::pair<int, std::vector<int>>>& slots) const;
  bool MelodyHasThird(const Span& span, int from, int to) const;
  std::vector<int> HarmonyVoice(const std::vector<Span>& spans) const;

  const Score& m_score;
  ModSong& m_song;
  std::map<std::string, int> m_instrumentIndex;
  std::vector<Instrument> m_instruments;
  int m_lead = 0, m_harmony = 0, m_bass = 0;
  std::map<char, int> m_drumIndex;
  ChannelState m_melodyState, m_harmonyState;
  int m_sounding = -1;  // the bass note sounding, -1 for none
  // This form position's melody and bass, and the bass before it.
  VoiceLine m_melody, m_bassLine;
  // Where the two outer voices stood at the last onset of each.
  int m_lastMelodyOnsetPitch = -1, m_lastMelodyOnsetBass = -1;
  int m_lastBassOnsetMelody = -1, m_lastBassOnsetPitch = -1;
  int m_bassBefore = -1;  // the bass sounding when this pattern starts
  std::vector<int> m_lastBroken;
};

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

bool Composer::Note(ModPattern& p, int row, int channel, int instrument, int pitch, std::string& error) {
  const Instrument& ins = m_instruments[instrument - 1];
  const int note = ins.fixedNote >= 0 ? ins.fixedNote : pitch - ins.pitchAtC2 + 12;
  if (note < 0 || note >= kModNotes) {
    error = "pitch " + std::to_string(pitch) + " outside the range of " + ins.sample.name;
    return false;
  }
  ModCell& cell = p.cells[row][channel];
  cell.note = note;
  cell.instrument = instrument;
  cell.effect = 0;
  cell.parameter = 0;
  return true;
}

void Composer::Glide(ModPattern& p, int row, int channel, int instrument, int pitch) {
  ModCell& cell = p.cells[row][channel];
  cell.note = pitch - m_instruments[instrument - 1].pitchAtC2 + 12;
  cell.instrument = 0;
  cell.effect = kEffectPortamento;
  cell.parameter = kPortamentoSpeed;
}

void Composer::Release(ModPattern& p, int row, int channel, int volume) {
  // Five ticks of the row take the note to silence without a click.
  ModCell& cell = p.cells[row][channel];
  cell.effect = kEffectVolumeSlide;
  cell.parameter = std::min(15, (volume + 4) / 5);
}

std::vector<MelodyStep> Composer::MelodyOf(size_t position) const {
  const FormEntry& f = m_score.form[position];
  const Section& s = m_score.At(position);
  std::vector<MelodyStep> melody = s.melody;
  if (f.Has("fill")) {
    // A note held over a leap of a third gets the step between as a passing
    // tone on its last eighth.
    for (size_t i = 0; i + 4 < melody.size(); ++i) {
      if (melody[i].kind != MelodyStep::kNote) continue;
      size_t next = i + 1;
      while (next < melody.size() && melody[next].kind == MelodyStep::kHold) ++next;
      if (next - i < 4 || next >= melody.size() || melody[next].kind != MelodyStep::kNote) continue;
      const int leap = melody[next].degree - melody[i].degree;
      if (std::abs(leap) != 2) continue;
      MelodyStep passing;
      passing.kind = MelodyStep::kNote;
      passing.degree = melody[i].degree + leap / 2;
      passing.pitch = s.key.tonic + s.key.DegreeSemitones(passing.degree);
      melody[next - 2] = passing;
    }
  }
  if (f.Has("high"))
    for (MelodyStep& step : melody) step.pitch += 12;
  if (f.Has("end")) {
    // The last bar settles on the tonic.
    const size_t lastBar = melody.size() - kStepsPerBar;
    melody[lastBar].kind = MelodyStep::kNote;
    melody[lastBar].degree = 0;
    melody[lastBar].pitch = s.key.tonic + (f.Has("high") ? 12 : 0);
    for (size_t i = lastBar + 1; i < melody.size(); ++i) melody[i].kind = MelodyStep::kHold;
  }
  // The next section's pickup sounds at the end of this one.
  const std::vector<MelodyStep>& pickup = m_score.After(position).pickup;
  std::copy(pickup.begin(), pickup.end(), melody.end() - static_cast<long>(pickup.size()));
  return melody;
}

std::vector<Span> Composer::Spans(size_t position) const {
  const Section& s = m_score.At(position);
  std::vector<Span> spans;
  for (int row = 0; row < s.Rows(); ++row) {
    const Chord chord = m_score.ChordAt(position, row);
    if (row % kStepsPerBar == 0 || !SameChord(chord, spans.back().chord)) spans.push_back({row, row, chord});
    spans.back().end = row + 1;
  }
  return spans;
}

bool Composer::Melody(ModPattern& p, size_t position, std::string& error) {
  const std::vector<MelodyStep> melody = MelodyOf(position);
  const int rows = static_cast<int>(melody.size());
  m_melody.pitch.assign(rows, -1);
  m_melody.onset.assign(rows, false);
  for (int row = 0; row < rows; ++row) {
    const MelodyStep& step = melody[row];
    if (step.kind == MelodyStep::kNote) {
      if (!Note(p, row, kMelodyChannel, m_lead, step.pitch, error)) return false;
      m_melodyState.pitch = step.pitch;
      m_melody.onset[row] = true;
    } else if (step.kind == MelodyStep::kRest && m_melodyState.pitch >= 0) {
      Release(p, row, kMelodyChannel, m_score.lead.volume);
      m_melodyState.pitch = -1;
    }
    m_melody.pitch[row] = m_melodyState.pitch;
  }
  return true;
}

// Whether bass notes (row to pitch) over rows [start, end) keep clear of
// parallel octaves and fifths with the melody, judged as CountParallels
// does: at each onset of either voice, against where both stood at that
// voice's onset before.
bool Composer::Clean(int start, int end, const std::map<int, int>& notes) const {
  int bassOnsetMelody = m_lastBassOnsetMelody, bassOnsetPitch = m_lastBassOnsetPitch;
  int melodyOnsetPitch = m_lastMelodyOnsetPitch, melodyOnsetBass = m_lastMelodyOnsetBass;
  int bass = m_sounding;
  for (int row = start; row < end; ++row) {
    const auto note = notes.find(row);
    const int melody = m_melody.pitch[row];
    if (note != notes.end()) {
      bass = note->second;
      if (ParallelPerfect(bassOnsetMelody, bassOnsetPitch, melody, bass)) return false;
      bassOnsetMelody = melody;
      bassOnsetPitch = bass;
    }
    if (m_melody.onset[row]) {
      if (ParallelPerfect(melodyOnsetPitch, melodyOnsetBass, melody, bass)) return false;
      melodyOnsetPitch = melody;
      melodyOnsetBass = bass;
    }
  }
  return true;
}

// A walking line of one note a beat from the chord's root toward the next
// root: scale steps of the key, thirds now and then, a chromatic step only
// as the last approach; chord tones on strong beats, no clash with the
// melody, no parallels. The best of all such lines by those costs.
std::map<int, int> Composer::WalkLine(const Span& span, int nextRoot, const Key& key, int from) const {
  const int beats = std::max(1, (span.end - span.start) / kStepsPerBeat);
  std::map<int, int> best, line;
  int bestCost = 1 << 30;
  auto inKey = [&](int pitch) {
    for (int d = 0; d < 7; ++d)
      if (PitchClass(key.tonic + key.DegreeSemitones(d)) == PitchClass(pitch)) return true;
    return false;
  };
  int previous = from;
  std::function<void(int, int)> walk = [&](int beat, int cost) {
    if (cost >= bestCost) return;
    if (beat == beats) {
      const int toNext = std::abs(nextRoot - previous);
      if (toNext == 0 || toNext > 2) cost += toNext == 0 ? 6 : 10 * (toNext - 2);
      if (cost < bestCost && Clean(span.start, span.end, line)) {
        bestCost = cost;
        best = line;
      }
      return;
    }
    const int row = span.start + beat * kStepsPerBeat;
    std::vector<int> candidates;
    if (beat == 0) {
      for (int pitch = kBassLow; pitch <= kBassHigh; ++pitch)
        if (InChord(span.chord, pitch)) candidates.push_back(pitch);
    } else {
      for (int d = -4; d <= 4; ++d)
        if (d) candidates.push_back(previous + d);
    }
    const int before = previous;
    for (int pitch : candidates) {
      if (pitch < kBassLow || pitch > kBassHigh) continue;
      int c = cost;
      if (beat == 0) {
        c += PitchClass(pitch) == PitchClass(span.chord.root) ? 0 : 5;  // an inversion
        if (from >= 0) c += std::abs(pitch - from) > 7 ? 3 + std::abs(pitch - from) - 7 : 0;
      } else {
        if (!inKey(pitch) && !(beat == beats - 1 && std::abs(nextRoot - pitch) == 1)) continue;
        c += std::abs(pitch - before) <= 2 ? 0 : 3;
        if (beat * 2 == beats && !InChord(span.chord, pitch)) c += 4;
      }
      const int melody = m_melody.pitch[row];
      if (melody >= 0) {
        const int against = PitchClass(melody - pitch);
        if (against == 1 || against == 11 || against == 6) c += 8;  // a clash with the tune
      }
      line[row] = pitch;
      previous = pitch;
      walk(beat + 1, c);
      line.erase(row);
      previous = before;
    }
  };
  walk(0, 0);
  return best;
}

// The first line, in the order of preference of each slot's options, that
// Clean accepts; empty when none does.
std::map<int, int> Composer::FirstClean(const Span& span, const std::vector<std::pair<int, std::vector<int>>>& slots) const {
  std::map<int, int> line;
  std::function<bool(size_t)> pick = [&](size_t slot) {
    if (slot == slots.size()) return Clean(span.start, span.end, line);
    for (int pitch : slots[slot].second) {
      line[slots[slot].first] = pitch;
      if (pick(slot + 1)) return true;
    }
    line.erase(slots[slot].first);
    return false;
  };
  return pick(0) ? line : std::map<int, int>();
}

bool Composer::Bass(ModPattern& p, size_t position, std::string& error) {
  const Section& s = m_score.At(position);
  const std::string& style = s.bassStyle.empty() ? m_score.bass.style : s.bassStyle;
  const std::vector<Span> spans = Spans(position);
  m_bassBefore = m_sounding;
  m_bassLine.pitch.assign(static_cast<size_t>(s.Rows()), -1);
  m_bassLine.onset.assign(static_cast<size_t>(s.Rows()), false);
  for (size_t k = 0; k < spans.size(); ++k) {
    const Span& span = spans[k];
    const Chord& chord = span.chord;
    const int last = m_sounding >= 0 ? m_sounding : 43;
    auto nearest = [&](int pitch, int to) { return NearestIn(PitchClass(pitch), to, kBassLow, kBassHigh); };
    const int root = nearest(chord.root, last), third = nearest(chord.Third(), last),
              fifth = nearest(chord.root + chord.intervals[1], last);
    std::map<int, int> line;
    bool rest = false, found = true;
    if (style == "walk") {
      const Chord next = k + 1 < spans.size() ? spans[k + 1].chord : m_score.ChordAt((position + 1) % m_score.form.size(), 0);
      line = WalkLine(span, nearest(next.root, root), s.key, m_sounding);
      found = !line.empty();
    } else {
      std::vector<std::pair<int, std::vector<int>>> slots;
      if (style == "root") {
        slots.push_back({span.start, {root, third, fifth}});
        if (span.end - span.start >= kStepsPerBar) slots.push_back({span.start + kStepsPerHalfBar, {fifth, root, third}});
      } else if (style == "pulse" || style == "arp") {
        // Eighths: root, root, fifth, octave; or the chord broken upward.
        const int octave = root + 12 <= kBassHigh ? root + 12 : root;
        const std::vector<std::vector<int>> figure =
            style == "pulse" ? std::vector<std::vector<int>>{{root, third, fifth}, {root, fifth}, {fifth, third}, {octave, third}}
                             : std::vector<std::vector<int>>{{root, third, fifth}, {third, fifth}, {fifth, root}, {third, root}};
        for (int row = span.start, n = 0; row < span.end; row += 2, ++n) slots.push_back({row, figure[n % 4]});
      } else if (style == "drone") {
        // One pedal a section, held on from the section before when it is the same.
        const int pedal = nearest(s.key.tonic, 40);
        if (span.start == 0 && pedal != m_sounding) slots.push_back({0, {pedal, nearest(s.key.tonic + 7, 45)}});
      } else {
        rest = span.start == 0;
      }
      line = FirstClean(span, slots);
      found = !line.empty() || slots.empty();
    }
    if (!found) {
      error = "section " + s.name + ": no bass line at row " + std::to_string(span.start) +
              " keeps clear of parallel octaves or fifths with the melody";
      return false;
    }
    for (int row = span.start; row < span.end; ++row) {
      const auto note = line.find(row);
      if (note != line.end()) {
        if (!Note(p, row, kBassChannel, m_bass, note->second, error)) return false;
        m_sounding = note->second;
        m_bassLine.onset[row] = true;
        m_lastBassOnsetMelody = m_melody.pitch[row];
        m_lastBassOnsetPitch = note->second;
      } else if (rest && row == span.start && m_sounding >= 0) {
        Release(p, row, kBassChannel, m_score.bass.volume);
        m_sounding = -1;
      }
      m_bassLine.pitch[row] = m_sounding;
      if (m_melody.onset[row]) {
        m_lastMelodyOnsetPitch = m_melody.pitch[row];
        m_lastMelodyOnsetBass = m_sounding;
      }
    }
  }
  return true;
}

bool Composer::MelodyHasThird(const Span& span, int from, int to) const {
  for (int row = std::max(from, span.start); row < std::min(to, span.end); ++row)
    if (m_melody.pitch[row] >= 0 && PitchClass(m_melody.pitch[row]) == PitchClass(span.chord.Third())) return true;
  return false;
}

// One harmony voice over a pattern's chords: the third wherever the tune
// does not sound it in a half-bar of the chord, any chord tone elsewhere;
// of all such paths the one of least motion, rather under the tune than on
// it or above it, the root least, never in parallel fifths or octaves with
// the bass (dynamic programming over the chords).
std::vector<int> Composer::HarmonyVoice(const std::vector<Span>& spans) const {
  struct Node {
    int pitch, cost, from;
  };
  std::vector<std::vector<Node>> layers;
  for (size_t k = 0; k < spans.size(); ++k) {
    const Span& span = spans[k];
    const std::vector<int> classes = ChordClasses(span.chord);
    bool thirdNeeded = false;
    for (int half = span.start / kStepsPerHalfBar * kStepsPerHalfBar; half < span.end; half += kStepsPerHalfBar)
      if (!MelodyHasThird(span, half, half + kStepsPerHalfBar)) thirdNeeded = true;
    const int melody = m_melody.pitch[span.start];
    const int bass = m_bassLine.pitch[span.start];
    const int bassBefore = k ? m_bassLine.pitch[spans[k - 1].start] : m_bassBefore;
    std::vector<Node> layer;
    for (int pitch = kHarmonyLow; pitch <= kHarmonyHigh; ++pitch) {
      const auto found = std::find(classes.begin(), classes.end(), PitchClass(pitch));
      if (found == classes.end() || (thirdNeeded && found - classes.begin() != 1)) continue;
      int own = found == classes.begin() ? 3 : 0;
      if (melody >= 0 && PitchClass(melody) == PitchClass(pitch)) own += 6;
      if (melody >= 0 && pitch >= melody) own += 4;
      auto step = [&](int from) {
        if (from < 0) return std::abs(pitch - 64);
        return std::abs(pitch - from) * 2 + (pitch != from && ParallelPerfect(from, bassBefore, pitch, bass) ? 50 : 0);
      };
      Node node{pitch, 1 << 30, -1};
      if (k == 0) {
        node.cost = own + step(m_harmonyState.pitch);
      } else {
        for (size_t i = 0; i < layers.back().size(); ++i) {
          const int cost = layers.back()[i].cost + own + step(layers.back()[i].pitch);
          if (cost < node.cost) {
            node.cost = cost;
            node.from = static_cast<int>(i);
          }
        }
      }
      layer.push_back(node);
    }
    layers.push_back(layer);
  }
  std::vector<int> voice(spans.size(), -1);
  int at = -1, lowest = 1 << 30;
  for (size_t i = 0; i < layers.back().size(); ++i)
    if (layers.back()[i].cost < lowest) {
      lowest = layers.back()[i].cost;
      at = static_cast<int>(i);
    }
  for (size_t k = spans.size(); k-- > 0 && at >= 0;) {
    voice[k] = layers[k][static_cast<size_t>(at)].pitch;
    at = layers[k][static_cast<size_t>(at)].from;
  }
  return voice;
}

bool Composer::Harmony(ModPattern& p, size_t position, std::string& error) {
  const Section& s = m_score.At(position);
  const std::string& style = s.harmonyStyle.empty() ? m_score.harmony.style : s.harmonyStyle;
  const bool sustained = m_instruments[m_harmony - 1].sample.loopLength > 0;
  const std::vector<Span> spans = Spans(position);
  const std::vector<int> voice = HarmonyVoice(spans);
  for (size_t k = 0; k < spans.size(); ++k) {
    const Span& span = spans[k];
    const Chord& chord = span.chord;
    const std::vector<int> classes = ChordClasses(chord);
    if (style == "rest") {
      if (m_harmonyState.pitch >= 0) Release(p, span.start, kHarmonyChannel, m_score.harmony.volume);
      m_harmonyState.pitch = -1;
      continue;
    }
    if (style == "broken") {
      // Closed voicings of the triad, the one nearest the last; the third
      // comes first when the chord lasts a beat only.
      std::vector<int> best;
      int bestCost = 1 << 20;
      for (int low = kHarmonyLow; low <= kHarmonyLow + 11; ++low) {
        if (std::find(classes.begin(), classes.begin() + 3, PitchClass(low)) == classes.begin() + 3) continue;
        std::vector<int> voicing{low};
        for (int q = low + 1; voicing.size() < 3 && q < low + 12; ++q)
          if (std::find(classes.begin(), classes.begin() + 3, PitchClass(q)) != classes.begin() + 3) voicing.push_back(q);
        if (voicing.size() < 3 || voicing[2] > kHarmonyHigh) continue;
        int cost = 0;
        for (int v = 0; v < 3; ++v) cost += m_lastBroken.empty() ? std::abs(voicing[v] - 62) : std::abs(voicing[v] - m_lastBroken[v]);
        if (cost < bestCost) {
          bestCost = cost;
          best = voicing;
        }
      }
      m_lastBroken = best;
      std::vector<int> figure{best[0], best[1], best[2], best[1]};
      if (span.end - span.start <= kStepsPerBeat) {
        const auto third = std::find_if(best.begin(), best.end(), [&](int q) { return PitchClass(q) == PitchClass(chord.Third()); });
        figure = {*third, third == best.begin() ? best[2] : best[0]};
      }
      for (int row = span.start, n = 0; row < span.end; row += 2, ++n)
        if (!Note(p, row, kHarmonyChannel, m_harmony, figure[n % figure.size()], error)) return false;
      m_harmonyState.pitch = -1;
      continue;
    }
    const int best = voice[k];
    if (style == "arp") {
      // The chord itself as a tracker arpeggio over the chosen voice.
      std::vector<int> above;
      for (int c : classes)
        if (c != PitchClass(best)) above.push_back(PitchClass(c - best));
      std::sort(above.begin(), above.end());
      for (int row = span.start; row < span.end; row += 2) {
        if (!Note(p, row, kHarmonyChannel, m_harmony, best, error)) return false;
        for (int r = row; r < row + 2 && r < span.end; ++r) {
          p.cells[r][kHarmonyChannel].effect = kEffectArpeggio;
          p.cells[r][kHarmonyChannel].parameter = above[0] << 4 | (above.size() > 1 ? above[1] : 0);
        }
      }
      m_harmonyState.pitch = -1;
      continue;
    }
    const int before = m_harmonyState.pitch;
    if (best == before && sustained) continue;  // held on through the change of chord
    if (before >= 0 && sustained) {
      Glide(p, span.start, kHarmonyChannel, m_harmony, best);
    } else if (!Note(p, span.start, kHarmonyChannel, m_harmony, best, error)) {
      return false;
    }
    m_harmonyState.pitch = best;
  }
  return true;
}

void Composer::Drums(ModPattern& p, size_t position) {
  if (m_score.form[position].Has("thin")) return;
  const Section& s = m_score.At(position);
  for (int bar = 0; bar < s.bars; ++bar) {
    const std::string& steps = s.drums[static_cast<size_t>(bar) % s.drums.size()];
    for (int step = 0; step < kStepsPerBar; ++step) {
      const char c = steps[step];
      if (c == '.') continue;
      ModCell& cell = p.cells[bar * kStepsPerBar + step][kDrumChannel];
      cell.instrument = m_drumIndex[static_cast<char>(std::tolower(c))];
      cell.note = m_instruments[cell.instrument - 1].fixedNote;
      if (!std::isupper(static_cast<unsigned char>(c))) {
        cell.effect = kEffectVolume;
        cell.parameter = m_score.drumVolume * 3 / 4;
      }
    }
  }
}

// An effect on the first channel, in the given order, whose slot is free.
bool PlaceEffect(ModPattern& p, int row, int effect, int parameter, std::initializer_list<int> channels) {
  for (int channel : channels) {
    ModCell& cell = p.cells[row][channel];
    if (cell.effect || cell.parameter) continue;
    cell.effect = effect;
    cell.parameter = parameter;
    return true;
  }
  return false;
}

bool Composer::Run(std::string& error) {
  m_song.title = m_score.title;
  if (!(m_lead = AddInstrument(m_score.lead.instrument, m_score.lead.volume, error))) return false;
  if (!(m_harmony = AddInstrument(m_score.harmony.instrument, m_score.harmony.volume, error))) return false;
  if (!(m_bass = AddInstrument(m_score.bass.instrument, m_score.bass.volume, error))) return false;
  const std::pair<char, const char*> kDrumNames[5] = {
      {'k', "kick"}, {'s', "snare"}, {'h', "hat"}, {'o', "openhat"}, {'r', "rim"}};
  for (const auto& d : kDrumNames) m_drumIndex[d.first] = AddInstrument(d.second, m_score.drumVolume, error);

  std::vector<std::vector<uint8_t>> seen;
  for (size_t position = 0; position < m_score.form.size(); ++position) {
    const Section& s = m_score.At(position);
    ModPattern p;
    if (!Melody(p, position, error) || !Bass(p, position, error) || !Harmony(p, position, error)) return false;
    Drums(p, position);
    // Tempo once at the start (speed 6 is every player's default).
    if (position == 0 && !PlaceEffect(p, 0, kEffectSpeed, m_score.tempo, {kHarmonyChannel, kMelodyChannel, kBassChannel})) {
      error = "no free effect on the first row for the tempo";
      return false;
    }
    for (int channel = 0; channel < kModChannels; ++channel)
      for (int row = 0; row < s.Rows(); ++row)
        if (PlaceEffect(p, row, kEffectPanning, kPanning[channel], {channel})) break;
    if (s.Rows() < kModRows &&
        !PlaceEffect(p, s.Rows() - 1, kEffectBreak, 0, {kDrumChannel, kBassChannel, kHarmonyChannel, kMelodyChannel})) {
      error = "section " + s.name + ": no free effect for the break at its end";
      return false;
    }
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
  if (m_song.patterns.size() > 64) {
    error = "more than 64 different patterns";
    return false;
  }
  return true;
}

}  // namespace

bool ParallelPerfect(int top0, int bottom0, int top1, int bottom1) {
  if (top0 < 0 || bottom0 < 0 || top1 < 0 || bottom1 < 0 || top0 == top1 || bottom0 == bottom1) return false;
  const int before = PitchClass(top0 - bottom0), after = PitchClass(top1 - bottom1);
  return before == after && (before == 0 || before == 7);
}

int CountParallels(const VoiceLine& top, const VoiceLine& bottom) {
  int count = 0, lastTop = -1, lastBottom = -1;
  const size_t rows = std::min(top.pitch.size(), bottom.pitch.size());
  for (size_t r = 0; r < rows; ++r) {
    bool parallel = false;
    if (bottom.onset[r] && lastBottom >= 0)
      parallel = ParallelPerfect(top.pitch[lastBottom], bottom.pitch[lastBottom], top.pitch[r], bottom.pitch[r]);
    if (top.onset[r] && lastTop >= 0)
      parallel = parallel || ParallelPerfect(top.pitch[lastTop], bottom.pitch[lastTop], top.pitch[r], bottom.pitch[r]);
    count += parallel;
    if (bottom.onset[r]) lastBottom = static_cast<int>(r);
    if (top.onset[r]) lastTop = static_cast<int>(r);
  }
  return count;
}

bool ComposeModule(const Score& score, ModSong& song, std::string& error) {
  song = ModSong();
  Composer composer(score, song);
  return composer.Run(error);
}

}  // namespace audiogen
