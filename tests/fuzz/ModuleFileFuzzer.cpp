// Fuzzes the module loader the game uses: our header checks, then MikMod's
// ProTracker loader on what passed, then a short mix of the result.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "audio/SDLMikMod.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool ready = SDLMikMod_InitOffline(44100);
  if (!ready) std::abort();
  MODULE* module = SDLMikMod_LoadModuleImage(data, size);
  if (!module) return 0;
  {
    MixerLock lock;
    Player_Start(module);
  }
  uint8_t mixed[4096];
  SDLMikMod_Mix(mixed, sizeof mixed);
  MixerLock lock;
  Player_Stop();
  Player_Free(module);
  return 0;
}
