// The sound and music tables, and the checks a module or WAV file passes
// before the mixer library ever sees it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Fixed-width records: a sound or track is addressed as table + 255 x index.
constexpr int kSoundTableRecord = 255;
constexpr int kSoundCount = 8;
constexpr int kMusicCount = 5;
extern const char g_soundTable[kSoundCount][kSoundTableRecord];
extern const char g_musicTable[kMusicCount][kSoundTableRecord];

// Effect numbers of the sound table.
enum SoundEffect : int {
  kEffectMenuMove = 0,
  kEffectMenuClick = 1,
  kEffectCubeRoll = 2,
  kEffectSelect = 3,
  kEffectLevelDone = 4,
  kEffectWordFormed = 5,
  kEffectUndo = 6,
  kEffectBetterPlacement = 7,
};
constexpr int kMenuTrack = 0;
constexpr int kFirstPlayTrack = 1;
constexpr int kPlayTrackCount = 4;

// Largest file either loader reads; far above anything the game ships.
constexpr size_t kMaxSoundFileBytes = 8u << 20;

// ProTracker-family modules (31 instruments, 4 to 8 channels). Checks every
// count against the bytes present and returns the exact image length the
// header describes (trailing bytes are dropped), or 0 with a reason.
size_t CheckModuleImage(const uint8_t* data, size_t size, std::string& why);

// Uncompressed PCM WAV, 8 or 16 bits, mono or stereo: decoded into 16-bit
// mono frames so that the mixer gets one canonical form.
struct WavSound {
  int rate = 0;
  std::vector<int16_t> frames;
};
bool DecodeWav(const uint8_t* data, size_t size, WavSound& out, std::string& why);
// A canonical 16-bit mono PCM WAV file image of the frames.
std::vector<uint8_t> EncodeWav(const WavSound& sound);
// The same for interleaved 16-bit samples of 1 or 2 channels.
std::vector<uint8_t> EncodeWavSamples(const int16_t* samples, size_t count, int rate, int channels);
