// Instruments: 8-bit samples synthesised at the rate a note plays them, the
// pitched ones with a seamless loop of whole cycles after their attack.
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

// A tone made of partials, `attack` seconds of fade-in and brightness that
// settles, then a loop of `loopSeconds` whose frequencies fit whole cycles.
std::vector<double> Sustained(double frequency, const std::vector<Partial>& partials, double attack,
                              double loopSeconds, double detune, size_t& loopStart, size_t& loopLength) {
  loopLength = static_cast<size_t>(loopSeconds * kRate) & ~size_t(1);
  loopStart = static_cast<size_t>(attack * kRate + 0.05 * kRate) & ~size_t(1);
  const size_t total = loopStart + loopLength;
  std::vector<double> out(total, 0.0);
  // Whole cycles of every partial inside the loop, so its end meets its start.
  const double cycles = std::round(frequency * loopLength / kRate);
  const double base = cycles * kRate / loopLength;
  const double detuned = (cycles + (detune > 0 ? 1 : 0)) * kRate / loopLength;
  for (size_t i = 0; i < total; ++i) {
    const double position = static_cast<double>(i) / kRate;
    double v = 0.0;
    for (const Partial& p : partials) {
      v += p.amplitude * std::sin(2 * kPi * base * p.harmonic * position);
      if (detune > 0) v += detune * p.amplitude * std::sin(2 * kPi * detuned * p.harmonic * position);
    }
    const double t = static_cast<double>(i) / kRate;
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
    const double edge = brightness * std::exp(-t / (decay * 0.3));
    const double env = std::min(1.0, t / 0.003) * std::exp(-t / decay);
    out[i] = env * (std::sin(phase + edge * std::sin(phase * 2.0)) + octave * std::sin(phase * 2.0));
  }
  return out;
}

std::vector<double> Percussion(const std::string& name, double rate) {
  Noise noise(name.size() * 7919u + static_cast<uint32_t>(name[0]));
  std::vector<double> out;
  if (name == "kick") {
    out.resize(static_cast<size_t>(0.32 * rate) & ~size_t(1));
    double phase = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
      const double t = i / rate;
      phase += 2 * kPi * (45.0 + 110.0 * std::exp(-t / 0.03)) / rate;
      out[i] = std::sin(phase) * std::exp(-t / 0.12) * std::min(1.0, t / 0.001);
    }
  } else if (name == "snare") {
    out.resize(static_cast<size_t>(0.22 * rate) & ~size_t(1));
    double phase = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
      const double t = i / rate;
      phase += 2 * kPi * 185.0 / rate;
      out[i] = 0.7 * noise.Next() * std::exp(-t / 0.06) + 0.6 * std::sin(phase) * std::exp(-t / 0.04);
    }
    LowPass(out, static_cast<int>(rate), 5000.0);
  } else {
    const double decay = name == "hat" ? 0.018 : 0.09;
    out.resize(static_cast<size_t>(decay * 6 * rate) & ~size_t(1));
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
  if (name == "bell" || name == "pluck") {
    out.pitchAtC2 = name == "bell" ? 72 : 60;
    const double f = PitchFrequency(out.pitchAtC2);
    wave = name == "bell" ? Struck(f, 1.4, 0.45, 1.3, 0.2) : Struck(f, 1.0, 0.28, 0.9, 0.35);
  } else if (name == "flute" || name == "organ" || name == "pad" || name == "bass") {
    out.pitchAtC2 = name == "bass" ? 48 : name == "pad" ? 60 : 72;
    const double f = PitchFrequency(out.pitchAtC2);
    if (name == "flute")
      wave = Sustained(f, {{1, 1.0}, {2, 0.12}, {3, 0.18}}, 0.04, 0.25, 0.0, s.loopStart, s.loopLength);
    else if (name == "organ")
      wave = Sustained(f, {{1, 1.0}, {2, 0.5}, {3, 0.25}, {4, 0.2}}, 0.01, 0.2, 0.0, s.loopStart, s.loopLength);
    else if (name == "pad")
      wave = Sustained(f, {{1, 1.0}, {2, 0.45}, {3, 0.25}, {4, 0.12}, {5, 0.08}}, 0.12, 0.5, 0.7, s.loopStart,
                       s.loopLength);
    else
      wave = Sustained(f, {{1, 1.0}, {2, 0.4}, {3, 0.12}}, 0.006, 0.25, 0.0, s.loopStart, s.loopLength);
  } else if (name == "kick" || name == "snare" || name == "hat" || name == "openhat") {
    // Hats and snare play an octave up, for a rate that keeps their hiss.
    out.fixedNote = name == "kick" ? 12 : 24;
    wave = Percussion(name, kRate * (name == "kick" ? 1.0 : 2.0));
  } else {
    return false;
  }
  s.data = ToBytes(wave);
  if (!s.loopLength && s.data.size() >= 2) s.data[0] = s.data[1] = 0;  // ProTracker's one-shot convention
  return true;
}

}  // namespace audiogen
