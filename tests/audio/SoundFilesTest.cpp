// The checks every module and WAV file passes before the mixer sees it, on
// the shipped files and on damaged copies of them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "audio/SoundFiles.h"
#include "tests/support/TestFiles.h"

namespace {

std::vector<uint8_t> Shipped(const char* relative) {
  const std::string text = testsupport::ReadFile(testsupport::GameTreeDir() + "/" + relative);
  return std::vector<uint8_t>(text.begin(), text.end());
}

size_t Check(const std::vector<uint8_t>& bytes, std::string& why) {
  return CheckModuleImage(bytes.data(), bytes.size(), why);
}

TEST(ModuleCheck, AcceptsEveryShippedModuleWhole) {
  for (const auto& path : g_musicTable) {
    const std::vector<uint8_t> bytes = Shipped(path);
    std::string why;
    EXPECT_EQ(Check(bytes, why), bytes.size()) << path << ": " << why;
  }
}

TEST(ModuleCheck, RefusesDamagedModules) {
  const std::vector<uint8_t> good = Shipped(g_musicTable[1]);
  ASSERT_GT(good.size(), 2000u);
  std::string why;

  std::vector<uint8_t> bad(good.begin(), good.end() - 1);
  EXPECT_EQ(Check(bad, why), 0u);
  EXPECT_EQ(why, "truncated");

  bad.assign(good.begin(), good.begin() + 1083);
  EXPECT_EQ(Check(bad, why), 0u);
  EXPECT_EQ(why, "shorter than a module header");

  bad = good;
  std::memcpy(&bad[1080], "XM  ", 4);
  EXPECT_EQ(Check(bad, why), 0u);
  EXPECT_EQ(why, "not a ProTracker module");

  bad = good;
  bad[950] = 0;
  EXPECT_EQ(Check(bad, why), 0u);
  EXPECT_EQ(why, "song length out of range");

  bad = good;
  bad[952 + 127] = 64;  // an order past the song still counts
  EXPECT_EQ(Check(bad, why), 0u);
  EXPECT_EQ(why, "pattern number out of range");

  bad = good;
  bad[20 + 26] = 0x7F;  // first instrument's loop start far past its end
  bad[20 + 28] = 0;
  bad[20 + 29] = 8;
  EXPECT_EQ(Check(bad, why), 0u);
  EXPECT_EQ(why, "instrument loop past its end");

  bad = good;
  bad[20 + 22] = 0xFF;  // first instrument claims 128 KiB of sample data
  EXPECT_EQ(Check(bad, why), 0u);
  EXPECT_EQ(why, "truncated");

  // Extra bytes after the last sample are dropped, not refused.
  bad = good;
  bad.push_back(0);
  EXPECT_EQ(Check(bad, why), good.size());
}

std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

std::string Le32(uint32_t v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }
std::string Le16(unsigned v) { return std::string{char(v), char(v >> 8)}; }

std::string Wav(unsigned format, unsigned channels, unsigned bits, const std::string& data, uint32_t dataSize) {
  std::string fmt = Le16(format) + Le16(channels) + Le32(22050) + Le32(22050 * channels * bits / 8) +
                    Le16(channels * bits / 8) + Le16(bits);
  std::string body = "WAVEfmt " + Le32(16) + fmt + "LIST" + Le32(3) + "abc" + std::string(1, '\0') + "data" +
                     Le32(dataSize) + data;
  return "RIFF" + Le32(static_cast<uint32_t>(body.size())) + body;
}

TEST(WavDecode, ReadsEightAndSixteenBitsMonoAndStereoIntoOneForm) {
  WavSound sound;
  std::string why;
  // 8-bit stereo: unsigned samples, averaged into one channel; an odd chunk
  // before the data is skipped with its pad byte.
  const std::string eight = std::string{char(128 + 64), char(128 + 0), char(0), char(0)};
  ASSERT_TRUE(DecodeWav(Bytes(Wav(1, 2, 8, eight, 4)).data(), Wav(1, 2, 8, eight, 4).size(), sound, why)) << why;
  EXPECT_EQ(sound.rate, 22050);
  EXPECT_EQ(sound.frames, (std::vector<int16_t>{32 * 256, -128 * 256}));

  const std::string sixteen = Le16(1000) + Le16(static_cast<uint16_t>(-2000));
  const std::vector<uint8_t> file = Bytes(Wav(1, 1, 16, sixteen, 4));
  ASSERT_TRUE(DecodeWav(file.data(), file.size(), sound, why)) << why;
  EXPECT_EQ(sound.frames, (std::vector<int16_t>{1000, -2000}));

  // The canonical form is byte for byte a plain 44-byte-header PCM file.
  const std::vector<uint8_t> canonical = EncodeWav(sound);
  const std::string expected = "RIFF" + Le32(40) + "WAVEfmt " + Le32(16) + Le16(1) + Le16(1) + Le32(22050) +
                               Le32(44100) + Le16(2) + Le16(16) + "data" + Le32(4) + sixteen;
  EXPECT_EQ(canonical, Bytes(expected));
}

TEST(WavDecode, RefusesDamagedFiles) {
  WavSound sound;
  std::string why;
  const std::string data = Le16(1) + Le16(2);
  auto refused = [&](const std::string& file, const char* reason) {
    const std::vector<uint8_t> bytes = Bytes(file);
    EXPECT_FALSE(DecodeWav(bytes.data(), bytes.size(), sound, why)) << reason;
    EXPECT_EQ(why, reason);
  };
  refused("RIFF", "not a WAV file");
  refused(Wav(1, 1, 16, data, 400), "truncated");           // data chunk larger than the file
  refused(Wav(1, 1, 16, data, 0xFFFFFFF0u), "truncated");   // size that would wrap a 32-bit sum
  refused(Wav(3, 1, 32, data + data, 8), "unsupported sample format");  // float
  refused(Wav(1, 6, 16, data, 4), "unsupported sample format");
  refused(Wav(1, 1, 16, "", 0), "no samples");
  std::string noData = Wav(1, 1, 16, data, 4);
  noData.replace(noData.find("data"), 4, "junk");
  refused(noData, "no format or data chunk");

  // Every shipped effect decodes.
  for (const auto& path : g_soundTable) {
    const std::vector<uint8_t> bytes = Shipped(path);
    EXPECT_TRUE(DecodeWav(bytes.data(), bytes.size(), sound, why)) << path << ": " << why;
  }
}

}  // namespace
