// Music tracks with cross-fades and numbered sound effects. Calls come from
// the main thread; each one does nothing when no audio device could be
// opened. Start-up calls InitAudio, the settings, SetAutoNext(0) and
// StartMusic(kMenuTrack); a game started from the menu calls PlayGameMusic,
// the return to the menu PlayMenuMusic; the frame runner calls UpdateMusic
// once a frame; the release sequence calls QuitAudio.
#pragma once

#include <memory>

#include "audio/SoundFiles.h"
#include "audio/Sounds.h"

enum MusicState : int {
  kMusicSilent = 0,
  kMusicPlaying = 1,
  kMusicFadingIn = 2,
  kMusicFadingOut = 3,
};

// Fade level of full music, which is also the player volume while playing.
constexpr float kMusicFullLevel = 31.0f;

struct AudioState {
  std::unique_ptr<ORBSample> samples[kSoundCount];
  std::unique_ptr<ORBModule> module;
  int currentTrack = 0;
  int nextTrack = -1;
  int musicState = kMusicSilent;
  float fadeLevel = 0.0f;
  int soundEnabled = 0;
  int musicEnabled = 0;
  int autoNext = 0;
  // An effect held back until the frame ends, -1 for none, and whether a
  // word or the level was heard in this frame.
  int pendingSound = -1;
  int wordInFrame = 0;
};

// What the manager holds now, for tests and diagnostics.
const AudioState& CurrentAudioState();

// Opens the output and loads the sound table. Returns 1, or 0 only when a
// sample object cannot be made; no audio device is not a failure.
int InitAudio();
void QuitAudio();
void SetSoundEnabled(int flag);
// Off silences at once; on takes effect from the next change of track.
void SetMusicEnabled(int flag);
// The "better placement" sound waits for the end of its frame and is dropped
// when a word or the level is heard in the same frame: the two would blur.
void PlaySound(int index);
void StartMusic(int track);
void StopMusic();
void PauseMusic();
void ResumeMusic();
// Fades the current track out, then the given one in; -1 fades to silence.
void FadeToMusic(int track);
// With the flag set, a play track that reaches its last position fades into
// another play track chosen at random.
void SetAutoNext(int flag);
// Advances the fades by frameFactor frames of 1/60 s, and plays the effect
// held back in the frame before.
void UpdateMusic(float frameFactor);
// A game started from the menu: the first play track, then another play
// track each time one ends.
void PlayGameMusic();
// Back in the menus: the menu track, which loops.
void PlayMenuMusic();
