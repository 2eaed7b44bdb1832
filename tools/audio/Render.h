// Offline mixing of a module or a sample through the game's own mixer set-up
// into 16-bit stereo samples, and the figures a listener cares about.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace audiogen {

constexpr int kRenderRate = 44100;

struct Rendering {
  std::vector<int16_t> samples;  // interleaved stereo
  bool module = false;
  double songSeconds = 0.0;      // a module: time until its song ends (wraps)
};

struct Figures {
  double seconds = 0.0;
  double peak = 0.0;              // of full scale
  double longestSilence = 0.0;    // seconds below -60 dBFS (50 ms windows)
  double onset = 0.0;             // first sample above -40 dBFS
  int clippedSamples = 0;         // at full scale
  double loudness = -100.0;       // integrated, LUFS (ITU-R BS.1770 gating)
  double centroid = 0.0;          // Hz, of the long-term power spectrum
  double shareAbove2k = 0.0;      // of the energy
};

// Mixes the file for at most maxSeconds (a module until its song ends).
// Volume: player volume 0..128 for a module, sample volume 0..64 for a WAV.
// Needs the offline mixer started; false after a message when loading fails.
bool RenderFile(const std::string& path, double maxSeconds, int volume, Rendering& out);
// A module image with the channels of `muted` (bit n: channel n) silent.
bool RenderModule(const std::vector<uint8_t>& image, double maxSeconds, int volume, unsigned muted, Rendering& out);
Figures Measure(const std::vector<int16_t>& stereo, int rate);
// Integrated loudness in LUFS (ITU-R BS.1770: K-weighting, 400 ms blocks,
// absolute and relative gates).
double IntegratedLoudness(const std::vector<int16_t>& stereo, int rate);
// How far the high-frequency level (above 4 kHz, 1 ms frames) rises at the
// given times above its floor, the median of the frames that sound: the
// loudest such tick in dB.
double LoudestTick(const std::vector<int16_t>& stereo, int rate, const std::vector<double>& times);

}  // namespace audiogen
