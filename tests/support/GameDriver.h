// End-to-end driver: runs the real game in a fresh copy of the game directory
// on the tests' virtual display, sends it real input events through xdotool,
// reads its window back as pixels and the files it wrote, and stops it with
// SIGTERM, which SDL turns into a quit event.
//
//   GameDriver game;                       // copies the game tree
//   game.WriteFile("config.ini", "...");   // optional changes before the start
//   ASSERT_TRUE(game.Start());             // -windowed, waits for the window
//   game.Key("Escape");
//   Image shot = game.Screenshot();
//   EXPECT_EQ(game.Stop(), 0);             // SIGTERM, exit status
//   game.ReadFile("config.ini");
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/Image.h"
#include "tests/support/TestFiles.h"

namespace testsupport {

class GameDriver {
 public:
  // Copies the game tree (without the executable) into a new temporary
  // directory, which becomes the game's working directory.
  GameDriver();
  // Runs another program that starts the game (an installed launcher)
  // instead, from an empty temporary directory.
  explicit GameDriver(std::string program);
  ~GameDriver();
  GameDriver(const GameDriver&) = delete;
  GameDriver& operator=(const GameDriver&) = delete;

  const std::string& Dir() const { return m_dir.Path(); }
  std::string PathOf(const std::string& relative) const { return m_dir / relative; }
  std::string ReadFile(const std::string& relative) const;
  bool WriteFile(const std::string& relative, const std::string& content) const;
  bool RemoveFile(const std::string& relative) const;
  bool Exists(const std::string& relative) const;

  // Starts the game, waits for its window and skips the opening emblem with
  // a Shift key. False when the game ended or no window appeared in time.
  bool Start(const std::vector<std::string>& args = {"-windowed"}, int timeoutMs = 30000);
  // Starts the game without waiting for a window (start-up failure tests).
  bool Launch(const std::vector<std::string>& args = {"-windowed"});
  // An environment variable for the game's next start (DISPLAY, SDL_...).
  void SetEnvironment(const std::string& name, const std::string& value);
  bool Running();
  // Waits for the game to end: its exit status, 128 + signal when killed, or
  // -1 when it is still running after the timeout.
  int WaitForExit(int timeoutMs = 30000);
  // SIGTERM, then the exit status (SIGKILL after the timeout, giving -1).
  int Stop(int timeoutMs = 30000);

  std::string Stdout() const { return ReadFile("stdout.txt"); }
  // Waits until the standard output holds the text; false after the timeout.
  bool WaitForStdout(const std::string& text, int timeoutMs) const;
  std::string Stderr() const { return ReadFile("stderr.txt"); }
  unsigned long Window() const { return m_window; }
  // Size of the game's window in pixels.
  bool WindowSize(int& width, int& height) const;
  // True when a screen-sized window is shown: in full screen SDL covers the
  // whole screen with a window of its own.
  bool FullScreenShown() const;

  // Input through xdotool (the XTEST extension: real events).
  void Key(const std::string& keysym) const;
  // Each key in turn, with a pause after each for the game to take it.
  void Keys(const std::vector<std::string>& keysyms, int pauseMs = 150) const;
  void Type(const std::string& text) const;
  // Pointer position relative to the window's top left.
  void MoveMouse(int x, int y) const;
  void Click(int button = 1) const;

  // Asks the window to close, as a window manager's close button does.
  void RequestClose() const;

  // The window's pixels as the X server shows them.
  Image Screenshot() const;
  // The pixels of the 16 x 20 box below and right of (x, y) that change when
  // the mouse comes there from (awayX, awayY): the pointer drawn where the
  // mouse is. Both places should be clear of anything the pointer changes.
  int PointerPixelsAt(int x, int y, int awayX, int awayY) const;
  // Waits until the window has come out of black and its brightness holds
  // from one look to the next (the fade from black that holds input back is
  // over), however slowly the machine draws. False after the timeout.
  bool WaitOutTheFade(int timeoutMs = 30000) const;

  // Polls until the predicate holds or the timeout passes.
  static bool WaitUntil(const std::function<bool()>& predicate, int timeoutMs, int stepMs = 50);
  static void Sleep(int ms);

 private:
  void Xdotool(const std::vector<std::string>& args) const;
  unsigned long FindWindow() const;

  TempDir m_dir;
  std::string m_program;
  std::vector<std::pair<std::string, std::string>> m_environment;
  pid_t m_pid = -1;
  int m_exitStatus = -1;
  unsigned long m_window = 0;
};

}  // namespace testsupport
