// Writes ProTracker "M.K." modules.
#include "tools/audio/ModWriter.h"

#include <algorithm>

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

}  // namespace audiogen
