// Module and WAV checks, and the canonical WAV form handed to the mixer.
#include "audio/SoundFiles.h"

#include <algorithm>
#include <cstring>

const char g_soundTable[kSoundCount][kSoundTableRecord] = {
    "data/sfx/menuchoix.wav", "data/sfx/menuclic.wav", "data/sfx/clic.wav",  "data/sfx/impsell.wav",
    "data/sfx/levelok.wav",   "data/sfx/oneword.wav",  "data/sfx/back.wav",  "data/sfx/transfor.wav",
};
const char g_musicTable[kMusicCount][kSoundTableRecord] = {
    "data/sfx/musicmenu.zik", "data/sfx/musicjeu1.zik", "data/sfx/musicjeu2.zik",
    "data/sfx/musicjeu3.zik", "data/sfx/musicjeu4.zik",
};

namespace {

constexpr size_t kModTitle = 20;
constexpr size_t kModInstruments = 31;
constexpr size_t kModInstrumentBytes = 30;
constexpr size_t kModSongLength = kModTitle + kModInstruments * kModInstrumentBytes;  // 950
constexpr size_t kModOrders = kModSongLength + 2;                                      // 952
constexpr size_t kModSignature = kModOrders + 128;                                     // 1080
constexpr size_t kModPatterns = kModSignature + 4;                                     // 1084
constexpr size_t kModRows = 64;
constexpr size_t kModMaxPatterns = 64;  // ProTracker's own limit

unsigned Be16(const uint8_t* p) { return static_cast<unsigned>(p[0]) << 8 | p[1]; }
uint32_t Le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
unsigned Le16(const uint8_t* p) { return static_cast<unsigned>(p[0]) | static_cast<unsigned>(p[1]) << 8; }

int ChannelsOfSignature(const uint8_t* sig) {
  if (!std::memcmp(sig, "M.K.", 4) || !std::memcmp(sig, "M!K!", 4) || !std::memcmp(sig, "FLT4", 4) ||
      !std::memcmp(sig, "4CHN", 4))
    return 4;
  if (!std::memcmp(sig, "6CHN", 4)) return 6;
  if (!std::memcmp(sig, "8CHN", 4) || !std::memcmp(sig, "FLT8", 4)) return 8;
  return 0;
}

void PutLe16(std::vector<uint8_t>& out, unsigned v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void PutLe32(std::vector<uint8_t>& out, uint32_t v) {
  PutLe16(out, v & 0xFFFF);
  PutLe16(out, v >> 16);
}

}  // namespace

size_t CheckModuleImage(const uint8_t* data, size_t size, std::string& why) {
  if (size < kModPatterns) {
    why = "shorter than a module header";
    return 0;
  }
  const int channels = ChannelsOfSignature(data + kModSignature);
  if (!channels) {
    why = "not a ProTracker module";
    return 0;
  }
  const unsigned songLength = data[kModSongLength];
  if (songLength < 1 || songLength > 128) {
    why = "song length out of range";
    return 0;
  }
  unsigned highest = 0;
  // Every order entry counts, not only the song's: the loaders read them all.
  for (unsigned i = 0; i < 128; ++i) highest = std::max<unsigned>(highest, data[kModOrders + i]);
  if (highest >= kModMaxPatterns) {
    why = "pattern number out of range";
    return 0;
  }
  size_t total = kModPatterns + (highest + 1) * kModRows * channels * 4;
  for (size_t i = 0; i < kModInstruments; ++i) {
    const uint8_t* ins = data + kModTitle + i * kModInstrumentBytes;
    const size_t length = Be16(ins + 22) * 2u;
    const size_t loopStart = Be16(ins + 26) * 2u;
    const size_t loopLength = Be16(ins + 28) * 2u;
    if (ins[25] > 64) {
      why = "instrument volume out of range";
      return 0;
    }
    if (length > 2 && loopLength > 2 && loopStart + loopLength > length) {
      why = "instrument loop past its end";
      return 0;
    }
    total += length;
  }
  if (total > size) {
    why = "truncated";
    return 0;
  }
  return total;
}

bool DecodeWav(const uint8_t* data, size_t size, WavSound& out, std::string& why) {
  if (size < 12 || std::memcmp(data, "RIFF", 4) || std::memcmp(data + 8, "WAVE", 4)) {
    why = "not a WAV file";
    return false;
  }
  const uint8_t* format = nullptr;
  const uint8_t* samples = nullptr;
  size_t sampleBytes = 0;
  size_t at = 12;
  while (at + 8 <= size && !(format && samples)) {
    const uint32_t chunk = Le32(data + at + 4);
    if (chunk > size - at - 8) {
      why = "truncated";
      return false;
    }
    if (!std::memcmp(data + at, "fmt ", 4) && chunk >= 16) format = data + at + 8;
    if (!std::memcmp(data + at, "data", 4)) {
      samples = data + at + 8;
      sampleBytes = chunk;
    }
    at += 8 + chunk + (chunk & 1);
  }
  if (!format || !samples) {
    why = "no format or data chunk";
    return false;
  }
  const unsigned encoding = Le16(format), channels = Le16(format + 2), bits = Le16(format + 14);
  const uint32_t rate = Le32(format + 4);
  if (encoding != 1 || (channels != 1 && channels != 2) || (bits != 8 && bits != 16) || rate < 1000 ||
      rate > 192000) {
    why = "unsupported sample format";
    return false;
  }
  const size_t frameBytes = channels * bits / 8;
  const size_t count = sampleBytes / frameBytes;
  if (count == 0) {
    why = "no samples";
    return false;
  }
  out.rate = static_cast<int>(rate);
  out.frames.resize(count);
  for (size_t i = 0; i < count; ++i) {
    int sum = 0;
    for (unsigned c = 0; c < channels; ++c) {
      const uint8_t* p = samples + i * frameBytes + c * (bits / 8);
      sum += bits == 8 ? (p[0] - 128) * 256 : static_cast<int16_t>(Le16(p));
    }
    out.frames[i] = static_cast<int16_t>(sum / static_cast<int>(channels));
  }
  return true;
}

std::vector<uint8_t> EncodeWav(const WavSound& sound) {
  return EncodeWavSamples(sound.frames.data(), sound.frames.size(), sound.rate, 1);
}

std::vector<uint8_t> EncodeWavSamples(const int16_t* samples, size_t count, int rate, int channels) {
  const uint32_t dataBytes = static_cast<uint32_t>(count * 2);
  std::vector<uint8_t> out;
  out.reserve(44 + dataBytes);
  const char* riff = "RIFF";
  out.insert(out.end(), riff, riff + 4);
  PutLe32(out, 36 + dataBytes);
  const char* wave = "WAVEfmt ";
  out.insert(out.end(), wave, wave + 8);
  PutLe32(out, 16);
  PutLe16(out, 1);  // PCM
  PutLe16(out, static_cast<unsigned>(channels));
  PutLe32(out, static_cast<uint32_t>(rate));
  PutLe32(out, static_cast<uint32_t>(rate * channels * 2));
  PutLe16(out, static_cast<unsigned>(channels * 2));
  PutLe16(out, 16);
  const char* tag = "data";
  out.insert(out.end(), tag, tag + 4);
  PutLe32(out, dataBytes);
  for (size_t i = 0; i < count; ++i) PutLe16(out, static_cast<uint16_t>(samples[i]));
  return out;
}
