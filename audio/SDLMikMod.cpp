// MikMod's software mixer fed into SDL 1.2's audio callback.
#include "audio/SDLMikMod.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "audio/SoundFiles.h"
#include "base/FileAccess.h"

namespace {

enum class Output { kNone, kDevice, kOffline };

// Process-wide because MikMod's mixer is: one player, one set of voices, fed
// from SDL's audio thread, which takes the lock this record counts.
struct MixerBinding {
  Output output = Output::kNone;
  int lockDepth = 0;
  // The sample each voice was last given by SDLMikMod_PlaySample.
  const SAMPLE* voiceSample[256] = {};
  // Whether the binding started SDL's audio subsystem, and so stops it.
  bool ownsAudioSubsystem = false;
  // MikMod's driver and loader lists cannot be emptied: filled once.
  bool registered = false;
} g_mixer;

void ReleaseAudioSubsystem() {
  if (g_mixer.ownsAudioSubsystem) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  g_mixer.ownsAudioSubsystem = false;
}

void RegisterOnce() {
  if (g_mixer.registered) return;
  MikMod_RegisterDriver(&drv_nos);
  // ProTracker modules only: what CheckModuleImage vouches for.
  MikMod_RegisterLoader(&load_mod);
  g_mixer.registered = true;
}

bool StartMixer(int mixRate) {
  RegisterOnce();
  md_mixfreq = static_cast<UWORD>(mixRate);
  // The high-quality mixer ramps volume at note starts and cuts: without it
  // every note change of a sustained instrument ticks.
  md_mode = DMODE_SOFT_MUSIC | DMODE_SOFT_SNDFX | DMODE_16BITS | DMODE_STEREO | DMODE_INTERP | DMODE_HQMIXER;
  // Hard left/right channels tire the ear over hours of play.
  md_pansep = 64;
  md_reverb = 0;
  if (MikMod_Init("")) {
    std::fprintf(stderr, "Could not initialize sound, reason: %s\n", MikMod_strerror(MikMod_errno));
    return false;
  }
  // Without effect voices Sample_Play finds no voice at all.
  MikMod_SetNumVoices(-1, kEffectVoices);
  MikMod_EnableOutput();
  return true;
}

void FillStream(void*, Uint8* stream, int length) {
  // SDL holds its audio lock around this call, which is what MixerLock takes.
  const ULONG written = VC_WriteBytes(reinterpret_cast<SBYTE*>(stream), static_cast<ULONG>(length));
  if (written < static_cast<ULONG>(length))
    VC_SilenceBytes(reinterpret_cast<SBYTE*>(stream) + written, static_cast<ULONG>(length) - written);
}

bool ReadWhole(const char* path, std::vector<uint8_t>& bytes) {
  return ReadFileBytes(path, kMaxSoundFileBytes, bytes) == FileRead::kOk;
}

}  // namespace

MixerLock::MixerLock() {
  if (g_mixer.lockDepth++ == 0 && g_mixer.output == Output::kDevice) SDL_LockAudio();
}

MixerLock::~MixerLock() {
  if (--g_mixer.lockDepth == 0 && g_mixer.output == Output::kDevice) SDL_UnlockAudio();
}

void SDLMikMod_Init(int mixRate, int bufferFrames, int bytesPerFrame, int formatBits) {
  if (g_mixer.output != Output::kNone) return;
  if (bytesPerFrame != 4 || formatBits != (DMODE_16BITS | DMODE_STEREO)) {
    std::fprintf(stderr, "Could not initialize sound, reason: unsupported output format\n");
    return;
  }
  if (!SDL_WasInit(SDL_INIT_AUDIO)) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0) {
      std::fprintf(stderr, "Could not initialize sound, reason: %s\n", SDL_GetError());
      return;
    }
    g_mixer.ownsAudioSubsystem = true;
  }
  if (!StartMixer(mixRate)) {
    ReleaseAudioSubsystem();
    return;
  }
  SDL_AudioSpec wanted;
  std::memset(&wanted, 0, sizeof wanted);
  wanted.freq = mixRate;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = 2;
  wanted.samples = static_cast<Uint16>(bufferFrames);
  wanted.callback = FillStream;
  SDL_AudioSpec got;
  if (SDL_OpenAudio(&wanted, &got) < 0) {
    std::fprintf(stderr, "Could not initialize sound, reason: %s\n", SDL_GetError());
    MikMod_Exit();
    ReleaseAudioSubsystem();
    return;
  }
  if (got.format != AUDIO_S16SYS || got.channels != 2) {
    std::fprintf(stderr, "Could not initialize sound, reason: no 16-bit stereo output\n");
    SDL_CloseAudio();
    MikMod_Exit();
    ReleaseAudioSubsystem();
    return;
  }
  if (got.freq != mixRate) {
    // Mix at the rate the device really runs, or every pitch would be off.
    MikMod_Exit();
    if (!StartMixer(got.freq)) {
      SDL_CloseAudio();
      ReleaseAudioSubsystem();
      return;
    }
  }
  g_mixer.output = Output::kDevice;
  SDL_PauseAudio(0);
}

bool SDLMikMod_InitOffline(int mixRate) {
  if (g_mixer.output != Output::kNone) return false;
  if (!StartMixer(mixRate)) return false;
  g_mixer.output = Output::kOffline;
  return true;
}

bool SDLMikMod_IsReady() { return g_mixer.output != Output::kNone; }

void SDLMikMod_Mix(uint8_t* out, size_t bytes) {
  if (g_mixer.output == Output::kNone) {
    std::memset(out, 0, bytes);
    return;
  }
  MixerLock lock;
  FillStream(nullptr, out, static_cast<int>(bytes));
}

int SDLMikMod_PlaySample(SAMPLE* sample, ULONG start, UBYTE flags) {
  if (!SDLMikMod_IsReady() || !sample) return -1;
  MixerLock lock;
  const int voice = Sample_Play(sample, start, flags);
  if (voice >= 0 && voice < 256) g_mixer.voiceSample[voice] = sample;
  return voice;
}

void SDLMikMod_FreeSample(SAMPLE* sample) {
  if (!sample) return;
  MixerLock lock;
  for (int voice = 0; voice < 256; ++voice) {
    if (g_mixer.voiceSample[voice] != sample) continue;
    Voice_Stop(static_cast<SBYTE>(voice));
    g_mixer.voiceSample[voice] = nullptr;
  }
  Sample_Free(sample);
}

void SDLMikMod_Quit() {
  if (g_mixer.output == Output::kNone) return;
  if (g_mixer.output == Output::kDevice) {
    SDL_PauseAudio(1);
    SDL_CloseAudio();
  }
  g_mixer.output = Output::kNone;
  Player_Stop();
  MikMod_Exit();
  ReleaseAudioSubsystem();
}

namespace {

MODULE* LoadModuleNamed(const uint8_t* data, size_t size, const char* name) {
  if (!SDLMikMod_IsReady()) return nullptr;
  std::string why;
  const size_t length = CheckModuleImage(data, size, why);
  if (!length) {
    std::fprintf(stderr, "Module %s refused: %s\n", name, why.c_str());
    return nullptr;
  }
  MixerLock lock;
  MODULE* module = Player_LoadMem(reinterpret_cast<const char*>(data), static_cast<int>(length), 64, 0);
  if (!module) {
    std::fprintf(stderr, "Module %s refused: %s\n", name, MikMod_strerror(MikMod_errno));
    return nullptr;
  }
  module->wrap = 0;
  module->loop = 0;
  module->volume = 128;
  return module;
}

SAMPLE* LoadSampleNamed(const uint8_t* data, size_t size, const char* name) {
  if (!SDLMikMod_IsReady()) return nullptr;
  WavSound sound;
  std::string why;
  if (!DecodeWav(data, size, sound, why)) {
    std::fprintf(stderr, "Sample %s refused: %s\n", name, why.c_str());
    return nullptr;
  }
  // MikMod only ever reads the canonical form written here.
  const std::vector<uint8_t> image = EncodeWav(sound);
  MixerLock lock;
  SAMPLE* sample = Sample_LoadMem(reinterpret_cast<const char*>(image.data()), static_cast<int>(image.size()));
  if (!sample) std::fprintf(stderr, "Sample %s refused: %s\n", name, MikMod_strerror(MikMod_errno));
  return sample;
}

}  // namespace

MODULE* SDLMikMod_LoadModuleImage(const uint8_t* data, size_t size) {
  return LoadModuleNamed(data, size, "image");
}

SAMPLE* SDLMikMod_LoadSampleImage(const uint8_t* data, size_t size) {
  return LoadSampleNamed(data, size, "image");
}

MODULE* SDLMikMod_LoadModule(const char* path) {
  if (!SDLMikMod_IsReady()) return nullptr;
  std::vector<uint8_t> bytes;
  if (!ReadWhole(path, bytes)) return nullptr;
  return LoadModuleNamed(bytes.data(), bytes.size(), path);
}

SAMPLE* SDLMikMod_LoadSample(const char* path) {
  if (!SDLMikMod_IsReady()) return nullptr;
  std::vector<uint8_t> bytes;
  if (!ReadWhole(path, bytes)) return nullptr;
  return LoadSampleNamed(bytes.data(), bytes.size(), path);
}
