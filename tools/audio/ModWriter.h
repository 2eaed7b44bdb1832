// A 4-channel ProTracker "M.K." module in memory and its file image.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace audiogen {

constexpr int kModChannels = 4;
constexpr int kModRows = 64;
constexpr int kModNotes = 36;  // C-1 .. B-3
// Playback rate of a sample at note C-2 without finetune.
constexpr double kModC2Rate = 8363.0;

// The effects the generator writes, by their ProTracker numbers.
enum ModEffect : int {
  kEffectArpeggio = 0x0,
  kEffectPortamento = 0x3,   // slide to the note without restarting it
  kEffectPanning = 0x8,      // 0x00 left .. 0x80 centre .. 0xFF right
  kEffectVolumeSlide = 0xA,  // high nibble up, low nibble down, per tick
  kEffectVolume = 0xC,
  kEffectBreak = 0xD,        // on to the next order
  kEffectSpeed = 0xF,        // below 32 ticks a row, else beats a minute
};

struct ModInstrument {
  std::string name;
  std::vector<int8_t> data;  // even length
  int volume = 64;
  size_t loopStart = 0;      // even; loopLength 0 means no loop
  size_t loopLength = 0;
};

struct ModCell {
  int note = -1;        // 0..35 (C-1..B-3), -1 none
  int instrument = 0;   // 1..31, 0 none
  int effect = 0;
  int parameter = 0;
};

struct ModPattern {
  ModCell cells[kModRows][kModChannels];
};

struct ModSong {
  std::string title;
  std::vector<ModInstrument> instruments;  // at most 31
  std::vector<ModPattern> patterns;        // at most 64
  std::vector<int> orders;                 // 1..128 pattern numbers
};

// The file image; an empty vector when a count is out of the format's range.
std::vector<uint8_t> EncodeMod(const ModSong& song);
// Reads back a 4-channel image that CheckModuleImage accepts; false with a
// reason otherwise. Notes off the three-octave table read as -1.
bool DecodeMod(const std::vector<uint8_t>& image, ModSong& song, std::string& why);

}  // namespace audiogen
