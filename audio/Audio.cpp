// The audio manager: the sound table's samples, the current module and the
// fade state machine between tracks.
#include "audio/Audio.h"

#include <cstdio>
#include <cstdlib>
#include <new>

#include "audio/SDLMikMod.h"

namespace {

constexpr int kMixRate = 44100;
constexpr int kBufferFrames = 4096;
constexpr int kBytesPerFrame = 4;  // 16-bit stereo
constexpr int kFormatBits = 3;     // MikMod's 16-bit and stereo bits
constexpr int kEffectVolume = 63;
constexpr float kFadeStepPerFrame = 0.25f;

// Process-wide with the mixer it drives (SDLMikMod.cpp): one music player and
// one set of effect voices for the whole run.
AudioState g_audio;

int TruncatedLevel() { return static_cast<int>(g_audio.fadeLevel); }

int ChooseNextPlayTrack() {
  int track;
  do {
    track = std::rand() % kPlayTrackCount + kFirstPlayTrack;
  } while (track == g_audio.currentTrack);
  return track;
}

}  // namespace

const AudioState& CurrentAudioState() { return g_audio; }

int InitAudio() {
  SDLMikMod_Init(kMixRate, kBufferFrames, kBytesPerFrame, kFormatBits);
  if (SDLMikMod_IsReady()) {
    for (int i = 0; i < kSoundCount; ++i) {
      g_audio.samples[i].reset(new (std::nothrow) ORBSample);
      if (!g_audio.samples[i]) return 0;
      // The game plays on without it, but the player should know why it is silent.
      if (!g_audio.samples[i]->Load(g_soundTable[i]))
        std::fprintf(stderr, "Couldn't load sound file %s\n", g_soundTable[i]);
      g_audio.samples[i]->SetVolume(kEffectVolume);
    }
  }
  g_audio.soundEnabled = 0;
  g_audio.musicEnabled = 0;
  g_audio.nextTrack = -1;
  g_audio.module.reset();
  return 1;
}

void QuitAudio() {
  if (SDLMikMod_IsReady()) {
    for (auto& sample : g_audio.samples) sample.reset();
    g_audio.module.reset();
  }
  SDLMikMod_Quit();
  g_audio = AudioState();
}

void SetSoundEnabled(int flag) {
  if (!SDLMikMod_IsReady()) return;
  g_audio.soundEnabled = flag;
}

void SetMusicEnabled(int flag) {
  if (!SDLMikMod_IsReady()) return;
  g_audio.musicEnabled = flag;
  if (!flag) {
    g_audio.fadeLevel = 0.0f;
    g_audio.musicState = kMusicSilent;
  }
}

void PlaySound(int index) {
  if (!SDLMikMod_IsReady() || !g_audio.soundEnabled) return;
  if (index < 0 || index >= kSoundCount || !g_audio.samples[index]) return;
  if (index == kEffectBetterPlacement) {
    if (!g_audio.wordInFrame) g_audio.pendingSound = index;
    return;
  }
  if (index == kEffectWordFormed || index == kEffectLevelDone) {
    g_audio.wordInFrame = 1;
    g_audio.pendingSound = -1;
  }
  g_audio.samples[index]->Play();
}

void StartMusic(int track) {
  if (!SDLMikMod_IsReady() || track < 0 || track >= kMusicCount) return;
  if (g_audio.module) {
    SetPlayerVolume(0);
    g_audio.module->Stop();
    g_audio.module.reset();
  }
  g_audio.module.reset(new (std::nothrow) ORBModule);
  if (g_audio.module && !g_audio.module->Load(g_musicTable[track]))
    std::fprintf(stderr, "Module File %s not found\n", g_musicTable[track]);
  {
    // Play's own volume must never reach the output between the two calls.
    MixerLock lock;
    if (g_audio.module) g_audio.module->Play();
    SetPlayerVolume(0);
  }
  g_audio.musicState = g_audio.musicEnabled ? kMusicFadingIn : kMusicSilent;
  g_audio.currentTrack = track;
  g_audio.fadeLevel = 0.0f;
}

void StopMusic() {
  if (!SDLMikMod_IsReady()) return;
  g_audio.musicState = kMusicSilent;
  g_audio.fadeLevel = 0.0f;
  SetPlayerVolume(0);
  if (g_audio.module) {
    g_audio.module->Stop();
    g_audio.module.reset();
  }
}

void PauseMusic() {
  if (!SDLMikMod_IsReady() || !g_audio.musicEnabled) return;
  if (g_audio.module) g_audio.module->Stop();
  g_audio.fadeLevel = 0.0f;
  g_audio.musicState = kMusicSilent;
}

void ResumeMusic() {
  if (!SDLMikMod_IsReady() || !g_audio.musicEnabled) return;
  if (g_audio.module) {
    // Heard at once at the playing level, not for a frame at Play's own.
    MixerLock lock;
    g_audio.module->Play();
    SetPlayerVolume(static_cast<int>(kMusicFullLevel));
  }
  g_audio.fadeLevel = kMusicFullLevel;
  g_audio.musicState = kMusicPlaying;
}

void FadeToMusic(int track) {
  if (!SDLMikMod_IsReady() || !g_audio.musicEnabled) return;
  if (track < -1 || track >= kMusicCount) return;
  g_audio.nextTrack = track;
  g_audio.fadeLevel = kMusicFullLevel;
  SetPlayerVolume(static_cast<int>(kMusicFullLevel));
  g_audio.musicState = kMusicFadingOut;
}

void SetAutoNext(int flag) {
  if (!SDLMikMod_IsReady()) return;
  g_audio.autoNext = flag;
}

void UpdateMusic(float frameFactor) {
  if (!SDLMikMod_IsReady()) return;
  if (g_audio.pendingSound >= 0 && g_audio.soundEnabled) g_audio.samples[g_audio.pendingSound]->Play();
  g_audio.pendingSound = -1;
  g_audio.wordInFrame = 0;
  const float step = kFadeStepPerFrame * frameFactor;
  switch (g_audio.musicState) {
    case kMusicSilent:
      SetPlayerVolume(0);
      break;
    case kMusicPlaying:
      SetPlayerVolume(TruncatedLevel());
      if (g_audio.autoNext && g_audio.module && g_audio.module->PositionCount() > 0 &&
          g_audio.module->Position() == g_audio.module->PositionCount() - 1)
        FadeToMusic(ChooseNextPlayTrack());
      break;
    case kMusicFadingIn:
      g_audio.fadeLevel += step;
      if (g_audio.fadeLevel < kMusicFullLevel) {
        SetPlayerVolume(TruncatedLevel());
      } else {
        g_audio.fadeLevel = kMusicFullLevel;
        g_audio.musicState = kMusicPlaying;
        SetPlayerVolume(static_cast<int>(kMusicFullLevel));
      }
      break;
    case kMusicFadingOut:
      g_audio.fadeLevel -= step;
      if (g_audio.fadeLevel > 0.0f) {
        SetPlayerVolume(TruncatedLevel());
        break;
      }
      g_audio.fadeLevel = 0.0f;
      SetPlayerVolume(0);
      if (g_audio.nextTrack == -1) {
        StopMusic();
      } else {
        g_audio.musicState = kMusicFadingIn;
        StartMusic(g_audio.nextTrack);
        g_audio.nextTrack = -1;
      }
      break;
    default:
      break;
  }
}

void PlayGameMusic() {
  SetAutoNext(1);
  FadeToMusic(kFirstPlayTrack);
}

void PlayMenuMusic() {
  SetAutoNext(0);
  FadeToMusic(kMenuTrack);
}
