// What the player hears, measured on glyphox-audio's renderings of the
// shipped music and effects; the generators' determinism; and an
// independent module reader's view of our modules.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

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

// Longest run of 50 ms windows quieter than -60 dBFS, in seconds.
double LongestSilence(const Pcm& pcm) {
  const size_t window = static_cast<size_t>(pcm.rate / 20) * pcm.channels;
  double run = 0.0, longest = 0.0;
  for (size_t at = 0; at + window <= pcm.samples.size(); at += window) {
    double sum = 0.0;
    for (size_t i = at; i < at + window; ++i) sum += static_cast<double>(pcm.samples[i]) * pcm.samples[i];
    run = std::sqrt(sum / window) < 32.768 ? run + 0.05 : 0.0;
    longest = std::max(longest, run);
  }
  return longest;
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

TEST(RenderedMusic, EveryTrackPlaysAMinuteBeforeItWrapsNeverFallsSilentAndNeverClips) {
  TempDir dir;
  for (const auto& path : g_musicTable) {
    const Pcm pcm = Render(dir, Shipped(path), "track.wav");
    ASSERT_EQ(pcm.channels, 2) << path;
    ASSERT_EQ(pcm.rate, 44100) << path;
    // The renderer stops where the song would wrap to its start.
    EXPECT_GE(pcm.Seconds(), 60.0) << path;
    EXPECT_LT(pcm.Seconds(), 180.0) << path;
    EXPECT_LE(LongestSilence(pcm), 2.0) << path;
    EXPECT_LT(Peak(pcm), 32767 * 0.9) << path;
    EXPECT_GT(Peak(pcm), 32767 * 0.1) << path << " is far too quiet";
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
  const std::string scores = std::string(std::getenv("GLYPHOX_SOURCE_DIR")) + "/music/";
  for (const TempDir* dir : {&first, &second}) {
    ASSERT_EQ(testsupport::RunProgram({Tool(), "effects", dir->Path()}), 0);
    ASSERT_EQ(testsupport::RunProgram({Tool(), "music", scores + "menu.txt", scores + "thoughtful.txt",
                                       scores + "playful.txt", scores + "bright.txt", scores + "mysterious.txt",
                                       dir->Path()}),
              0);
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

TEST(IndependentReader, CallsEveryTrackAProTrackerModuleOfTheRenderedLength) {
  if (testsupport::RunProgram({"/bin/sh", "-c", "command -v openmpt123 >/dev/null"}) != 0)
    GTEST_SKIP() << "openmpt123 is not installed";
  TempDir dir;
  for (const auto& path : g_musicTable) {
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
    const Pcm pcm = Render(dir, Shipped(path), "track.wav");
    EXPECT_NEAR(seconds, pcm.Seconds(), 0.5) << path;
  }
}

}  // namespace
