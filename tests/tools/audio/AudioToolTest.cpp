// What the player hears, measured by glyphox-audio on the shipped music and
// effects; the generators' determinism; and an independent module reader's
// view of our modules.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "audio/Audio.h"
#include "audio/SDLMikMod.h"
#include "audio/SoundFiles.h"
#include "tests/support/TestFiles.h"

namespace {

using testsupport::TempDir;

std::string Tool() {
  const char* dir = std::getenv("GLYPHOX_BINARY_DIR");
  return std::string(dir ? dir : "build") + "/tools/audio/glyphox-audio";
}

std::string Shipped(const char* relative) { return testsupport::GameTreeDir() + "/" + relative; }

// A WAV of our own canonical 44-byte form, read without our decoder.
struct Pcm {
  int rate = 0, channels = 0;
  std::vector<int16_t> samples;
  double Seconds() const { return static_cast<double>(samples.size()) / channels / rate; }
};

Pcm ReadPcm(const std::string& path) {
  const std::string bytes = testsupport::ReadFile(path);
  Pcm pcm;
  if (bytes.size() < 44 || bytes.compare(0, 4, "RIFF") || bytes.compare(36, 4, "data")) return pcm;
  auto le = [&](size_t at, int n) {
    uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(bytes[at + i]);
    return v;
  };
  pcm.channels = static_cast<int>(le(22, 2));
  pcm.rate = static_cast<int>(le(24, 4));
  pcm.samples.resize(std::min<size_t>(le(40, 4), bytes.size() - 44) / 2);
  std::memcpy(pcm.samples.data(), bytes.data() + 44, pcm.samples.size() * 2);
  return pcm;
}

int Peak(const Pcm& pcm) {
  int peak = 0;
  for (int16_t s : pcm.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
  return peak;
}

// Seconds until the first sample above -40 dBFS.
double Onset(const Pcm& pcm) {
  for (size_t i = 0; i < pcm.samples.size(); ++i)
    if (std::abs(static_cast<int>(pcm.samples[i])) > 327) return static_cast<double>(i / pcm.channels) / pcm.rate;
  return 1e9;
}

Pcm Render(const TempDir& dir, const std::string& input, const std::string& name) {
  const int status = testsupport::RunProgram({Tool(), "render", input, dir / name}, nullptr, 120000);
  EXPECT_EQ(status, 0) << input;
  return ReadPcm(dir / name);
}

std::vector<std::string> Scores() {
  const std::string dir = std::string(std::getenv("GLYPHOX_SOURCE_DIR")) + "/music/";
  return {dir + "menu.txt", dir + "thoughtful.txt", dir + "playful.txt", dir + "bright.txt", dir + "mysterious.txt"};
}

// The project's own analysis of the shipped music: every figure within its
// limit (form, rhythm, voice leading, tuning, brightness, loudness, ticks,
// clipping, silences, determinism). An independent reader agrees on each
// module's type and on how long it plays before it loops.
TEST(ShippedMusic, EveryFigureIsWithinItsLimitAndAnotherReaderAgrees) {
  std::vector<std::string> args{Tool(), "analyse", testsupport::GameTreeDir()};
  for (const std::string& score : Scores()) args.push_back(score);
  std::string table;
  EXPECT_EQ(testsupport::RunProgram(args, &table, 240000), 0) << table;
  std::printf("%s", table.c_str());
  ASSERT_NE(table.find("every figure within its limit"), std::string::npos) << table;

  if (testsupport::RunProgram({"/bin/sh", "-c", "command -v openmpt123 >/dev/null"}) != 0)
    GTEST_SKIP() << "openmpt123 is not installed";
  TempDir dir;
  for (const auto& path : g_musicTable) {
    const std::string name = std::string(path).substr(std::string(path).rfind('/') + 1);
    const size_t row = table.find("\n" + name);
    ASSERT_NE(row, std::string::npos) << name;
    const double loop = std::atof(table.c_str() + row + 1 + name.size());
    // The player chooses by content; a ".mod" name only makes its report read better.
    testsupport::WriteFile(dir / "track.mod", testsupport::ReadFile(Shipped(path)));
    std::string info;
    ASSERT_EQ(testsupport::RunProgram({"/bin/sh", "-c", "openmpt123 --info " + (dir / "track.mod") + " 2>&1"}, &info),
              0);
    EXPECT_NE(info.find("ProTracker MOD (M.K.)"), std::string::npos) << info;
    EXPECT_NE(info.find("Channels...: 4"), std::string::npos) << info;
    const size_t at = info.find("Duration...: ");
    ASSERT_NE(at, std::string::npos) << info;
    const int minutes = std::atoi(info.c_str() + at + 13);
    const double seconds = minutes * 60 + std::atof(info.c_str() + info.find(':', at + 13) + 1);
    EXPECT_NEAR(seconds, loop, 0.5) << path;
  }
}

TEST(RenderedEffects, EveryEffectIsShortStartsAtOnceAndDoesNotClip) {
  TempDir dir;
  std::vector<std::vector<int16_t>> sources;
  for (const auto& path : g_soundTable) {
    const Pcm source = ReadPcm(Shipped(path));
    ASSERT_EQ(source.channels, 1) << path;
    EXPECT_LT(source.Seconds(), 2.0) << path;
    EXPECT_LT(Peak(source), 32767 * 0.8) << path;
    EXPECT_LE(Onset(source), 0.010) << path;
    sources.push_back(source.samples);

    const Pcm mixed = Render(dir, Shipped(path), "effect.wav");
    EXPECT_LT(mixed.Seconds(), 2.0) << path;
    EXPECT_LE(Onset(mixed), 0.010) << path;
    EXPECT_LT(Peak(mixed), 32767) << path;
    EXPECT_GT(Peak(mixed), 1000) << path << " is not heard through the mixer";
  }
  // Told apart at a glance: any two differ in length or in pitch, here the
  // zero crossings of their first 60 ms.
  auto crossings = [](const std::vector<int16_t>& s) {
    int count = 0;
    for (size_t i = 1; i < std::min<size_t>(s.size(), 44100 * 6 / 100); ++i) count += (s[i - 1] < 0) != (s[i] < 0);
    return count;
  };
  for (size_t a = 0; a < sources.size(); ++a)
    for (size_t b = a + 1; b < sources.size(); ++b) {
      const double lengths = std::fabs(static_cast<double>(sources[a].size()) - sources[b].size()) / 44100.0;
      const double pitches = std::fabs(crossings(sources[a]) - crossings(sources[b])) /
                             std::max(crossings(sources[a]), crossings(sources[b]));
      EXPECT_TRUE(lengths > 0.03 || pitches > 0.15) << a << " and " << b;
    }
}

TEST(Generators, TwoRunsWriteIdenticalBytes) {
  TempDir first, second;
  for (const TempDir* dir : {&first, &second}) {
    ASSERT_EQ(testsupport::RunProgram({Tool(), "effects", dir->Path()}), 0);
    std::vector<std::string> args{Tool(), "music"};
    for (const std::string& score : Scores()) args.push_back(score);
    args.push_back(dir->Path());
    ASSERT_EQ(testsupport::RunProgram(args), 0);
  }
  for (const auto& path : g_soundTable) EXPECT_EQ(testsupport::ReadFile(first / path), testsupport::ReadFile(second / path));
  for (const auto& path : g_musicTable) {
    const std::string bytes = testsupport::ReadFile(first / path);
    EXPECT_FALSE(bytes.empty()) << path;
    EXPECT_EQ(bytes, testsupport::ReadFile(second / path)) << path;
    EXPECT_EQ(bytes, testsupport::ReadFile(Shipped(path))) << path << " differs from the build's";
  }
}

TEST(Generators, AScoreWithAFaultIsRefusedWithItsLine) {
  TempDir dir;
  testsupport::WriteFile(dir / "bad.txt", "track 1\nkey C major 4\nsection A\nchords I | V | X | I\n");
  std::string output;
  EXPECT_NE(testsupport::RunProgram({"/bin/sh", "-c", Tool() + " music " + (dir / "bad.txt") + " " + dir.Path() +
                                                          " 2>&1"},
                                    &output),
            0);
  EXPECT_NE(output.find("line 4: unknown chord X"), std::string::npos) << output;
  EXPECT_FALSE(testsupport::FileExists(dir / g_musicTable[1]));
}

}  // namespace
