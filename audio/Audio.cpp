#include "audio/Audio.h"

// The players come with the audio work; until then the game runs silently.
int StartAudio() { return 1; }
void StopAudio() {}
void ApplyAudioSettings() {}
void SelectMenuMusic() {}
void PlayMusicTrack(int) {}
void StopMusic() {}
void UpdateMusic(float) {}
void PlaySoundEffect(int) {}
