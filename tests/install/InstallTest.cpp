// The installed game: `cmake --install` into a staging directory under a
// prefix of its own, made read-only, then started through its launcher as a
// player would, with a fresh home directory, on the virtual display.
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/support/GameDriver.h"
#include "tests/support/TestFiles.h"

using namespace testsupport;
namespace fs = std::filesystem;

namespace {

const char* const kPrefix = "/opt/glyphox-test";
std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// The desktop's name of the game, and where the read-only data goes.
const std::string kAppId = Env("GLYPHOX_APP_ID");
const std::string kShared = Env("GLYPHOX_INSTALL_SHARED_DIR");

// What identifies a file's state: kind, mode, size, change time, link target.
std::map<std::string, std::string> Snapshot(const std::string& root) {
  std::map<std::string, std::string> entries;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
    struct stat info;
    if (lstat(entry.path().c_str(), &info) != 0) continue;
    std::string state = std::to_string(info.st_mode) + " " + std::to_string(info.st_size) + " " +
                        std::to_string(info.st_mtim.tv_sec) + "." + std::to_string(info.st_mtim.tv_nsec) + " " +
                        std::to_string(info.st_ctim.tv_sec) + "." + std::to_string(info.st_ctim.tv_nsec);
    if (entry.is_symlink()) state += " -> " + fs::read_symlink(entry.path()).string();
    entries[fs::relative(entry.path(), root).string()] = state;
  }
  return entries;
}

void SetWritable(const std::string& root, bool writable) {
  const fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  auto apply = [&](const fs::path& path) {
    fs::permissions(path, writable ? fs::perms::owner_write : write,
                    writable ? fs::perm_options::add : fs::perm_options::remove);
  };
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root))
    if (!entry.is_symlink()) apply(entry.path());
  apply(root);
}

// A key's value in config.ini ("" when absent).
std::string ConfigValue(const std::string& text, const std::string& key) {
  size_t at = 0;
  while ((at = text.find(key + "=", at)) != std::string::npos) {
    if (at == 0 || text[at - 1] == '\n') {
      size_t end = text.find('\n', at);
      return text.substr(at + key.size() + 1, end == std::string::npos ? std::string::npos : end - at - key.size() - 1);
    }
    ++at;
  }
  return "";
}

class InstalledGame : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    s_stage = new TempDir;
    std::string log;
    s_installStatus = RunProgram({"env", "DESTDIR=" + s_stage->Path(), Env("GLYPHOX_CMAKE"), "--install",
                                  Env("GLYPHOX_BINARY_DIR"), "--prefix", kPrefix},
                                 &log, 120000);
    s_installLog = new std::string(log);
    if (s_installStatus != 0) return;
    // Nothing may change below here: as root, permissions alone would not
    // stop a write, so the snapshot is compared too.
    SetWritable(*s_stage / "opt", false);
    s_snapshot = new std::map<std::string, std::string>(Snapshot(Root()));
  }
  static void TearDownTestSuite() {
    if (fs::exists(*s_stage / "opt")) SetWritable(*s_stage / "opt", true);
    delete s_snapshot;
    delete s_installLog;
    delete s_stage;
  }

  void SetUp() override { ASSERT_EQ(s_installStatus, 0) << *s_installLog; }
  void TearDown() override {
    if (s_snapshot) {
      EXPECT_EQ(Snapshot(Root()), *s_snapshot) << "something wrote into the installed tree";
    }
  }

  static std::string Root() { return s_stage->Path() + kPrefix; }
  static std::string Installed(const std::string& relative) { return Root() + "/" + relative; }
  static std::string Launcher() { return Installed("bin/glyphox"); }

  // The launcher without DISPLAY or anything else of ours: its output and
  // standard error together, its exit status.
  static int RunBare(const std::vector<std::string>& args, const std::string& home, std::string& output) {
    std::string command = "\"$0\"";
    for (size_t i = 0; i < args.size(); ++i) command += " \"$" + std::to_string(i + 1) + "\"";
    std::vector<std::string> argv = {"env", "-i", "PATH=/usr/bin:/bin", "HOME=" + home, "sh", "-c",
                                     command + " 2>&1", Launcher()};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProgram(argv, &output, 20000);
  }

  static TempDir* s_stage;
  static int s_installStatus;
  static std::string* s_installLog;
  static std::map<std::string, std::string>* s_snapshot;
};

TempDir* InstalledGame::s_stage = nullptr;
int InstalledGame::s_installStatus = -1;
std::string* InstalledGame::s_installLog = nullptr;
std::map<std::string, std::string>* InstalledGame::s_snapshot = nullptr;

}  // namespace

TEST_F(InstalledGame, HoldsTheGameItsDataAndTheDesktopFiles) {
  EXPECT_EQ(access(Launcher().c_str(), X_OK), 0);
  EXPECT_EQ(access(Installed("libexec/glyphox/glyphox").c_str(), X_OK), 0);
  EXPECT_EQ(ReadFile(Installed(kShared + "/config.ini")), ReadFile(Env("GLYPHOX_SOURCE_DIR") + "/defaults/config.ini"));
  EXPECT_EQ(ReadFile(Installed(kShared + "/game.ini")), ReadFile(Env("GLYPHOX_SOURCE_DIR") + "/defaults/game.ini"));

  // Every file of the assembled data tree, with the same bytes; fonts may
  // be links to the system's copies. Build stamps stay behind.
  const fs::path built = GameTreeDir() + "/data";
  int files = 0;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(built)) {
    if (!entry.is_regular_file()) continue;
    const std::string relative = fs::relative(entry.path(), built).string();
    const std::string copy = Installed(kShared + "/data/" + relative);
    if (entry.path().filename().string()[0] == '.') {
      EXPECT_FALSE(fs::exists(copy)) << relative;
      continue;
    }
    ++files;
    EXPECT_EQ(ReadFile(copy), ReadFile(entry.path())) << relative;
  }
  EXPECT_GT(files, 50);

  std::string output;
  EXPECT_EQ(RunProgram({"desktop-file-validate", Installed("share/applications/" + kAppId + ".desktop")},
                       &output),
            0)
      << output;
  EXPECT_EQ(RunProgram({"appstreamcli", "validate", "--no-net",
                        Installed("share/metainfo/" + kAppId + ".metainfo.xml")},
                       &output),
            0)
      << output;
  EXPECT_EQ(RunProgram({"sh", "-c", "gzip -dc \"$0\" | grep -c '^\\.TH GLYPHOX 6'", Installed("share/man/man6/glyphox.6.gz")},
                       &output),
            0);
}

TEST_F(InstalledGame, IconsAreDecodablePicturesOfTheNamedSizes) {
  for (int size : {48, 64, 128, 256}) {
    const std::string dir = std::to_string(size) + "x" + std::to_string(size);
    const std::string path = Installed("share/icons/hicolor/" + dir + "/apps/" + kAppId + ".png");
    SDL_Surface* icon = IMG_Load(path.c_str());
    ASSERT_NE(icon, nullptr) << path << ": " << IMG_GetError();
    EXPECT_EQ(icon->w, size);
    EXPECT_EQ(icon->h, size);
    ASSERT_EQ(icon->format->BytesPerPixel, 4) << "icons need an alpha channel";
    // A picture on a transparent ground: corners clear, the middle opaque.
    auto alpha = [&](int x, int y) {
      Uint32 pixel = *reinterpret_cast<Uint32*>(static_cast<Uint8*>(icon->pixels) + y * icon->pitch + x * 4);
      Uint8 r, g, b, a;
      SDL_GetRGBA(pixel, icon->format, &r, &g, &b, &a);
      return a;
    };
    EXPECT_EQ(alpha(0, 0), 0) << dir;
    EXPECT_EQ(alpha(size - 1, 0), 0) << dir;
    EXPECT_EQ(alpha(size / 2, size / 2), 255) << dir;
    SDL_FreeSurface(icon);
  }
}

TEST_F(InstalledGame, HelpAndVersionNeedNoDisplayAndTouchNothing) {
  TempDir home;
  std::string output;
  EXPECT_EQ(RunBare({"--help"}, home.Path(), output), 0);
  EXPECT_EQ(output.rfind("Usage: glyphox [-windowed] [--help] [--version]\n", 0), 0u) << output;
  EXPECT_EQ(RunBare({"--version"}, home.Path(), output), 0);
  EXPECT_EQ(output, "glyphox " + Env("GLYPHOX_VERSION") + "\n");
  EXPECT_EQ(RunBare({"-fullscreen"}, home.Path(), output), 2);
  EXPECT_NE(output.find("unknown option '-fullscreen'"), std::string::npos) << output;
  EXPECT_TRUE(fs::is_empty(home.Path()));
}

TEST_F(InstalledGame, RefusesWhenThePlayersDirectoryCannotBeMade) {
  TempDir home;
  // A file where a directory would have to be: no user can make that.
  ASSERT_TRUE(WriteFile(home / ".local", "not a directory"));
  std::string output;
  EXPECT_EQ(RunBare({"-windowed"}, home.Path(), output), 1);
  EXPECT_EQ(output, "glyphox: cannot create the game directory " + home.Path() +
                        "/.local/share/glyphox (check its permissions, or set XDG_DATA_HOME)\n");
}

TEST_F(InstalledGame, PlaysInThePlayersDirectoryAndKeepsTheirSettings) {
  TempDir home;
  const std::string dataHome = home / "xdg-data";
  const std::string mine = dataHome + "/glyphox";
  // One start through the launcher, a look at the window's size, SIGTERM.
  auto play = [&](int expectedWidth, int expectedHeight) {
    GameDriver game(Launcher());
    game.SetEnvironment("HOME", home.Path());
    game.SetEnvironment("XDG_DATA_HOME", dataHome);
    ASSERT_TRUE(game.Start({"-windowed"})) << game.Stderr();
    int width = 0, height = 0;
    ASSERT_TRUE(game.WindowSize(width, height));
    EXPECT_EQ(width, expectedWidth);
    EXPECT_EQ(height, expectedHeight);
    EXPECT_EQ(game.Stop(), 0);
    EXPECT_EQ(game.Stderr(), "");
  };

  ASSERT_NO_FATAL_FAILURE(play(1024, 768));
  EXPECT_EQ(fs::read_symlink(mine + "/data"), fs::canonical(Installed(kShared + "/data")));
  EXPECT_TRUE(fs::is_directory(mine + "/save"));
  EXPECT_TRUE(fs::is_directory(mine + "/capture"));
  EXPECT_EQ(ReadFile(mine + "/game.ini"), ReadFile(Installed(kShared + "/game.ini")));
  std::string config = ReadFile(mine + "/config.ini");
  ASSERT_EQ(ConfigValue(config, "Width"), "1024") << config;
  EXPECT_NE(access((mine + "/config.ini").c_str(), W_OK), -1);

  // The player changes the window size; the data link is left from an
  // older installation somewhere else.
  ASSERT_TRUE(WriteFile(mine + "/config.ini", "Width=640\nHeight=480\nLang=en\nLangLevel=1\n"));
  const auto longAgo = fs::file_time_type::clock::now() - std::chrono::hours(24);
  fs::last_write_time(mine + "/config.ini", longAgo);
  fs::remove(mine + "/data");
  fs::create_directory_symlink("/nonexistent/old/glyphox/data", mine + "/data");
  ASSERT_NO_FATAL_FAILURE(play(640, 480));
  // Written back by the game when it ended, with the player's values.
  EXPECT_GT(fs::last_write_time(mine + "/config.ini"), longAgo);
  config = ReadFile(mine + "/config.ini");
  EXPECT_EQ(ConfigValue(config, "Width"), "640") << config;
  EXPECT_EQ(ConfigValue(config, "Height"), "480") << config;
  EXPECT_EQ(fs::read_symlink(mine + "/data"), fs::canonical(Installed(kShared + "/data")));
  // Nothing of the player's landed anywhere else in their home.
  std::vector<std::string> top;
  for (const fs::directory_entry& entry : fs::directory_iterator(home.Path()))
    top.push_back(entry.path().filename().string());
  EXPECT_EQ(top, std::vector<std::string>{"xdg-data"});
}

// Installed for one player below ~/.local, the installed data and that
// player's directory sit side by side in ~/.local/share.
TEST_F(InstalledGame, AnInstallBelowTheHomeDirectoryKeepsDataAndPlayerApart) {
  TempDir home;
  const std::string local = home / ".local";
  std::string log;
  ASSERT_EQ(RunProgram({Env("GLYPHOX_CMAKE"), "--install", Env("GLYPHOX_BINARY_DIR"), "--prefix", local}, &log, 120000), 0)
      << log;
  GameDriver game(local + "/bin/glyphox");
  game.SetEnvironment("HOME", home.Path());
  ASSERT_TRUE(game.Start({"-windowed"})) << game.Stderr();
  EXPECT_EQ(game.Stop(), 0);
  EXPECT_EQ(game.Stderr(), "");
  const std::string mine = local + "/share/glyphox";
  EXPECT_EQ(fs::read_symlink(mine + "/data"), fs::canonical(local + "/" + kShared + "/data"));
  EXPECT_NE(ReadFile(mine + "/config.ini"), "");
}
