// Small deterministic synthesis helpers shared by the effect and instrument
// generators: every value comes from integer seeds and plain arithmetic, so
// two runs give identical bytes.
#pragma once

#include <cstdint>
#include <vector>

#include "base/Math.h"

namespace audiogen {


// Frequency of a MIDI pitch (69 = A 440 Hz).
double PitchFrequency(double midi);

// Linear-congruential noise in -1..1; the same seed gives the same stream.
class Noise {
 public:
  explicit Noise(uint32_t seed) : m_state(seed) {}
  double Next();

 private:
  uint32_t m_state;
};

// A struck tone of the game's one family: a sine with a touch of its octave
// and a bright, quickly fading frequency-modulated edge, 2 ms attack and an
// exponential decay (seconds to fall to 1/e).
struct Strike {
  double frequency = 440.0;
  double start = 0.0;     // seconds
  double decay = 0.3;
  double brightness = 1.0;
  double amplitude = 1.0;
  double glide = 0.0;     // octaves per second
};

// Adds the strikes into a buffer of the given rate, growing it as needed.
void AddStrike(std::vector<double>& out, int rate, const Strike& strike);
// Scales the buffer so its peak is `peak` (of full scale 1).
void Normalise(std::vector<double>& out, double peak);
// One-pole low-pass over the buffer, cutoff in Hz.
void LowPass(std::vector<double>& out, int rate, double cutoff);

}  // namespace audiogen
