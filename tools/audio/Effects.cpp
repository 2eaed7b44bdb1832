// Sound effects: short struck tones in one family, told apart by pitch,
// rhythm and direction. Pitches are MIDI numbers around the music's keys.
#include "tools/audio/Effects.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/audio/Synth.h"

namespace audiogen {

namespace {

struct Note {
  double midi, start, decay, brightness, amplitude, glide;
};

std::vector<double> Strikes(std::initializer_list<Note> notes) {
  std::vector<double> out;
  for (const Note& n : notes) {
    Strike s;
    s.frequency = PitchFrequency(n.midi);
    s.start = n.start;
    s.decay = n.decay;
    s.brightness = n.brightness;
    s.amplitude = n.amplitude;
    s.glide = n.glide;
    AddStrike(out, kEffectRate, s);
  }
  return out;
}

// A short filtered noise tick, the wooden contact of a rolling cube.
void AddKnock(std::vector<double>& out, double start, double amplitude, uint32_t seed) {
  Noise noise(seed);
  std::vector<double> tick(static_cast<size_t>(0.03 * kEffectRate));
  for (size_t i = 0; i < tick.size(); ++i)
    tick[i] = noise.Next() * std::exp(-static_cast<double>(i) / (0.004 * kEffectRate));
  LowPass(tick, kEffectRate, 1800.0);
  const size_t at = static_cast<size_t>(start * kEffectRate);
  if (out.size() < at + tick.size()) out.resize(at + tick.size(), 0.0);
  for (size_t i = 0; i < tick.size(); ++i) out[at + i] += amplitude * 4.0 * tick[i];
}

std::vector<double> Shape(int number) {
  switch (number) {
    case kEffectMenuMove:  // a light high tick
      return Strikes({{84, 0, 0.035, 0.4, 1, 0}});
    case kEffectMenuClick:  // two quick rising ticks
      return Strikes({{79, 0, 0.05, 1.0, 1, 0}, {86, 0.04, 0.06, 0.8, 0.8, 0}});
    case kEffectCubeRoll: {  // a low wooden knock and its bounce
      std::vector<double> out = Strikes({{55, 0, 0.045, 2.5, 1, -0.5}, {50, 0.075, 0.035, 2.0, 0.5, -0.5}});
      AddKnock(out, 0.0, 0.6, 11);
      AddKnock(out, 0.075, 0.3, 12);
      return out;
    }
    case kEffectSelect:  // one soft mid tone
      return Strikes({{69, 0, 0.06, 1.4, 1, 0}});
    case kEffectLevelDone:  // a rising major arpeggio that rings
      return Strikes({{72, 0, 0.3, 1.2, 1, 0},
                      {76, 0.11, 0.3, 1.2, 0.9, 0},
                      {79, 0.22, 0.3, 1.2, 0.9, 0},
                      {84, 0.33, 0.35, 1.0, 1, 0},
                      {88, 0.33, 0.3, 0.6, 0.35, 0}});
    case kEffectWordFormed:  // a warm mid-register call: a short note, then a ringing fifth and octave
      return Strikes({{67, 0, 0.12, 1.2, 0.8, 0}, {74, 0.16, 0.4, 1.0, 1, 0}, {79, 0.16, 0.35, 0.6, 0.5, 0}});
    case kEffectUndo:  // two tones sliding down
      return Strikes({{76, 0, 0.08, 1.0, 1, -2.0}, {71, 0.07, 0.09, 1.0, 0.8, -2.0}});
    case kEffectBetterPlacement:  // a quick, light sparkle far above the word's call
      return Strikes({{88, 0, 0.05, 0.6, 0.7, 0.3}, {93, 0.035, 0.05, 0.6, 0.7, 0.3}, {96, 0.07, 0.08, 0.6, 0.8, 0.3}});
    default:
      return {};
  }
}

// Quiet frequent sounds, stronger rare ones; none near full scale.
double PeakOf(int number) {
  switch (number) {
    case kEffectMenuMove: return 0.4;
    case kEffectSelect: return 0.45;
    case kEffectCubeRoll: return 0.6;
    case kEffectBetterPlacement: return 0.5;
    default: return 0.7;
  }
}

}  // namespace

WavSound MakeEffect(int number) {
  std::vector<double> wave = Shape(number);
  const size_t limit = static_cast<size_t>(kEffectMaxSeconds * kEffectRate);
  if (wave.size() > limit) wave.resize(limit);
  const size_t fade = static_cast<size_t>(0.15 * kEffectRate);
  for (size_t i = 0; i < fade && i < wave.size(); ++i) wave[wave.size() - 1 - i] *= static_cast<double>(i) / fade;
  Normalise(wave, PeakOf(number));
  WavSound sound;
  sound.rate = kEffectRate;
  sound.frames.reserve(wave.size());
  for (double v : wave) sound.frames.push_back(static_cast<int16_t>(std::lround(v * 32767.0)));
  return sound;
}

}  // namespace audiogen
