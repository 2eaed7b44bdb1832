// Fuzzes the WAV loader the game uses: our decoder, the canonical form handed
// to MikMod, and a short mix of the sample playing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "audio/SDLMikMod.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool ready = SDLMikMod_InitOffline(44100);
  if (!ready) std::abort();
  SAMPLE* sample = SDLMikMod_LoadSampleImage(data, size);
  if (!sample) return 0;
  SDLMikMod_PlaySample(sample, 0, SFX_CRITICAL);
  uint8_t mixed[4096];
  SDLMikMod_Mix(mixed, sizeof mixed);
  SDLMikMod_FreeSample(sample);
  return 0;
}
