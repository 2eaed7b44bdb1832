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
#include <cstdlib>
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

struct Target {
  const char* name;
  const char* directory;  // below the game directory
  const char* prefix;     // the file, or the start of the numbered ones
  size_t compared;        // leading bytes that must match the new file (npos: all)
  std::vector<std::string> args;
  std::vector<std::string> keys;  // pressed in turn until the write starts; none: SIGTERM, the exit writes
};

// The files of the target in directory: its temporaries, or the others.
std::vector<std::string> Named(const std::string& directory, const std::string& prefix, bool temporaries) {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(directory)) {
    const std::string name = entry.path().filename();
    if (name.rfind(prefix, 0) == 0 && (name.find(".tmp") != std::string::npos) == temporaries) names.push_back(name);
  }
  return names;
}

// One run of the game up to its write of the target: killed delayUs after the
// temporary file appears (0 returned), or, with a negative delay, left to
// finish and stopped (the microseconds from the temporary's creation to its
// rename returned). -1 when the write never started.
long RunToTheWrite(GameDriver& game, const Target& target, long delayUs) {
  const int watch = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
  inotify_add_watch(watch, game.PathOf(target.directory).c_str(), IN_CREATE | IN_MOVED_TO);
  std::atomic<bool> pressing{game.Start(target.args)};
  std::thread presser([&] {
    if (target.keys.empty() && pressing) game.Signal(SIGTERM);
    for (size_t k = 0; pressing && !target.keys.empty(); ++k) {
      game.Key(target.keys[k % target.keys.size()]);
      GameDriver::Sleep(200);
    }
  });
  Clock::time_point created;
  long written = -1;
  bool seen = false;
  alignas(inotify_event) char buffer[4096];
  for (const Clock::time_point end = Clock::now() + std::chrono::seconds(30);
       pressing && written < 0 && !(seen && delayUs >= 0) && Clock::now() < end;) {
    pollfd ready = {watch, POLLIN, 0};
    if (poll(&ready, 1, 100) <= 0) continue;
    const ssize_t length = read(watch, buffer, sizeof buffer);
    const Clock::time_point now = Clock::now();
    for (ssize_t at = 0; at < length;) {
      const inotify_event* event = reinterpret_cast<const inotify_event*>(buffer + at);
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      const std::string name = event->len ? event->name : "";
      if (name.rfind(target.prefix, 0) != 0) continue;
      const bool temporary = name.find(".tmp") != std::string::npos;
      if (!seen && temporary && (event->mask & IN_CREATE)) created = now;
      seen = seen || temporary;
      if (seen && !temporary && (event->mask & IN_MOVED_TO))
        written = std::chrono::duration_cast<std::chrono::microseconds>(now - created).count();
    }
  }
  if (seen && delayUs >= 0) {
    std::this_thread::sleep_until(created + std::chrono::microseconds(delayUs));
    game.Signal(SIGKILL);
    const int status = game.WaitForExit();  // 0 when the kill came after the last write
    EXPECT_TRUE(status == 128 + SIGKILL || status == 0) << target.name << ": " << status;
    written = 0;
  } else {
    EXPECT_EQ(game.Stop(), 0) << target.name << ": " << game.Stderr();
  }
  pressing = false;
  presser.join();
  close(watch);
  return written;
}

}  // namespace

TEST(Kills, DuringEveryWriteLeaveTheOldFileOrTheNewOneWholeAndTheirTemporariesGoAtTheNextRun) {
  // A saved game resumes at once, without the level start.
  const std::vector<std::string> level = {"-windowed", "-load", "0"};
  const Target kTargets[] = {
      {"config.ini", ".", "config.ini", std::string::npos, {"-windowed"}, {}},
      {"high scores", ".", "score-english.orb", std::string::npos, {"-windowed"}, {}},
      {"save slot", "save", "save00.orb", std::string::npos, level, {"F3", "Return"}},
      {"screenshot", "capture", "ScreenShot", 54, level, {"F10"}},  // the header, then the pixels of the moment
  };
  std::mt19937 random(std::random_device{}());
  GameDriver game;
  game.WriteFile("save/save00.orb",
                 ReadFile(std::string(std::getenv("GLYPHOX_SOURCE_DIR")) + "/tests/fuzz/corpus/save_file/two_words.orb"));
  for (const Target& target : kTargets) {
    SCOPED_TRACE(target.name);
    const Clock::time_point began = Clock::now();
    const std::string directory = game.PathOf(target.directory);
    const auto reset = [&] {
      game.WriteFile("config.ini", kReorderedConfig);
      for (const std::string& name : Named(directory, "ScreenShot", false)) fs::remove(directory + "/" + name);
    };
    // A run left alone gives the new file and how long writing it takes.
    reset();
    const long writeUs = RunToTheWrite(game, target, -1);
    const std::vector<std::string> made = Named(directory, target.prefix, false);
    ASSERT_TRUE(writeUs >= 0 && !made.empty()) << game.Stdout() << game.Stderr();
    const std::string fresh = ReadFile(directory + "/" + made[0]);
    int landed = 0, mostTemporaries = 0;
    for (int kill = 0; kill < 30; ++kill) {
      reset();
      // No screenshot is there before its write.
      const std::string old = target.compared == std::string::npos ? ReadFile(directory + "/" + made[0]) : "";
      const long delayUs = std::uniform_int_distribution<long>(0, writeUs + 200)(random);
      ASSERT_EQ(RunToTheWrite(game, target, delayUs), 0) << "the write never started";
      const int temporaries = static_cast<int>(Named(directory, target.prefix, true).size());
      mostTemporaries = std::max(mostTemporaries, temporaries);
      landed += temporaries > 0;
      EXPECT_LE(temporaries, 1);
      for (const std::string& name : Named(directory, target.prefix, false)) {
        const std::string now = ReadFile(directory + "/" + name);
        EXPECT_TRUE((!old.empty() && now == old) ||
                    (now.size() == fresh.size() && now.compare(0, target.compared, fresh, 0, target.compared) == 0))
            << name << " after a kill " << delayUs << " us into the write: " << now.size() << " bytes";
      }
    }
    std::printf("%-12s kills 30, during the write %d, temporaries at most %d, write %ld us, %.0f s\n", target.name,
                landed, mostTemporaries, writeUs, std::chrono::duration<double>(Clock::now() - began).count());
    EXPECT_GT(landed, 0) << "no kill fell inside a write";
  }
  // A clean run clears what the kills left.
  ASSERT_TRUE(game.Start());
  EXPECT_EQ(game.Stop(), 0) << game.Stderr();
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(game.Dir()))
    EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
}
