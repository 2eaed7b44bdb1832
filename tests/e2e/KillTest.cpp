// SIGKILL thrown at the real game at random moments inside its writes of
// config.ini, the high scores, a save slot and a screenshot: the file is
// always the old one or the new one, whole; a kill leaves at most one
// temporary file beside it, and the next clean run leaves none.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/GameDriver.h"

using namespace testsupport;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// The game writes its settings back in its own order: the old file differs
// from the new one.
const char* const kReorderedConfig =
    "Lang=en\nLangLevel=1\nShadow=1\nReflect=1\nDifficulty=0\nMusic=1\nSound=1\nSpeed=2\nHeight=600\nWidth=800\n";
constexpr int kKills = 30;

struct Target {
  const char* name;
  const char* directory;  // below the game directory
  const char* prefix;     // the file, or the start of the numbered ones
  size_t compared;        // leading bytes that must match the new file (npos: all)
  std::vector<std::string> args;
  std::vector<std::string> keys;  // pressed in turn until the write starts; none: SIGTERM, the exit writes
};

bool IsTemporary(const std::string& name, const std::string& prefix) {
  return name.rfind(prefix, 0) == 0 && name.find(".tmp") != std::string::npos;
}

std::vector<std::string> Named(const std::string& directory, const std::string& prefix, bool temporaries) {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(directory)) {
    const std::string name = entry.path().filename();
    if (name.rfind(prefix, 0) == 0 && IsTemporary(name, prefix) == temporaries) names.push_back(name);
  }
  return names;
}

// One run of the game up to its write of the target: killed delay after the
// temporary file appears, or, with a negative delay, left to finish and
// stopped. Gives the microseconds from the temporary's creation to its rename
// (the write), -1 when the write never started.
long RunToTheWrite(GameDriver& game, const Target& target, long delayUs) {
  const std::string directory = game.PathOf(target.directory);
  const int watch = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
  inotify_add_watch(watch, directory.c_str(), IN_CREATE | IN_MOVED_TO);
  if (!game.Start(target.args)) {
    close(watch);
    return -1;
  }
  std::atomic<bool> pressing{true};
  std::thread presser([&] {
    if (target.keys.empty()) game.Signal(SIGTERM);
    for (size_t k = 0; pressing && !target.keys.empty(); ++k) {
      game.Key(target.keys[k % target.keys.size()]);
      GameDriver::Sleep(300);
    }
  });
  Clock::time_point created, deadline = Clock::now() + std::chrono::seconds(30);
  long written = -1;
  bool seen = false;
  char buffer[4096] __attribute__((aligned(alignof(inotify_event))));
  while (written < 0 && Clock::now() < deadline) {
    pollfd ready = {watch, POLLIN, 0};
    if (seen && delayUs >= 0) break;
    if (poll(&ready, 1, 100) <= 0) continue;
    const ssize_t length = read(watch, buffer, sizeof buffer);
    const Clock::time_point now = Clock::now();
    for (ssize_t at = 0; at < length;) {
      const inotify_event* event = reinterpret_cast<const inotify_event*>(buffer + at);
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      const std::string name = event->len ? event->name : "";
      if (!seen && (event->mask & IN_CREATE) && IsTemporary(name, target.prefix)) {
        seen = true;
        created = now;
      } else if (seen && (event->mask & IN_MOVED_TO) && !IsTemporary(name, target.prefix) &&
                 name.rfind(target.prefix, 0) == 0) {
        written = std::chrono::duration_cast<std::chrono::microseconds>(now - created).count();
      }
    }
  }
  if (seen && delayUs >= 0) {
    std::this_thread::sleep_until(created + std::chrono::microseconds(delayUs));
    game.Signal(SIGKILL);
  }
  pressing = false;
  presser.join();
  close(watch);
  if (delayUs < 0) {
    EXPECT_EQ(game.Stop(), 0) << target.name << ": " << game.Stderr();
  } else {
    EXPECT_EQ(game.WaitForExit(), 128 + SIGKILL) << target.name;
  }
  return seen && delayUs >= 0 ? 0 : written;
}

}  // namespace

TEST(Kills, DuringEveryWriteLeaveTheOldFileOrTheNewOneWholeAndTheirTemporariesGoAtTheNextRun) {
  const std::vector<std::string> level = {"-windowed", "-level", "1", "-seed", "1"};
  const Target kTargets[] = {
      {"config.ini", ".", "config.ini", std::string::npos, {"-windowed"}, {}},
      {"high scores", ".", "score-english.orb", std::string::npos, {"-windowed"}, {}},
      {"save slot", "save", "save00.orb", std::string::npos, level, {"F3", "Return"}},
      {"screenshot", "capture", "ScreenShot", 54, level, {"F10"}},  // the header, then the pixels of the moment
  };
  std::mt19937 random(std::random_device{}());
  GameDriver game;
  for (const Target& target : kTargets) {
    SCOPED_TRACE(target.name);
    const std::string directory = game.PathOf(target.directory);
    const auto reset = [&] {
      if (std::string(target.prefix) == "config.ini") game.WriteFile("config.ini", kReorderedConfig);
      for (const std::string& name : Named(directory, "ScreenShot", false)) fs::remove(directory + "/" + name);
    };
    // A run left alone gives the new file and how long writing it takes.
    reset();
    const long writeUs = RunToTheWrite(game, target, -1);
    ASSERT_GT(writeUs, -1) << game.Stdout() << game.Stderr();
    const std::vector<std::string> made = Named(directory, target.prefix, false);
    ASSERT_FALSE(made.empty());
    const std::string fresh = ReadFile(directory + "/" + made[0]);
    ASSERT_FALSE(fresh.empty());
    int landed = 0, mostTemporaries = 0;
    for (int kill = 0; kill < kKills; ++kill) {
      reset();
      const std::string old = made[0].rfind("ScreenShot", 0) == 0 ? "" : ReadFile(directory + "/" + made[0]);
      const long delayUs = std::uniform_int_distribution<long>(0, 2 * writeUs + 200)(random);
      ASSERT_EQ(RunToTheWrite(game, target, delayUs), 0) << "the write never started";
      const int temporaries = static_cast<int>(Named(directory, target.prefix, true).size());
      mostTemporaries = std::max(mostTemporaries, temporaries);
      landed += temporaries > 0;
      EXPECT_LE(temporaries, 1);
      for (const std::string& name : Named(directory, target.prefix, false)) {
        const std::string now = ReadFile(directory + "/" + name);
        EXPECT_TRUE((!old.empty() && now == old) || (now.size() == fresh.size() && now.compare(0, target.compared, fresh, 0, target.compared) == 0))
            << name << " after a kill " << delayUs << " us into the write: " << now.size() << " bytes";
      }
    }
    std::printf("%-12s kills %d, during the write %d, temporaries at most %d, write %ld us\n", target.name, kKills,
                landed, mostTemporaries, writeUs);
    EXPECT_GT(landed, 0) << "no kill fell inside a write";
  }
  // A clean run clears what the kills left.
  ASSERT_TRUE(game.Start());
  EXPECT_EQ(game.Stop(), 0) << game.Stderr();
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(game.Dir()))
    EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
}
