// The real game's audio from start-up to release, recorded through SDL's
// disk driver: the menu music fades in when the settings allow it, stays
// silent when they do not, and a game without an audio device runs silently.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "tests/support/GameDriver.h"

using namespace testsupport;

namespace {

std::vector<int16_t> Samples(const std::string& bytes) {
  std::vector<int16_t> out(bytes.size() / 2);
  std::memcpy(out.data(), bytes.data(), out.size() * 2);
  return out;
}

int Peak(const std::vector<int16_t>& s, size_t from, size_t to) {
  int peak = 0;
  for (size_t i = from; i < to && i < s.size(); ++i) peak = std::max(peak, std::abs(static_cast<int>(s[i])));
  return peak;
}

// Runs the game on the disk driver for a few seconds; what it mixed.
std::vector<int16_t> Record(GameDriver& game) {
  game.SetEnvironment("SDL_AUDIODRIVER", "disk");
  game.SetEnvironment("SDL_DISKAUDIOFILE", game.PathOf("mixed.raw"));
  // One 4096-frame buffer lasts 93 ms; write at about that pace.
  game.SetEnvironment("SDL_DISKAUDIODELAY", "90");
  EXPECT_TRUE(game.Start());
  std::this_thread::sleep_for(std::chrono::seconds(5));
  EXPECT_EQ(game.Stop(), 0);
  return Samples(game.ReadFile("mixed.raw"));
}

}  // namespace

TEST(GameAudio, MenuMusicFadesInAtStartAndStaysOffWhenTheSettingsSaySo) {
  GameDriver heard;
  const std::vector<int16_t> music = Record(heard);
  ASSERT_GT(music.size(), 44100u * 2 * 2) << "two seconds mixed at least";
  // It starts from silence and fades to a clearly audible level.
  EXPECT_LT(Peak(music, 0, 44100 / 10 * 2), 300);
  EXPECT_GT(Peak(music, music.size() - 44100, music.size()), 1500);
  EXPECT_LT(Peak(music, 0, music.size()), 32767);

  GameDriver quiet;
  std::string config = quiet.ReadFile("config.ini");
  config.replace(config.find("Music=1"), 7, "Music=0");
  quiet.WriteFile("config.ini", config);
  const std::vector<int16_t> none = Record(quiet);
  ASSERT_GT(none.size(), 44100u * 2 * 2);
  EXPECT_EQ(Peak(none, 0, none.size()), 0);
  EXPECT_NE(quiet.ReadFile("config.ini").find("Music=0"), std::string::npos);
}

TEST(GameAudio, WithoutAnAudioDeviceTheGameRunsSilently) {
  GameDriver game;
  game.SetEnvironment("SDL_AUDIODRIVER", "no-such-driver");
  ASSERT_TRUE(game.Start());
  std::this_thread::sleep_for(std::chrono::seconds(1));
  EXPECT_TRUE(game.Running());
  EXPECT_EQ(game.Stop(), 0);
  EXPECT_NE(game.Stderr().find("Could not initialize sound"), std::string::npos);
  EXPECT_EQ(game.Stderr().find("Module File"), std::string::npos);
}
