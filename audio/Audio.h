// Music tracks with cross-fades and numbered sound effects. Every call does
// nothing when no audio device could be opened.
#pragma once

// Starts the audio output and loads the sounds. Returns 1, or 0 on failure.
int StartAudio();
void StopAudio();
// Applies the Sound and Music settings.
void ApplyAudioSettings();
void SelectMenuMusic();
void PlayMusicTrack(int track);
void StopMusic();
// Advances the music fades by one frame of frameDelta units.
void UpdateMusic(float frameDelta);
void PlaySoundEffect(int number);
