// Fuzzes the readable music score of glyphox-audio music: a score it
// accepts either composes into a module whose image reads back with the
// same orders, or is refused with a one-line reason.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/audio/Composer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  audiogen::Score score;
  audiogen::ModSong song, decoded;
  std::string error;
  const bool parsed = audiogen::ParseScore(text, score, error);
  if (!parsed || !audiogen::ComposeModule(score, song, error)) {
    if (error.empty() || error.find('\n') != std::string::npos) std::abort();
    return 0;
  }
  const std::vector<uint8_t> image = audiogen::EncodeMod(song);
  if (image.empty() || !audiogen::DecodeMod(image, decoded, error) || decoded.orders != song.orders) std::abort();
  return 0;
}
