// The audio manager on a real mixer: SDL's dummy driver (which runs the
// callback in real time), its disk driver (which records what is mixed), and
// no device at all.
#include <gtest/gtest.h>

#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <fstream>
#include <set>
#include <thread>
#include <vector>

#include "audio/Audio.h"
#include "audio/SDLMikMod.h"
#include "tests/support/TestFiles.h"

namespace {

using testsupport::CapturedStream;
using testsupport::ScopedWorkingDirectory;
using testsupport::TempDir;

// Starts the manager on the given SDL audio driver in the game tree, and
// always releases it.
class AudioSession {
 public:
  explicit AudioSession(const char* driver, const std::string& dir = testsupport::GameTreeDir())
      : m_cwd(dir) {
    setenv("SDL_AUDIODRIVER", driver, 1);
    m_result = InitAudio();
  }
  ~AudioSession() { QuitAudio(); }
  int result() const { return m_result; }

 private:
  ScopedWorkingDirectory m_cwd;
  int m_result = 0;
};

int PlayerVolume() {
  MixerLock lock;
  MODULE* module = Player_GetModule();
  return module ? module->volume : -1;
}

// Frames of UpdateMusic(factor) until the state leaves `from`.
int FramesWhile(int from, float factor) {
  int frames = 0;
  while (CurrentAudioState().musicState == from && frames < 10000) {
    UpdateMusic(factor);
    ++frames;
  }
  return frames;
}

void PutAtLastPosition() {
  MixerLock lock;
  MODULE* module = Player_GetModule();
  ASSERT_NE(module, nullptr);
  Player_SetPosition(static_cast<UWORD>(module->numpos - 1));
}

TEST(MusicStates, FadesTakeOneHundredTwentyFourFramesAndFadeToSilenceDropsTheModule) {
  AudioSession session("dummy");
  ASSERT_TRUE(SDLMikMod_IsReady());
  SetMusicEnabled(1);
  StartMusic(kMenuTrack);
  const AudioState& audio = CurrentAudioState();
  ASSERT_TRUE(audio.module && audio.module->Module());
  EXPECT_EQ(audio.musicState, kMusicFadingIn);
  EXPECT_EQ(PlayerVolume(), 0);
  UpdateMusic(1.0f);
  EXPECT_EQ(PlayerVolume(), 0);  // 0.25, truncated
  EXPECT_EQ(FramesWhile(kMusicFadingIn, 1.0f), 123);
  EXPECT_EQ(audio.musicState, kMusicPlaying);
  EXPECT_EQ(PlayerVolume(), 31);

  // Twice the frame length halves the frames.
  FadeToMusic(2);
  EXPECT_EQ(audio.musicState, kMusicFadingOut);
  EXPECT_EQ(PlayerVolume(), 31);
  EXPECT_EQ(FramesWhile(kMusicFadingOut, 2.0f), 62);
  EXPECT_EQ(audio.musicState, kMusicFadingIn);
  EXPECT_EQ(audio.currentTrack, 2);
  EXPECT_EQ(audio.nextTrack, -1);
  EXPECT_EQ(FramesWhile(kMusicFadingIn, 1.0f), 124);

  FadeToMusic(-1);
  EXPECT_EQ(FramesWhile(kMusicFadingOut, 1.0f), 124);
  EXPECT_EQ(audio.musicState, kMusicSilent);
  EXPECT_EQ(audio.module, nullptr);
  EXPECT_EQ(audio.fadeLevel, 0.0f);
}

// A game moves on from play track to play track; back in the menus the menu
// track loops.
TEST(MusicStates, NextPlayTrackIsNeverTheOneThatEndedNorTheMenuTrack) {
  AudioSession session("dummy");
  SetMusicEnabled(1);
  SetAutoNext(0);
  StartMusic(kMenuTrack);
  PlayGameMusic();
  const AudioState& audio = CurrentAudioState();
  FramesWhile(kMusicFadingOut, 8.0f);
  EXPECT_EQ(audio.currentTrack, kFirstPlayTrack);
  std::set<int> chosen;
  for (int round = 0; round < 40; ++round) {
    FramesWhile(kMusicFadingIn, 8.0f);
    ASSERT_EQ(audio.musicState, kMusicPlaying);
    const int ended = audio.currentTrack;
    UpdateMusic(1.0f);
    EXPECT_EQ(audio.musicState, kMusicPlaying) << "changed before the last position";
    PutAtLastPosition();
    UpdateMusic(1.0f);
    ASSERT_EQ(audio.musicState, kMusicFadingOut);
    EXPECT_NE(audio.nextTrack, ended);
    EXPECT_GE(audio.nextTrack, kFirstPlayTrack);
    EXPECT_LT(audio.nextTrack, kFirstPlayTrack + kPlayTrackCount);
    chosen.insert(audio.nextTrack);
    FramesWhile(kMusicFadingOut, 8.0f);
    EXPECT_NE(audio.currentTrack, ended);
  }
  EXPECT_EQ(chosen.size(), 4u) << "every play track comes up";

  PlayMenuMusic();
  FramesWhile(kMusicFadingOut, 8.0f);
  FramesWhile(kMusicFadingIn, 8.0f);
  ASSERT_EQ(audio.currentTrack, kMenuTrack);
  PutAtLastPosition();
  UpdateMusic(1.0f);
  EXPECT_EQ(audio.musicState, kMusicPlaying) << "the menu track loops";
  EXPECT_EQ(audio.currentTrack, kMenuTrack);
}

TEST(MusicStates, MusicDisabledAtStartRunsTheMenuSilentlyUntilTheNextChangeOfTrack) {
  AudioSession session("dummy");
  SetSoundEnabled(1);
  SetMusicEnabled(0);
  SetAutoNext(0);
  StartMusic(kMenuTrack);
  const AudioState& audio = CurrentAudioState();
  ASSERT_TRUE(audio.module && audio.module->Module());
  EXPECT_TRUE(audio.module->IsPlaying());
  EXPECT_EQ(audio.musicState, kMusicSilent);
  for (int i = 0; i < 200; ++i) UpdateMusic(1.0f);
  EXPECT_EQ(PlayerVolume(), 0);

  // The options switch music on: nothing is heard yet.
  SetMusicEnabled(1);
  for (int i = 0; i < 200; ++i) UpdateMusic(1.0f);
  EXPECT_EQ(audio.musicState, kMusicSilent);
  EXPECT_EQ(PlayerVolume(), 0);

  // The next change of track brings it back.
  FadeToMusic(1);
  FramesWhile(kMusicFadingOut, 1.0f);
  FramesWhile(kMusicFadingIn, 1.0f);
  EXPECT_EQ(audio.musicState, kMusicPlaying);
  EXPECT_EQ(audio.currentTrack, 1);
  EXPECT_EQ(PlayerVolume(), 31);

  // Switched off again, it falls silent at once; a fade request is ignored.
  SetMusicEnabled(0);
  UpdateMusic(1.0f);
  EXPECT_EQ(PlayerVolume(), 0);
  FadeToMusic(2);
  EXPECT_EQ(audio.musicState, kMusicSilent);
  EXPECT_EQ(audio.currentTrack, 1);
}

TEST(MusicStates, PauseAndResumeAroundADisplayChange) {
  AudioSession session("dummy");
  SetMusicEnabled(1);
  StartMusic(3);
  FramesWhile(kMusicFadingIn, 4.0f);
  const AudioState& audio = CurrentAudioState();
  PauseMusic();
  EXPECT_EQ(audio.musicState, kMusicSilent);
  EXPECT_FALSE(audio.module->IsPlaying());
  EXPECT_EQ(audio.module->Position(), 0);  // rewound
  ResumeMusic();
  EXPECT_EQ(audio.musicState, kMusicPlaying);
  EXPECT_EQ(audio.fadeLevel, kMusicFullLevel);
  EXPECT_EQ(PlayerVolume(), 31) << "never a frame at Play's own volume";
  UpdateMusic(1.0f);
  EXPECT_EQ(PlayerVolume(), 31);
}

std::vector<int16_t> Recorded(const std::string& path) {
  const std::string bytes = testsupport::ReadFile(path);
  std::vector<int16_t> samples(bytes.size() / 2);
  std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
  return samples;
}

int Loudest(const std::vector<int16_t>& samples) {
  int peak = 0;
  for (int16_t s : samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
  return peak;
}

TEST(MixerThread, ASampleVoiceIsHeardOnlyWithSoundEnabled) {
  TempDir dir;
  setenv("SDL_DISKAUDIOFILE", (dir / "quiet.raw").c_str(), 1);
  {
    AudioSession session("disk");
    ASSERT_TRUE(SDLMikMod_IsReady());
    PlaySound(kEffectLevelDone);  // sound is off until the settings say otherwise
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
  }
  const std::vector<int16_t> quiet = Recorded(dir / "quiet.raw");
  ASSERT_GT(quiet.size(), 4096u);
  EXPECT_EQ(Loudest(quiet), 0);

  setenv("SDL_DISKAUDIOFILE", (dir / "heard.raw").c_str(), 1);
  {
    AudioSession session("disk");
    SetSoundEnabled(1);
    PlaySound(kEffectLevelDone);
    PlaySound(-1);           // out of the table: nothing
    PlaySound(kSoundCount);
    std::this_thread::sleep_for(std::chrono::milliseconds(900));
  }
  const std::vector<int16_t> heard = Recorded(dir / "heard.raw");
  EXPECT_GT(Loudest(heard), 2000);
  EXPECT_LT(Loudest(heard), 32767);
}

// "Better placement" waits for the end of its frame and gives way to a word
// or the level heard in the same frame, before it or after it.
TEST(MixerThread, BetterPlacementIsNotHeardInTheFrameOfAWord) {
  struct Case {
    std::vector<int> frame;
    bool heard;
  } cases[] = {
      {{kEffectBetterPlacement}, true},
      {{kEffectBetterPlacement, kEffectWordFormed}, false},
      {{kEffectLevelDone, kEffectBetterPlacement}, false},
      {{kEffectCubeRoll, kEffectBetterPlacement}, true},
  };
  for (const Case& c : cases) {
    AudioSession session("dummy");
    SetSoundEnabled(1);
    for (int sound : c.frame) PlaySound(sound);
    const AudioState& audio = CurrentAudioState();
    EXPECT_EQ(audio.samples[kEffectBetterPlacement]->Voice(), -1) << "not before the frame ends";
    UpdateMusic(1.0f);
    EXPECT_EQ(audio.samples[kEffectBetterPlacement]->Voice() >= 0, c.heard) << c.frame.size();
    for (int sound : c.frame)
      if (sound != kEffectBetterPlacement) { EXPECT_GE(audio.samples[sound]->Voice(), 0); }
  }
}

TEST(NoDevice, EveryCallDoesNothing) {
  CapturedStream err(2);
  AudioSession session("no-such-driver");
  EXPECT_EQ(session.result(), 1) << "no device is not a failed start";
  EXPECT_FALSE(SDLMikMod_IsReady());
  SetSoundEnabled(1);
  SetMusicEnabled(1);
  SetAutoNext(1);
  StartMusic(kMenuTrack);
  FadeToMusic(1);
  for (int i = 0; i < 300; ++i) UpdateMusic(1.0f);
  PlaySound(kEffectCubeRoll);
  PauseMusic();
  ResumeMusic();
  StopMusic();
  const AudioState& audio = CurrentAudioState();
  EXPECT_EQ(audio.module, nullptr);
  EXPECT_EQ(audio.musicState, kMusicSilent);
  EXPECT_EQ(audio.soundEnabled, 0);
  for (const auto& sample : audio.samples) EXPECT_EQ(sample, nullptr);
  EXPECT_EQ(SDLMikMod_LoadModule("data/sfx/musicmenu.zik"), nullptr);
  EXPECT_NE(err.Text().find("Could not initialize sound"), std::string::npos);
}

TEST(DamagedFiles, AreRefusedAndStaySilent) {
  TempDir dir;
  const std::string sfx = dir / "data/sfx";
  ASSERT_EQ(std::system(("mkdir -p " + sfx + " && cp " + testsupport::GameTreeDir() + "/data/sfx/* " + sfx).c_str()),
            0);
  const std::string module = testsupport::ReadFile(dir / g_musicTable[1]);
  testsupport::WriteFile(dir / g_musicTable[1], module.substr(0, module.size() / 2));
  testsupport::WriteFile(dir / g_soundTable[kEffectSelect], "RIFF\x10\0\0\0WAVEfmt ");
  std::remove((dir / g_soundTable[kEffectUndo]).c_str());

  CapturedStream err(2);
  AudioSession session("dummy", dir.Path());
  const AudioState& audio = CurrentAudioState();
  EXPECT_EQ(audio.samples[kEffectSelect]->Sample(), nullptr);
  EXPECT_EQ(audio.samples[kEffectUndo]->Sample(), nullptr);
  EXPECT_NE(audio.samples[kEffectCubeRoll]->Sample(), nullptr);
  SetSoundEnabled(1);
  SetMusicEnabled(1);
  SetAutoNext(1);
  PlaySound(kEffectSelect);
  PlaySound(kEffectUndo);
  StartMusic(1);
  for (int i = 0; i < 300; ++i) UpdateMusic(1.0f);
  EXPECT_EQ(audio.musicState, kMusicPlaying) << "a silent track never reaches a last position";
  EXPECT_EQ(audio.currentTrack, 1);
  const std::string text = err.Text();
  EXPECT_NE(text.find("Module File data/sfx/musicjeu1.zik not found\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Sample data/sfx/impsell.wav refused"), std::string::npos) << text;
  // A missing sound is silent, but not without a word.
  EXPECT_NE(text.find("Couldn't load sound file data/sfx/back.wav\n"), std::string::npos) << text;
}

// Track changes, fades, pauses and effects from the main thread while the
// callback mixes with hardly a pause (the disk driver, 5 ms between
// buffers): every change holds the mixer lock, so nothing faults (the
// sanitizer builds watch the memory), the callback mixed all along, and
// afterwards the player still advances.
TEST(MixerThread, ChangingTracksWhileMixingIsSafe) {
  TempDir dir;
  setenv("SDL_DISKAUDIOFILE", (dir / "storm.raw").c_str(), 1);
  setenv("SDL_DISKAUDIODELAY", "5", 1);
  {
    AudioSession session("disk");
    ASSERT_TRUE(SDLMikMod_IsReady());
    SetSoundEnabled(1);
    SetMusicEnabled(1);
    SetAutoNext(1);
    std::srand(7);
    for (int i = 0; i < 400; ++i) {
      switch (std::rand() % 7) {
        case 0: StartMusic(std::rand() % kMusicCount); break;
        case 1: FadeToMusic(std::rand() % (kMusicCount + 1) - 1); break;
        case 2: PlaySound(std::rand() % kSoundCount); break;
        case 3: PauseMusic(); break;
        case 4: ResumeMusic(); break;
        case 5: if (CurrentAudioState().module && CurrentAudioState().module->Module()) PutAtLastPosition(); break;
        default: StopMusic(); break;
      }
      UpdateMusic(static_cast<float>(std::rand() % 40));
      std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    const size_t mixedDuringTheChanges = testsupport::ReadFile(dir / "storm.raw").size();
    EXPECT_GT(mixedDuringTheChanges, 10u * 4096) << "the callback ran while the tracks changed";

    SetAutoNext(0);
    StartMusic(2);
    auto row = [] {
      MixerLock lock;
      MODULE* m = Player_GetModule();
      return m ? m->sngpos * 64 + m->patpos : -1;
    };
    const int first = row();
    ASSERT_GE(first, 0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (row() < first + 16 && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_GE(row(), first + 16) << "the callback mixes and the player advances";
  }
  unsetenv("SDL_DISKAUDIODELAY");
}

}  // namespace
