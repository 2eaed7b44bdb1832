// Instruments: 8-bit samples synthesised at the rate a note plays them. Each
// pitched sample holds a pitch low enough that every note of its part plays
// it at or above the rate it was made at, so the notes keep their upper
// partials. Sustained ones end in a loop of whole cycles whose length is
// chosen for the exact pitch; percussion is made at twice the rate and
// played an octave up for the same reason.
#include "tools/audio/Instruments.h"

#include <cmath>
#include <vector>

#include "tools/audio/Synth.h"

namespace audiogen {

namespace {

constexpr double kRate = kModC2Rate;
constexpr double kPeak = 110.0;  // of 127: headroom against interpolation overshoot

struct Partial {
  double harmonic, amplitude;
};

// The loop length near `seconds` whose whole number of cycles gives the
// frequency most exactly; the cycles come back in `cycles`.
size_t TunedLoop(double frequency, double seconds, double& cycles) {
  size_t best = 0;
  double bestError = 1e9;
  const size_t target = static_cast<size_t>(seconds * kRate) & ~size_t(1);
  for (size_t length = target * 7 / 10 & ~size_t(1); length <= target * 13 / 10; length += 2) {
    const double n = std::round(frequency * length / kRate);
    const double error = std::fabs(std::log2(n * kRate / length / frequency));
    if (n >= 1 && error < bestError - 1e-9) {
      bestError = error;
      best = length;
      cycles = n;
    }
  }
  return best;
}

// A tone of partials: an attack of `attack` seconds whose extra brightness
// (`bite`, on the upper partials) and breath (`breath`, noise) have died
// away where the loop starts; the loop holds whole cycles of every partial
// so that its end meets its start. `detune` adds a copy one cycle a loop
// higher, for a slow beating chorus.
std::vector<double> Sustained(double frequency, const std::vector<Partial>& partials, double attack, double bite,
                              double breath, double detune, size_t& loopStart, size_t& loopLength) {
  double cycles = 0.0;
  loopLength = TunedLoop(frequency, detune > 0 ? 0.5 : 0.25, cycles);
  const double settle = attack + 0.06;
  loopStart = static_cast<size_t>(settle * kRate) & ~size_t(1);
  const size_t total = loopStart + loopLength;
  std::vector<double> out(total, 0.0);
  const double base = cycles * kRate / loopLength;
  const double detuned = (cycles + 1) * kRate / loopLength;
  Noise noise(static_cast<uint32_t>(frequency * 100));
  for (size_t i = 0; i < total; ++i) {
    const double t = static_cast<double>(i) / kRate;
    // Falls from 1 to exactly 0 at the loop start.
    const double transient = t < settle ? std::pow(1.0 - t / settle, 3.0) : 0.0;
    double v = 0.0;
    for (const Partial& p : partials) {
      if (base * p.harmonic >= kRate / 2) continue;
      const double boost = 1.0 + bite * transient * (p.harmonic - 1.0);
      v += boost * p.amplitude * std::sin(2 * kPi * base * p.harmonic * t);
      if (detune > 0 && detuned * p.harmonic < kRate / 2)
        v += detune * p.amplitude * std::sin(2 * kPi * detuned * p.harmonic * t);
    }
    v += breath * transient * noise.Next();
    out[i] = v * std::min(1.0, t / attack);
  }
  return out;
}

std::vector<double> Struck(double frequency, double seconds, double decay, double brightness, double octave) {
  std::vector<double> out(static_cast<size_t>(seconds * kRate) & ~size_t(1), 0.0);
  double phase = 0.0;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    phase += 2 * kPi * frequency / kRate;
    const double edge = brightness * (0.4 + 0.6 * std::exp(-t / (decay * 0.3)));
    const double env = std::min(1.0, t / 0.003) * std::exp(-t / decay);
    out[i] = env * (std::sin(phase + edge * std::sin(phase * 2.0)) + octave * std::sin(phase * 2.0) +
                    0.3 * octave * std::sin(phase * 3.0) * std::exp(-t / (decay * 0.5)));
  }
  return out;
}

// A plucked or struck tone of partials, the upper ones dying sooner: bright
// at the attack, mellow as it rings. Partial frequencies need not be whole
// multiples (a glassy ring).
std::vector<double> Plucked(double frequency, double seconds, double decay, const std::vector<Partial>& partials) {
  std::vector<double> out(static_cast<size_t>(seconds * kRate) & ~size_t(1), 0.0);
  for (const Partial& p : partials) {
    if (frequency * p.harmonic >= kRate / 2) continue;
    const double life = decay / (1.0 + 0.35 * (p.harmonic - 1.0));
    for (size_t i = 0; i < out.size(); ++i) {
      const double t = static_cast<double>(i) / kRate;
      out[i] += p.amplitude * std::sin(2 * kPi * frequency * p.harmonic * t) * std::exp(-t / life) *
                std::min(1.0, t / 0.002);
    }
  }
  return out;
}

std::vector<double> Percussion(const std::string& name, double rate) {
  Noise noise(static_cast<uint32_t>(name.size()) * 7919u + static_cast<uint32_t>(name[0]));
  std::vector<double> out;
  auto length = [&](double seconds) { out.assign(static_cast<size_t>(seconds * rate) & ~size_t(1), 0.0); };
  if (name == "kick") {
    // A falling body, its second harmonic and a beater click: small
    // speakers that lose the body still hear the harmonic and the click.
    length(0.34);
    double phase = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
      const double t = i / rate;
      phase += 2 * kPi * (52.0 + 120.0 * std::exp(-t / 0.025)) / rate;
      const double body = std::sin(phase) + 0.6 * std::sin(2 * phase) * std::exp(-t / 0.06);
      const double click = noise.Next() * std::exp(-t / 0.005) * 0.6;
      out[i] = body * std::exp(-t / 0.09) * std::min(1.0, t / 0.0008) + click;
    }
  } else if (name == "snare") {
    length(0.25);
    double phase = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
      const double t = i / rate;
      phase += 2 * kPi * 190.0 / rate;
      out[i] = 0.8 * noise.Next() * std::exp(-t / 0.07) + 0.6 * std::sin(phase) * std::exp(-t / 0.04);
    }
    LowPass(out, static_cast<int>(rate), 7000.0);
  } else if (name == "rim") {
    length(0.08);
    for (size_t i = 0; i < out.size(); ++i) {
      const double t = i / rate;
      out[i] = (std::sin(2 * kPi * 1650.0 * t) * 0.7 + std::sin(2 * kPi * 820.0 * t) * 0.5 + 0.3 * noise.Next()) *
               std::exp(-t / 0.012);
    }
  } else {
    const double decay = name == "hat" ? 0.05 : 0.12;
    length(decay * 6);
    double last = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
      const double n = noise.Next();
      out[i] = (n - last) * 0.5 * std::exp(-(i / rate) / decay);  // differences: only the hiss
      last = n;
    }
  }
  return out;
}

std::vector<int8_t> ToBytes(std::vector<double> wave) {
  Normalise(wave, kPeak);
  std::vector<int8_t> out;
  out.reserve(wave.size() + 1);
  for (double v : wave) out.push_back(static_cast<int8_t>(std::lround(v)));
  if (out.size() % 2) out.push_back(0);
  return out;
}

}  // namespace

bool MakeInstrument(const std::string& name, Instrument& out) {
  ModInstrument& s = out.sample;
  s.name = name;
  std::vector<double> wave;
  // Lead instruments from middle C, harmony from an octave below, the bass
  // from two: each part's notes then fall in the module's upper octaves.
  if (name == "bell" || name == "pluck" || name == "glass") {
    out.pitchAtC2 = name == "bell" ? 60 : 48;
    const double f = PitchFrequency(out.pitchAtC2);
    if (name == "bell") wave = Struck(f, 1.6, 0.5, 2.0, 0.4);
    else if (name == "pluck") {
      std::vector<Partial> string;
      for (int n = 1; n <= 16; ++n) string.push_back({static_cast<double>(n), std::pow(n, -0.8)});
      wave = Plucked(f, 1.0, 0.35, string);
    } else {
      wave = Plucked(f, 2.0, 0.9, {{1, 1.0}, {2, 0.45}, {3, 0.3}, {4.16, 0.25}, {5.43, 0.18}, {6.8, 0.1}});
    }
  } else if (name == "flute" || name == "organ" || name == "pad" || name == "bass" || name == "reed") {
    out.pitchAtC2 = name == "bass" ? 36 : name == "pad" ? 48 : 60;
    const double f = PitchFrequency(out.pitchAtC2);
    size_t& ls = s.loopStart;
    size_t& ll = s.loopLength;
    if (name == "flute")
      wave = Sustained(f, {{1, 1.0}, {2, 0.5}, {3, 0.4}, {4, 0.25}, {5, 0.18}, {6, 0.12}, {7, 0.08}, {8, 0.06}}, 0.05,
                       0.6, 0.35, 0.0, ls, ll);
    else if (name == "organ")
      wave = Sustained(f, {{1, 1.0}, {2, 0.7}, {3, 0.45}, {4, 0.4}, {6, 0.25}, {8, 0.2}, {10, 0.1}, {12, 0.06}}, 0.012,
                       0.3, 0.0, 0.0, ls, ll);
    else if (name == "reed")
      wave = Sustained(f, {{1, 1.0}, {2, 0.08}, {3, 0.55}, {4, 0.05}, {5, 0.35}, {7, 0.22}, {9, 0.13}, {11, 0.07}},
                       0.035, 0.4, 0.1, 0.0, ls, ll);
    else if (name == "pad") {
      std::vector<Partial> saw;
      for (int n = 1; n <= 24; ++n) saw.push_back({static_cast<double>(n), std::pow(n, -0.75)});
      wave = Sustained(f, saw, 0.14, 0.0, 0.0, 0.6, ls, ll);
    } else {
      wave = Sustained(f, {{1, 1.0}, {2, 0.6}, {3, 0.35}, {4, 0.2}, {5, 0.12}, {6, 0.06}}, 0.006, 1.2, 0.0, 0.0, ls,
                       ll);
    }
  } else if (name == "kick" || name == "snare" || name == "hat" || name == "openhat" || name == "rim") {
    out.fixedNote = 24;
    wave = Percussion(name, kRate * 2.0);
  } else {
    return false;
  }
  s.data = ToBytes(wave);
  if (!s.loopLength && s.data.size() >= 2) s.data[0] = s.data[1] = 0;  // ProTracker's one-shot convention
  return true;
}

}  // namespace audiogen
