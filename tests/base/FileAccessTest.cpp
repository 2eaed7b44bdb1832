// The safe writer: a file is always the old one or the new one, whole, even
// when the writer is killed at any moment; links, permissions, read-only
// directories and temporary files left by killed runs.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "base/FileAccess.h"
#include "tests/support/TestFiles.h"

using testsupport::AsNobody;
using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

bool Write(const std::string& path, const std::string& content) {
  AtomicFileWriter out;
  if (!out.Open(path.c_str(), "wb")) return false;
  if (std::fwrite(content.data(), 1, content.size(), out.File()) != content.size()) return false;
  return out.Commit();
}

std::vector<std::string> Names(const std::string& directory) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(directory))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

mode_t Mode(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

}  // namespace

TEST(AtomicFileWriter, AnAbandonedWriteLeavesTheOldFileAndNoTemporary) {
  TempDir dir;
  const std::string target = dir / "score.orb";
  WriteFile(target, "old");
  {
    AtomicFileWriter out;
    ASSERT_TRUE(out.Open(target.c_str(), "wb"));
    std::fputs("half", out.File());
  }
  EXPECT_EQ(ReadFile(target), "old");
  ASSERT_TRUE(Write(target, "new"));
  EXPECT_EQ(ReadFile(target), "new");
  EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"score.orb"});
}

TEST(AtomicFileWriter, WritingThroughALinkReplacesItsTargetAndKeepsTheLink) {
  TempDir dir;
  std::filesystem::create_directory(dir / "real");
  WriteFile(dir / "real/config.ini", "old");
  ASSERT_EQ(symlink("real/config.ini", (dir / "relative.ini").c_str()), 0);
  ASSERT_EQ(symlink((dir / "relative.ini").c_str(), (dir / "chain.ini").c_str()), 0);
  ASSERT_TRUE(Write(dir / "chain.ini", "new"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "chain.ini"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "relative.ini"));
  EXPECT_EQ(ReadFile(dir / "real/config.ini"), "new");
  EXPECT_EQ(Names(dir / "real"), std::vector<std::string>{"config.ini"});
  // A dangling link gets its file.
  ASSERT_EQ(symlink("real/later.ini", (dir / "dangling.ini").c_str()), 0);
  ASSERT_TRUE(Write(dir / "dangling.ini", "made"));
  EXPECT_EQ(ReadFile(dir / "real/later.ini"), "made");
}

TEST(AtomicFileWriter, TheFileKeepsItsPermissionBits) {
  TempDir dir;
  const mode_t mask = umask(022);
  for (mode_t mode : {0600, 0640, 0666, 0444}) {
    const std::string target = dir / ("file" + std::to_string(mode));
    WriteFile(target, "old");
    ASSERT_EQ(chmod(target.c_str(), mode), 0);
    ASSERT_TRUE(Write(target, "new")) << mode;
    EXPECT_EQ(Mode(target), mode) << std::oct << mode;
  }
  // A new file gets what the creation mask allows.
  ASSERT_TRUE(Write(dir / "fresh", "x"));
  EXPECT_EQ(Mode(dir / "fresh"), 0644u);
  umask(mask);
}

TEST(AtomicFileWriter, AFileInAReadOnlyDirectoryIsWrittenInPlace) {
  TempDir dir;
  chmod(dir.Path().c_str(), 0755);
  const std::string locked = dir / "locked";
  std::filesystem::create_directory(locked);
  WriteFile(locked + "/config.ini", "old content that is longer");
  WriteFile(locked + "/mine.ini", "theirs");
  chmod((locked + "/config.ini").c_str(), 0666);
  chmod((locked + "/mine.ini").c_str(), 0644);
  chmod(locked.c_str(), 0555);
  const int status = AsNobody([&] {
    AtomicFileWriter out;
    if (!out.Open((locked + "/config.ini").c_str(), "wb") || !out.InPlace()) return 1;
    std::fputs("new", out.File());
    // Never cut short before the new bytes are ready: a kill here keeps it.
    std::fflush(out.File());
    if (ReadFile(locked + "/config.ini") != "old content that is longer") return 4;
    if (!out.Commit()) return 2;
    // A file the player may not write either: refused, untouched.
    AtomicFileWriter other;
    return other.Open((locked + "/mine.ini").c_str(), "wb") ? 3 : 0;
  });
  chmod(locked.c_str(), 0755);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadFile(locked + "/config.ini"), "new");
  EXPECT_EQ(ReadFile(locked + "/mine.ini"), "theirs");
}

TEST(AtomicFileWriter, TemporariesOfKilledRunsAreRemovedAndLiveOnesKept) {
  TempDir dir;
  const std::string target = dir / "save01.orb";
  WriteFile(target, "old");
  // No process has a number this high; the parent of this test is alive.
  WriteFile(target + ".tmp2147483646", "left by a killed run");
  const std::string live = target + ".tmp" + std::to_string(getppid());
  WriteFile(live, "another game writing");
  WriteFile(dir / "save01.orb.tmpx", "not ours");
  WriteFile(dir / "ScreenShot03.bmp.tmp2147483646", "another file's, left by a killed run");
  ASSERT_TRUE(Write(target, "new"));
  const std::vector<std::string> kept = {"ScreenShot03.bmp.tmp2147483646", "save01.orb",
                                         "save01.orb.tmp" + std::to_string(getppid()), "save01.orb.tmpx"};
  EXPECT_EQ(Names(dir.Path()), kept);
  // At start the game clears what killed runs left of every file.
  RemoveStaleTemporaryFiles(dir.Path().c_str());
  EXPECT_EQ(Names(dir.Path()), std::vector<std::string>(kept.begin() + 1, kept.end()));
}

TEST(AtomicFileWriter, AWriterKilledAtAnyMomentLeavesTheOldFileOrTheNewOneWhole) {
  TempDir dir;
  const std::string target = dir / "config.ini";
  // Two versions large enough that a write takes several system calls.
  const std::string versions[2] = {std::string(300000, 'a') + "end a\n", std::string(200000, 'b') + "end b\n"};
  ASSERT_TRUE(Write(target, versions[0]));
  std::mt19937 random(20261207);
  int seenNew = 0;
  for (int round = 0; round < 100; ++round) {
    const pid_t writer = fork();
    if (writer == 0) {
      for (int i = 1;; ++i) Write(target, versions[i % 2]);
    }
    usleep(random() % 4000);
    kill(writer, SIGKILL);
    int status = 0;
    waitpid(writer, &status, 0);
    const std::string now = ReadFile(target);
    ASSERT_TRUE(now == versions[0] || now == versions[1]) << "round " << round << ": " << now.size() << " bytes";
    seenNew += now == versions[1];
  }
  EXPECT_GT(seenNew, 0);
  // The killed writers' temporaries go with the next write.
  ASSERT_TRUE(Write(target, versions[0]));
  EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"config.ini"});
}
