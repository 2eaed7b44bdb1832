// Reads a generated module back row by row, the way the player walks it, and
// measures it against its score and on renders through the game's mixer.
#include "tools/audio/Analysis.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <set>
#include <sstream>

#include "tools/audio/Composer.h"
#include "tools/audio/Instruments.h"
#include "tools/audio/ModWriter.h"
#include "tools/audio/Render.h"
#include "tools/audio/Synth.h"

namespace audiogen {

namespace {

int PitchClass(int pitch) { return ((pitch % 12) + 12) % 12; }

// One row as played: where it sits in the form and when it starts.
struct PlayedRow {
  size_t position;
  int row;
  double seconds;
  const ModCell* cells;
};

// The order list walked as the player does: pattern breaks, speed and tempo.
std::vector<PlayedRow> Walk(const ModSong& song) {
  std::vector<PlayedRow> rows;
  double seconds = 0.0;
  int speed = 6, tempo = 125;
  for (size_t position = 0; position < song.orders.size(); ++position) {
    const ModPattern& pattern = song.patterns[static_cast<size_t>(song.orders[position])];
    for (int row = 0; row < kModRows; ++row) {
      bool stop = false;
      for (const ModCell& cell : pattern.cells[row]) {
        if (cell.effect == kEffectSpeed && cell.parameter) (cell.parameter < 32 ? speed : tempo) = cell.parameter;
        if (cell.effect == kEffectBreak) stop = true;
      }
      rows.push_back({position, row, seconds, pattern.cells[row]});
      // The mixer's whole samples a tick.
      seconds += speed * std::floor(kRenderRate * 125.0 / (tempo * 50.0)) / kRenderRate;
      if (stop) break;
    }
  }
  rows.push_back({song.orders.size(), 0, seconds, nullptr});  // the end
  return rows;
}

bool SameChord(const Chord& a, const Chord& b) {
  return PitchClass(a.root) == PitchClass(b.root) && a.intervals == b.intervals;
}

// The fundamental of a looped sample: the lowest strong line of the loop's
// spectrum, whose bins fall on whole cycles. Hz at the note C-2.
double LoopFrequency(const ModInstrument& ins) {
  const size_t n = ins.loopLength;
  const size_t highest = std::min(n / 2, static_cast<size_t>(n * 2000.0 / kModC2Rate));
  std::vector<double> magnitude(highest + 1, 0.0);
  for (size_t k = 1; k <= highest; ++k) {
    const std::complex<double> step = std::polar(1.0, -2.0 * kPi * static_cast<double>(k) / static_cast<double>(n));
    std::complex<double> sum = 0.0, turn = 1.0;
    for (size_t i = 0; i < n; ++i, turn *= step) sum += static_cast<double>(ins.data[ins.loopStart + i]) * turn;
    magnitude[k] = std::abs(sum);
  }
  const double loudest = *std::max_element(magnitude.begin(), magnitude.end());
  for (size_t k = 1; k <= highest; ++k)
    if (magnitude[k] > 0.2 * loudest) return k * kModC2Rate / n;
  return 0.0;
}

}  // namespace

bool AnalyseTrack(const Score& score, const std::vector<uint8_t>& image, TrackFigures& out, std::string& error) {
  out = TrackFigures();
  ModSong song;
  if (!DecodeMod(image, song, error)) return false;
  if (song.orders.size() != score.form.size()) {
    error = "the order list does not follow the score's form";
    return false;
  }
  std::vector<Instrument> instruments;
  for (const ModInstrument& sample : song.instruments) {
    Instrument ins;
    if (!sample.data.empty() && !MakeInstrument(sample.name, ins)) {
      error = "unknown instrument " + sample.name;
      return false;
    }
    instruments.push_back(ins);
  }
  const std::vector<PlayedRow> rows = Walk(song);
  for (size_t i = 0; i + 1 < rows.size(); ++i)
    if (rows[i].row >= score.At(rows[i].position).Rows() ||
        (rows[i + 1].position != rows[i].position && rows[i].row + 1 != score.At(rows[i].position).Rows())) {
      error = "the patterns do not follow the score's sections";
      return false;
    }
  out.loopSeconds = rows.back().seconds;
  std::set<std::string> sections;
  std::set<std::pair<int, int>> keys;
  for (const FormEntry& f : score.form) {
    const Section& s = *score.Find(f.section);
    if (sections.insert(f.section).second && s.harmonyStyle == "rest") ++out.breaks;
    keys.insert({PitchClass(s.key.tonic), s.key.MinorThird()});
  }
  out.sections = static_cast<int>(sections.size());
  out.keyAreas = static_cast<int>(keys.size());
  out.patterns = static_cast<int>(std::set<int>(song.orders.begin(), song.orders.end()).size());

  // The three pitched parts row by row, and which samples each uses.
  const size_t count = rows.size() - 1;
  VoiceLine lines[3];
  std::vector<std::set<int>> arpeggio(count);
  std::set<int> samplesOf[kModChannels];
  for (int channel = 0; channel < 3; ++channel) {
    VoiceLine& line = lines[channel];
    line.pitch.assign(count, -1);
    line.onset.assign(count, false);
    int pitch = -1, sample = 0;
    for (size_t i = 0; i < count; ++i) {
      const ModCell& cell = rows[i].cells[channel];
      if (cell.instrument) sample = cell.instrument;
      if (cell.note >= 0 && sample > 0 && sample <= static_cast<int>(instruments.size())) {
        pitch = cell.note - 12 + instruments[sample - 1].pitchAtC2;
        line.onset[i] = cell.effect != kEffectPortamento;
        samplesOf[channel].insert(sample);
      }
      const bool fading = cell.effect == kEffectVolumeSlide && (cell.parameter & 0x0F) && !(cell.parameter & 0xF0);
      if (fading || (cell.effect == kEffectVolume && cell.parameter == 0)) pitch = -1;
      line.pitch[i] = pitch;
      if (cell.effect == kEffectArpeggio && cell.parameter && pitch >= 0) {
        arpeggio[i].insert(PitchClass(pitch + (cell.parameter >> 4)));
        arpeggio[i].insert(PitchClass(pitch + (cell.parameter & 15)));
      }
    }
  }
  for (size_t i = 0; i < count; ++i)
    if (rows[i].cells[kDrumChannel].instrument) samplesOf[kDrumChannel].insert(rows[i].cells[kDrumChannel].instrument);

  // Rhythm of the melody.
  int bars = 0, downbeats = 0, onsets = 0, offbeats = 0;
  for (size_t i = 0; i < count; ++i) {
    if (rows[i].row % kStepsPerBar == 0) {
      ++bars;
      downbeats += lines[kMelodyChannel].onset[i];
    }
    if (lines[kMelodyChannel].onset[i]) {
      ++onsets;
      offbeats += rows[i].row % kStepsPerBeat != 0;
    }
  }
  out.downbeatShare = bars ? static_cast<double>(downbeats) / bars : 1.0;
  out.offbeatShare = onsets ? static_cast<double>(offbeats) / onsets : 0.0;
  out.parallels = CountParallels(lines[kMelodyChannel], lines[kBassChannel]);

  // Every stretch of a chord inside a half-bar sounds the chord's third.
  for (size_t i = 0; i < count;) {
    const size_t position = rows[i].position;
    bool missing = false;
    size_t end = i;
    while (end < count && rows[end].position == position && rows[end].row / kStepsPerHalfBar == rows[i].row / kStepsPerHalfBar)
      ++end;
    for (size_t at = i; at < end;) {
      const Chord chord = score.ChordAt(position, rows[at].row);
      std::set<int> heard;
      size_t stop = at;
      for (; stop < end && SameChord(score.ChordAt(position, rows[stop].row), chord); ++stop) {
        for (const VoiceLine& line : lines)
          if (line.pitch[stop] >= 0) heard.insert(PitchClass(line.pitch[stop]));
        heard.insert(arpeggio[stop].begin(), arpeggio[stop].end());
      }
      if (!heard.count(PitchClass(chord.Third()))) missing = true;
      at = stop;
    }
    out.halfBarsWithoutThird += missing;
    i = end;
  }

  // Loop tuning of the bass against the other sustained instruments.
  double others = 0.0;
  int otherCount = 0;
  for (int channel : {kMelodyChannel, kHarmonyChannel, kBassChannel})
    for (int sample : samplesOf[channel]) {
      const ModInstrument& ins = song.instruments[static_cast<size_t>(sample - 1)];
      if (!ins.loopLength) continue;
      // Off the nearest pitch of the sample's own name, whatever its octave.
      const double cents =
          std::remainder(1200.0 * std::log2(LoopFrequency(ins) / PitchFrequency(instruments[sample - 1].pitchAtC2)), 1200.0);
      if (channel == kBassChannel) {
        out.bassCents = cents;
      } else {
        others += cents;
        ++otherCount;
      }
    }
  if (otherCount) out.bassCents -= others / otherCount;

  // Renders: the whole mix twice, the melody and the drums alone, and the
  // sustained parts alone for their note changes.
  Rendering first, second, melody, drums, sustained;
  const double limit = out.loopSeconds + 5.0;
  unsigned struck = 1u << kDrumChannel;
  for (int channel = 0; channel < 3; ++channel)
    for (int sample : samplesOf[channel])
      if (!song.instruments[static_cast<size_t>(sample - 1)].loopLength) struck |= 1u << channel;
  if (!RenderModule(image, limit, kGameMusicVolume, 0, first) || !RenderModule(image, limit, kGameMusicVolume, 0, second) ||
      !RenderModule(image, limit, kGameMusicVolume, ~(1u << kMelodyChannel), melody) ||
      !RenderModule(image, limit, kGameMusicVolume, ~(1u << kDrumChannel), drums) ||
      !RenderModule(image, limit, kGameMusicVolume, struck, sustained)) {
    error = "the mixer refused the module";
    return false;
  }
  out.deterministic = first.samples == second.samples;
  out.mix = Measure(first.samples, kRenderRate);
  out.drumsUnderMelody = IntegratedLoudness(melody.samples, kRenderRate) - IntegratedLoudness(drums.samples, kRenderRate);
  std::vector<double> changes;
  for (size_t i = 0; i < count; ++i)
    for (int channel = 0; channel < 3; ++channel) {
      const ModCell& cell = rows[i].cells[channel];
      if (!(struck >> channel & 1) && (cell.note >= 0 || cell.effect == kEffectVolumeSlide)) {
        changes.push_back(rows[i].seconds);
        break;
      }
    }
  out.loudestTick = LoudestTick(sustained.samples, kRenderRate, changes);
  return true;
}

namespace {

struct Limit {
  const char* what;
  bool (*kept)(const TrackFigures&);
};

const Limit kLimits[] = {
    {"loop of 150 s or more", [](const TrackFigures& f) { return f.loopSeconds >= 150.0; }},
    {"5 sections or more", [](const TrackFigures& f) { return f.sections >= 5; }},
    {"a second key area", [](const TrackFigures& f) { return f.keyAreas >= 2; }},
    {"a break", [](const TrackFigures& f) { return f.breaks >= 1; }},
    {"8 patterns or more", [](const TrackFigures& f) { return f.patterns >= 8; }},
    {"at most half the bars on the downbeat", [](const TrackFigures& f) { return f.downbeatShare <= 0.5; }},
    {"30% of onsets off the beat", [](const TrackFigures& f) { return f.offbeatShare >= 0.3; }},
    {"no parallel outer octaves or fifths", [](const TrackFigures& f) { return f.parallels == 0; }},
    {"a third in every half-bar", [](const TrackFigures& f) { return f.halfBarsWithoutThird == 0; }},
    {"bass within 3 cents", [](const TrackFigures& f) { return std::fabs(f.bassCents) <= 3.0; }},
    {"centroid of 600 Hz or more", [](const TrackFigures& f) { return f.mix.centroid >= 600.0; }},
    {"4% of the energy above 2 kHz", [](const TrackFigures& f) { return f.mix.shareAbove2k >= 0.04; }},
    {"drums within 10 LU of the melody", [](const TrackFigures& f) { return std::fabs(f.drumsUnderMelody) <= 10.0; }},
    {"no tick 20 dB over the floor", [](const TrackFigures& f) { return f.loudestTick <= 20.0; }},
    {"no clipping", [](const TrackFigures& f) { return f.mix.clippedSamples == 0; }},
    {"no silence over 2 s", [](const TrackFigures& f) { return f.mix.longestSilence <= 2.0; }},
    {"the same render twice", [](const TrackFigures& f) { return f.deterministic; }},
};

}  // namespace

std::string FiguresTable(const std::vector<std::string>& names, const std::vector<TrackFigures>& tracks) {
  std::ostringstream out;
  char line[512];
  std::snprintf(line, sizeof line, "%-16s %6s %4s %4s %4s %4s %6s %6s %4s %5s %6s %6s %6s %6s %6s %6s %6s %4s %5s %4s\n",
                "track", "loop s", "sect", "keys", "brk", "pat", "downb", "offb", "par", "no3rd", "bass c", "centr",
                ">2kHz", "LUFS", "drumLU", "tickdB", "rend s", "clip", "sil s", "det");
  out << line;
  for (size_t i = 0; i < tracks.size(); ++i) {
    const TrackFigures& f = tracks[i];
    std::snprintf(line, sizeof line,
                  "%-16s %6.1f %4d %4d %4d %4d %6.2f %6.2f %4d %5d %6.1f %6.0f %5.1f%% %6.1f %6.1f %6.1f %6.1f %4d %5.2f %4s\n",
                  names[i].c_str(), f.loopSeconds, f.sections, f.keyAreas, f.breaks, f.patterns, f.downbeatShare,
                  f.offbeatShare, f.parallels, f.halfBarsWithoutThird, f.bassCents, f.mix.centroid, f.mix.shareAbove2k * 100.0,
                  f.mix.loudness, f.drumsUnderMelody, f.loudestTick, f.mix.seconds, f.mix.clippedSamples, f.mix.longestSilence,
                  f.deterministic ? "yes" : "no");
    out << line;
  }
  return out.str();
}

std::string Misses(const std::vector<std::string>& names, const std::vector<TrackFigures>& tracks) {
  std::ostringstream out;
  for (size_t i = 0; i < tracks.size(); ++i)
    for (const Limit& limit : kLimits)
      if (!limit.kept(tracks[i])) out << names[i] << ": misses " << limit.what << "\n";
  if (!tracks.empty()) {
    const auto [low, high] = std::minmax_element(tracks.begin(), tracks.end(), [](const TrackFigures& a, const TrackFigures& b) {
      return a.mix.loudness < b.mix.loudness;
    });
    if (high->mix.loudness - low->mix.loudness > 2.0) {
      char line[128];
      std::snprintf(line, sizeof line, "loudness spreads over %.1f LU, more than 2\n", high->mix.loudness - low->mix.loudness);
      out << line;
    }
  }
  return out.str();
}

}  // namespace audiogen
