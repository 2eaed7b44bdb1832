// Offline rendering through the binding's mixer.
#include "tools/audio/Render.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "audio/SDLMikMod.h"
#include "base/FileAccess.h"

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

void MixBlock(Rendering& out) {
  const size_t at = out.samples.size();
  out.samples.resize(at + kBlockFrames * 2);
  SDLMikMod_Mix(reinterpret_cast<uint8_t*>(out.samples.data() + at), kBlockFrames * 4);
}

}  // namespace

bool RenderFile(const std::string& path, double maxSeconds, int volume, Rendering& out) {
  const size_t maxBlocks = static_cast<size_t>(maxSeconds * kRenderRate / kBlockFrames) + 1;
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
  MODULE* module = SDLMikMod_LoadModule(path.c_str());
  if (!module) return false;
  out.module = true;
  {
    MixerLock lock;
    Player_Start(module);
    Player_SetVolume(static_cast<SWORD>(std::clamp(volume, 0, 128)));
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
  return f;
}

}  // namespace audiogen
