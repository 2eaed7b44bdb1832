// Our binding of the module player to SDL 1.2's audio output. MikMod runs
// with its no-sound driver and mixes, through VC_WriteBytes, straight into
// SDL's audio callback; MikMod's own SDL driver is never registered (the
// system's MikMod is built against another SDL).
//
// Order: SDLMikMod_Init (or SDLMikMod_InitOffline) once, then loads and player
// calls, each inside a MixerLock when it touches the mixer; SDLMikMod_Quit
// last. Every loader refuses malformed files before MikMod parses them.
#pragma once

#include <mikmod.h>

#include <cstddef>
#include <cstdint>

// Opens the audio output: mixing rate in Hz, SDL buffer in sample frames,
// bytes per output frame and MikMod's output format bits (4 and 3: 16-bit
// stereo, the only form the binding mixes). Without an audio device the
// binding stays not ready and every audio call of the game does nothing.
void SDLMikMod_Init(int mixRate, int bufferFrames, int bytesPerFrame, int formatBits);
// The same mixer set-up without an audio device: the caller pulls the mixed
// bytes with SDLMikMod_Mix (the render tool, tests, the fuzz targets).
bool SDLMikMod_InitOffline(int mixRate);
bool SDLMikMod_IsReady();
// Mixes bytes of 16-bit stereo output, as the audio callback does.
void SDLMikMod_Mix(uint8_t* out, size_t bytes);
void SDLMikMod_Quit();

// Return a module or sample, or none after writing why to the standard error
// stream. Modules come back with wrap and loop off and volume 128.
MODULE* SDLMikMod_LoadModule(const char* path);
SAMPLE* SDLMikMod_LoadSample(const char* path);
// The same loaders on a file image in memory.
MODULE* SDLMikMod_LoadModuleImage(const uint8_t* data, size_t size);
SAMPLE* SDLMikMod_LoadSampleImage(const uint8_t* data, size_t size);

// Sample_Play, remembering which voice took the sample, and Sample_Free
// after stopping those voices: the mixer would otherwise go on reading a
// freed sample, or a newer one given the same slot. Both take the MixerLock.
int SDLMikMod_PlaySample(SAMPLE* sample, ULONG start, UBYTE flags);
void SDLMikMod_FreeSample(SAMPLE* sample);

// Effect voices the mixer reserves: one per entry of the sound table.
constexpr int kEffectVoices = 8;

// Holds the audio callback off while the main thread changes what it mixes.
// Nests safely: only the outermost lock takes SDL's audio lock.
class MixerLock {
 public:
  MixerLock();
  ~MixerLock();
  MixerLock(const MixerLock&) = delete;
  MixerLock& operator=(const MixerLock&) = delete;
};
