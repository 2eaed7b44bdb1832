// Deterministic synthesis helpers.
#include "tools/audio/Synth.h"

#include <algorithm>
#include <cmath>

namespace audiogen {

double PitchFrequency(double midi) { return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0); }

double Noise::Next() {
  m_state = m_state * 1664525u + 1013904223u;
  return static_cast<double>(m_state >> 8) / 8388608.0 - 1.0;
}

void AddStrike(std::vector<double>& out, int rate, const Strike& s) {
  const size_t begin = static_cast<size_t>(s.start * rate);
  // Long enough for the decay to fall below -60 dB.
  const size_t length = static_cast<size_t>(s.decay * 6.9 * rate);
  if (out.size() < begin + length) out.resize(begin + length, 0.0);
  const double attack = 0.002 * rate;
  double phase = 0.0;
  for (size_t i = 0; i < length; ++i) {
    const double t = static_cast<double>(i) / rate;
    const double frequency = s.frequency * std::pow(2.0, s.glide * t);
    phase += 2.0 * kPi * frequency / rate;
    const double envelope = std::min(1.0, i / attack) * std::exp(-t / s.decay);
    const double edge = s.brightness * std::exp(-t / (s.decay * 0.25));
    const double tone = std::sin(phase + edge * std::sin(phase * 3.0)) + 0.25 * std::sin(phase * 2.0);
    out[begin + i] += s.amplitude * envelope * tone;
  }
}

void Normalise(std::vector<double>& out, double peak) {
  double highest = 0.0;
  for (double v : out) highest = std::max(highest, std::fabs(v));
  if (highest <= 0.0) return;
  for (double& v : out) v *= peak / highest;
}

void LowPass(std::vector<double>& out, int rate, double cutoff) {
  const double a = 1.0 - std::exp(-2.0 * kPi * cutoff / rate);
  double y = 0.0;
  for (double& v : out) {
    y += a * (v - y);
    v = y;
  }
}

}  // namespace audiogen
