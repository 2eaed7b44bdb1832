// Offline rendering through the binding's mixer.
#include "tools/audio/Render.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstring>

#include "audio/SDLMikMod.h"
#include "audio/SoundFiles.h"
#include "base/FileAccess.h"
#include "base/Math.h"

namespace audiogen {

namespace {

constexpr size_t kBlockFrames = 1024;

bool IsWav(const std::string& path) {
  FILE* f = OpenGameFile(path.c_str(), "rb");
  if (!f) return false;
  char magic[4] = {};
  const bool wav = std::fread(magic, 1, 4, f) == 4 && !std::memcmp(magic, "RIFF", 4);
  std::fclose(f);
  return wav;
}

constexpr size_t kFftSize = 4096;

// In-place radix-2 transform of a power-of-two length.
void Fft(std::vector<std::complex<double>>& a) {
  const size_t n = a.size();
  for (size_t i = 1, j = 0; i < n; ++i) {
    size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  for (size_t len = 2; len <= n; len <<= 1) {
    const std::complex<double> step = std::polar(1.0, -2.0 * kPi / static_cast<double>(len));
    for (size_t i = 0; i < n; i += len) {
      std::complex<double> w = 1.0;
      for (size_t k = 0; k < len / 2; ++k, w *= step) {
        const std::complex<double> u = a[i + k], v = a[i + k + len / 2] * w;
        a[i + k] = u + v;
        a[i + k + len / 2] = u - v;
      }
    }
  }
}

// A second-order section of the RBJ cookbook, run over a signal.
struct Biquad {
  double b0, b1, b2, a1, a2;
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  double Run(double x) {
    const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return y;
  }
};

Biquad Normalised(double b0, double b1, double b2, double a0, double a1, double a2) {
  return {b0 / a0, b1 / a0, b2 / a0, a1 / a0, a2 / a0};
}

Biquad HighPass(int rate, double cutoff, double q) {
  const double w = 2 * kPi * cutoff / rate, alpha = std::sin(w) / (2 * q), c = std::cos(w);
  return Normalised((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

// The K-weighting of ITU-R BS.1770: a high shelf of +4 dB, then a high pass.
std::vector<Biquad> KWeighting(int rate) {
  const double gain = 3.999843853973347, q = 0.7071752369554196, cutoff = 1681.974450955533;
  const double a = std::pow(10.0, gain / 40), w = 2 * kPi * cutoff / rate, alpha = std::sin(w) / (2 * q);
  const double c = std::cos(w), r = 2 * std::sqrt(a) * alpha;
  return {Normalised(a * ((a + 1) + (a - 1) * c + r), -2 * a * ((a - 1) + (a + 1) * c), a * ((a + 1) + (a - 1) * c - r),
                     (a + 1) - (a - 1) * c + r, 2 * ((a - 1) - (a + 1) * c), (a + 1) - (a - 1) * c - r),
          HighPass(rate, 38.13547087602444, 0.5003270373238773)};
}

}  // namespace

double IntegratedLoudness(const std::vector<int16_t>& stereo, int rate) {
  const size_t frames = stereo.size() / 2;
  std::vector<double> power(frames, 0.0);
  for (int channel = 0; channel < 2; ++channel) {
    std::vector<Biquad> k = KWeighting(rate);
    for (size_t i = 0; i < frames; ++i) {
      const double y = k[1].Run(k[0].Run(stereo[i * 2 + channel] / 32768.0));
      power[i] += y * y;
    }
  }
  // 400 ms blocks every 100 ms, gated at -70 LUFS and then 10 LU under the mean.
  const size_t block = static_cast<size_t>(rate) * 4 / 10, hop = block / 4;
  std::vector<double> blocks;
  for (size_t at = 0; at + block <= frames; at += hop) {
    double sum = 0.0;
    for (size_t i = at; i < at + block; ++i) sum += power[i];
    blocks.push_back(sum / block);
  }
  auto lufs = [](double z) { return -0.691 + 10 * std::log10(std::max(z, 1e-12)); };
  auto gatedMean = [&](double gate) {
    double sum = 0.0;
    int count = 0;
    for (double z : blocks)
      if (lufs(z) > gate) {
        sum += z;
        ++count;
      }
    return count ? sum / count : 0.0;
  };
  const double relative = lufs(gatedMean(-70.0)) - 10.0;
  return lufs(gatedMean(std::max(-70.0, relative)));
}

namespace {

void MixBlock(Rendering& out) {
  const size_t at = out.samples.size();
  out.samples.resize(at + kBlockFrames * 2);
  SDLMikMod_Mix(reinterpret_cast<uint8_t*>(out.samples.data() + at), kBlockFrames * 4);
}

}  // namespace

bool RenderFile(const std::string& path, double maxSeconds, int volume, Rendering& out) {
  out = Rendering();
  if (IsWav(path)) {
    SAMPLE* sample = SDLMikMod_LoadSample(path.c_str());
    if (!sample) return false;
    sample->volume = static_cast<UBYTE>(std::clamp(volume, 0, 64));
    sample->panning = 128;
    SDLMikMod_PlaySample(sample, 0, SFX_CRITICAL);
    // The sample's own length, and a short tail for the mixer's ramp.
    const double seconds = std::min(maxSeconds, static_cast<double>(sample->length) / sample->speed + 0.05);
    while (out.samples.size() / 2 < seconds * kRenderRate) MixBlock(out);
    SDLMikMod_FreeSample(sample);
    return true;
  }
  std::vector<uint8_t> image;
  if (ReadFileBytes(path.c_str(), kMaxSoundFileBytes, image) != FileRead::kOk) {
    std::fprintf(stderr, "Couldn't read %s\n", path.c_str());
    return false;
  }
  return RenderModule(image, maxSeconds, volume, 0, out);
}

bool RenderModule(const std::vector<uint8_t>& image, double maxSeconds, int volume, unsigned muted, Rendering& out) {
  const size_t maxBlocks = static_cast<size_t>(maxSeconds * kRenderRate / kBlockFrames) + 1;
  out = Rendering();
  MODULE* module = SDLMikMod_LoadModuleImage(image.data(), image.size());
  if (!module) return false;
  out.module = true;
  {
    MixerLock lock;
    Player_Start(module);
    Player_SetVolume(static_cast<SWORD>(std::clamp(volume, 0, 128)));
    for (int channel = 0; channel < module->numchn; ++channel)
      if (muted >> channel & 1) Player_Mute(channel);
  }
  for (size_t block = 0; block < maxBlocks; ++block) {
    {
      MixerLock lock;
      if (!Player_Active()) break;
    }
    MixBlock(out);
  }
  out.songSeconds = static_cast<double>(out.samples.size() / 2) / kRenderRate;
  MixerLock lock;
  Player_Stop();
  Player_Free(module);
  return true;
}

Figures Measure(const std::vector<int16_t>& stereo, int rate) {
  Figures f;
  const size_t frames = stereo.size() / 2;
  f.seconds = static_cast<double>(frames) / rate;
  int peak = 0;
  bool heard = false;
  for (size_t i = 0; i < stereo.size(); ++i) {
    const int v = std::abs(static_cast<int>(stereo[i]));
    peak = std::max(peak, v);
    if (v >= 32767) ++f.clippedSamples;
    if (!heard && v > 327) {
      heard = true;
      f.onset = static_cast<double>(i / 2) / rate;
    }
  }
  f.peak = peak / 32768.0;
  const size_t window = static_cast<size_t>(rate) / 20;
  double silence = 0.0;
  for (size_t start = 0; start + window <= frames; start += window) {
    double sum = 0.0;
    for (size_t i = start * 2; i < (start + window) * 2; ++i) sum += static_cast<double>(stereo[i]) * stereo[i];
    const double rms = std::sqrt(sum / (window * 2)) / 32768.0;
    silence = rms < 0.001 ? silence + 0.05 : 0.0;
    f.longestSilence = std::max(f.longestSilence, silence);
  }
  f.loudness = IntegratedLoudness(stereo, rate);
  // The long-term power spectrum of the mono mix, from Hann-windowed frames.
  std::vector<double> hann(kFftSize), power(kFftSize / 2, 0.0);
  for (size_t i = 0; i < kFftSize; ++i) hann[i] = 0.5 - 0.5 * std::cos(2 * kPi * i / kFftSize);
  std::vector<std::complex<double>> bins(kFftSize);
  for (size_t at = 0; at + kFftSize <= frames; at += kFftSize) {
    for (size_t i = 0; i < kFftSize; ++i) bins[i] = (stereo[(at + i) * 2] + stereo[(at + i) * 2 + 1]) / 65536.0 * hann[i];
    Fft(bins);
    for (size_t k = 1; k < kFftSize / 2; ++k) power[k] += std::norm(bins[k]);
  }
  double weighted = 0.0, high = 0.0, all = 0.0;
  for (size_t k = 1; k < kFftSize / 2; ++k) {
    const double hz = static_cast<double>(k) * rate / kFftSize;
    weighted += hz * power[k];
    all += power[k];
    if (hz > 2000.0) high += power[k];
  }
  f.centroid = all > 0 ? weighted / all : 0.0;
  f.shareAbove2k = all > 0 ? high / all : 0.0;
  return f;
}

double LoudestTick(const std::vector<int16_t>& stereo, int rate, const std::vector<double>& times) {
  const size_t frame = static_cast<size_t>(rate) / 1000, frames = stereo.size() / 2 / frame;
  Biquad first = HighPass(rate, 4000.0, 0.7071), second = first;
  std::vector<double> level(frames);
  for (size_t f = 0; f < frames; ++f) {
    double sum = 0.0;
    for (size_t i = f * frame; i < (f + 1) * frame; ++i) {
      const double y = second.Run(first.Run((stereo[i * 2] + stereo[i * 2 + 1]) / 65536.0));
      sum += y * y;
    }
    level[f] = 10 * std::log10(std::max(sum / frame, 1e-12));
  }
  // The floor: the median level of the frames that sound at all.
  std::vector<double> sounding;
  for (double v : level)
    if (v > -100.0) sounding.push_back(v);
  if (sounding.empty()) return 0.0;
  std::nth_element(sounding.begin(), sounding.begin() + sounding.size() / 2, sounding.end());
  const double floor = sounding[sounding.size() / 2];
  double loudest = -100.0;
  for (double t : times) {
    const long at = static_cast<long>(t * 1000.0);
    if (at < 3 || at + 8 >= static_cast<long>(frames)) continue;
    loudest = std::max(loudest, *std::max_element(level.begin() + at - 3, level.begin() + at + 8) - floor);
  }
  return loudest;
}

}  // namespace audiogen
