// Writes ProTracker "M.K." modules.
#include "tools/audio/ModWriter.h"

#include <algorithm>

#include "audio/SoundFiles.h"

namespace audiogen {

namespace {

const uint16_t kPeriods[kModNotes] = {
    856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453,  // C-1
    428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226,  // C-2
    214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113,  // C-3
};

void PutText(std::vector<uint8_t>& out, const std::string& text, size_t width) {
  for (size_t i = 0; i < width; ++i) out.push_back(i < text.size() ? static_cast<uint8_t>(text[i]) : 0);
}

void PutBe16(std::vector<uint8_t>& out, size_t value) {
  out.push_back(static_cast<uint8_t>(value >> 8));
  out.push_back(static_cast<uint8_t>(value));
}

}  // namespace

std::vector<uint8_t> EncodeMod(const ModSong& song) {
  if (song.instruments.size() > 31 || song.patterns.empty() || song.patterns.size() > 64 || song.orders.empty() ||
      song.orders.size() > 128)
    return {};
  std::vector<uint8_t> out;
  PutText(out, song.title, 20);
  for (size_t i = 0; i < 31; ++i) {
    if (i >= song.instruments.size()) {
      PutText(out, "", 22);
      PutBe16(out, 0);
      out.push_back(0);
      out.push_back(0);
      PutBe16(out, 0);
      PutBe16(out, 1);
      continue;
    }
    const ModInstrument& ins = song.instruments[i];
    if (ins.data.size() % 2 || ins.data.size() > 0x1FFFE || ins.loopStart + ins.loopLength > ins.data.size())
      return {};
    PutText(out, ins.name, 22);
    PutBe16(out, ins.data.size() / 2);
    out.push_back(0);  // finetune
    out.push_back(static_cast<uint8_t>(std::min(ins.volume, 64)));
    PutBe16(out, ins.loopLength ? ins.loopStart / 2 : 0);
    PutBe16(out, ins.loopLength ? ins.loopLength / 2 : 1);
  }
  out.push_back(static_cast<uint8_t>(song.orders.size()));
  out.push_back(127);
  for (size_t i = 0; i < 128; ++i) {
    const int order = i < song.orders.size() ? song.orders[i] : 0;
    if (order < 0 || order >= static_cast<int>(song.patterns.size())) return {};
    out.push_back(static_cast<uint8_t>(order));
  }
  PutText(out, "M.K.", 4);
  for (const ModPattern& pattern : song.patterns) {
    for (const auto& row : pattern.cells) {
      for (const ModCell& cell : row) {
        const unsigned period = cell.note >= 0 && cell.note < kModNotes ? kPeriods[cell.note] : 0;
        const unsigned instrument = static_cast<unsigned>(cell.instrument) & 31;
        out.push_back(static_cast<uint8_t>((instrument & 0x10) | (period >> 8)));
        out.push_back(static_cast<uint8_t>(period));
        out.push_back(static_cast<uint8_t>((instrument & 0x0F) << 4 | (cell.effect & 0x0F)));
        out.push_back(static_cast<uint8_t>(cell.parameter));
      }
    }
  }
  for (const ModInstrument& ins : song.instruments)
    for (int8_t v : ins.data) out.push_back(static_cast<uint8_t>(v));
  return out;
}

bool DecodeMod(const std::vector<uint8_t>& image, ModSong& song, std::string& why) {
  song = ModSong();
  const size_t length = CheckModuleImage(image.data(), image.size(), why);
  if (!length) return false;
  if (std::string(image.begin() + 1080, image.begin() + 1084) != "M.K.") {
    why = "not a 4-channel M.K. module";
    return false;
  }
  auto be16 = [&](size_t at) { return static_cast<size_t>(image[at]) << 8 | image[at + 1]; };
  song.title.assign(image.begin(), image.begin() + 20);
  song.title = song.title.c_str();
  size_t sampleAt = 1084;
  const int songLength = image[950];
  int highest = 0;
  for (int i = 0; i < 128; ++i) highest = std::max<int>(highest, image[952 + i]);
  for (int i = 0; i < songLength; ++i) song.orders.push_back(image[952 + i]);
  sampleAt += static_cast<size_t>(highest + 1) * kModRows * kModChannels * 4;
  for (int p = 0; p <= highest; ++p) {
    ModPattern pattern;
    for (int row = 0; row < kModRows; ++row)
      for (int ch = 0; ch < kModChannels; ++ch) {
        const uint8_t* c = image.data() + 1084 + ((static_cast<size_t>(p) * kModRows + row) * kModChannels + ch) * 4;
        ModCell& cell = pattern.cells[row][ch];
        const unsigned period = (c[0] & 0x0F) << 8 | c[1];
        cell.note = -1;
        for (int n = 0; n < kModNotes && period; ++n)
          if (kPeriods[n] == period) cell.note = n;
        cell.instrument = (c[0] & 0xF0) | c[2] >> 4;
        cell.effect = c[2] & 0x0F;
        cell.parameter = c[3];
      }
    song.patterns.push_back(pattern);
  }
  for (int i = 0; i < 31; ++i) {
    const size_t at = 20 + static_cast<size_t>(i) * 30;
    const size_t bytes = be16(at + 22) * 2;
    ModInstrument ins;
    ins.name.assign(image.begin() + at, image.begin() + at + 22);
    ins.name = ins.name.c_str();
    ins.volume = image[at + 25];
    ins.loopStart = be16(at + 26) * 2;
    ins.loopLength = be16(at + 28) * 2;
    ins.data.assign(image.begin() + sampleAt, image.begin() + sampleAt + bytes);
    if (ins.loopLength <= 2 || ins.loopStart + ins.loopLength > bytes) ins.loopStart = ins.loopLength = 0;
    sampleAt += bytes;
    song.instruments.push_back(ins);
  }
  while (!song.instruments.empty() && song.instruments.back().data.empty()) song.instruments.pop_back();
  return true;
}

}  // namespace audiogen
