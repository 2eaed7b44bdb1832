#include "tests/support/GameDriver.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

namespace testsupport {

namespace fs = std::filesystem;

namespace {
constexpr const char* kWindowTitle = "Glyphox Deluxe";

std::string GameExecutable() { return GameTreeDir() + "/glyphox"; }

int DecodeStatus(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}
}  // namespace

GameDriver::GameDriver() : m_program(GameExecutable()) {
  const fs::path source = GameTreeDir();
  for (const fs::directory_entry& entry : fs::directory_iterator(source)) {
    if (entry.path().filename() == "glyphox") continue;
    fs::copy(entry.path(), fs::path(Dir()) / entry.path().filename(),
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  }
}

GameDriver::GameDriver(std::string program) : m_program(std::move(program)) {}

GameDriver::~GameDriver() {
  if (m_pid > 0) {
    kill(m_pid, SIGKILL);
    int status;
    waitpid(m_pid, &status, 0);
  }
}

std::string GameDriver::ReadFile(const std::string& relative) const { return testsupport::ReadFile(PathOf(relative)); }

bool GameDriver::WriteFile(const std::string& relative, const std::string& content) const {
  fs::create_directories(fs::path(PathOf(relative)).parent_path());
  return testsupport::WriteFile(PathOf(relative), content);
}

bool GameDriver::RemoveFile(const std::string& relative) const {
  std::error_code error;
  return fs::remove(PathOf(relative), error);
}

bool GameDriver::Exists(const std::string& relative) const { return FileExists(PathOf(relative)); }

bool GameDriver::Launch(const std::vector<std::string>& args) {
  if (m_pid > 0) return false;
  const std::string& executable = m_program;
  const std::string out = PathOf("stdout.txt"), err = PathOf("stderr.txt");
  const pid_t parent = getpid();
  m_exitStatus = -1;
  m_window = 0;
  m_pid = fork();
  if (m_pid < 0) return false;
  if (m_pid == 0) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(1);
    if (chdir(Dir().c_str()) != 0) _exit(126);
    int outFd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    int errFd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(outFd, 1);
    dup2(errFd, 2);
    setenv("SDL_VIDEODRIVER", "x11", 1);
    if (!getenv("SDL_AUDIODRIVER")) setenv("SDL_AUDIODRIVER", "dummy", 1);
    for (const auto& [name, value] : m_environment) setenv(name.c_str(), value.c_str(), 1);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(executable.c_str()));
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(executable.c_str(), argv.data());
    _exit(127);
  }
  return true;
}

void GameDriver::SetEnvironment(const std::string& name, const std::string& value) {
  m_environment.emplace_back(name, value);
}

bool GameDriver::Start(const std::vector<std::string>& args, int timeoutMs) {
  if (!Launch(args)) return false;
  bool found = WaitUntil(
      [this] {
        if (!Running()) return true;
        m_window = FindWindow();
        return m_window != 0;
      },
      timeoutMs, 100);
  if (!found || m_window == 0) return false;
  // Keys go to the window under the pointer: put the pointer inside.
  Xdotool({"mousemove", "--window", std::to_string(m_window), "4", "4"});
  // Skip the opening emblem as a player does, with a key release; a lone
  // Shift does nothing anywhere else.
  Xdotool({"key", "Shift_L"});
  return true;
}

bool GameDriver::Running() {
  if (m_pid <= 0) return false;
  int status;
  pid_t done = waitpid(m_pid, &status, WNOHANG);
  if (done == m_pid) {
    m_exitStatus = DecodeStatus(status);
    m_pid = -1;
    return false;
  }
  return true;
}

int GameDriver::WaitForExit(int timeoutMs) {
  WaitUntil([this] { return !Running(); }, timeoutMs, 20);
  return Running() ? -1 : m_exitStatus;
}

int GameDriver::Stop(int timeoutMs) {
  if (!Running()) return m_exitStatus;
  kill(m_pid, SIGTERM);
  int status = WaitForExit(timeoutMs);
  if (status == -1 && m_pid > 0) {
    kill(m_pid, SIGKILL);
    int raw;
    waitpid(m_pid, &raw, 0);
    m_pid = -1;
    return -1;
  }
  return status;
}

void GameDriver::Xdotool(const std::vector<std::string>& args) const {
  std::vector<std::string> command = {"xdotool"};
  command.insert(command.end(), args.begin(), args.end());
  RunProgram(command, nullptr, 10000);
}

unsigned long GameDriver::FindWindow() const {
  std::string output;
  RunProgram({"xdotool", "search", "--name", std::string("^") + kWindowTitle + "$"}, &output, 5000);
  std::istringstream lines(output);
  unsigned long window = 0;
  lines >> window;
  return window;
}

namespace {
bool ReadWindowAttributes(unsigned long window, XWindowAttributes& attributes) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return false;
  bool ok = window && XGetWindowAttributes(display, window, &attributes) != 0;
  XCloseDisplay(display);
  return ok;
}
}  // namespace

bool GameDriver::WindowSize(int& width, int& height) const {
  XWindowAttributes attributes;
  if (!ReadWindowAttributes(m_window, attributes)) return false;
  width = attributes.width;
  height = attributes.height;
  return true;
}

bool GameDriver::FullScreenShown() const {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return false;
  ::Window root = DefaultRootWindow(display), parent = 0, *children = nullptr;
  unsigned int count = 0;
  bool shown = false;
  if (XQueryTree(display, root, &root, &parent, &children, &count)) {
    for (unsigned int i = 0; i < count; ++i) {
      XWindowAttributes attributes;
      if (XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable &&
          attributes.width == DisplayWidth(display, DefaultScreen(display)) &&
          attributes.height == DisplayHeight(display, DefaultScreen(display)))
        shown = true;
    }
    if (children) XFree(children);
  }
  XCloseDisplay(display);
  return shown;
}

bool GameDriver::WaitForStdout(const std::string& text, int timeoutMs) const {
  return WaitUntil([&] { return Stdout().find(text) != std::string::npos; }, timeoutMs);
}

void GameDriver::Key(const std::string& keysym) const { Xdotool({"key", "--delay", "30", keysym}); }
void GameDriver::Keys(const std::vector<std::string>& keysyms, int pauseMs) const {
  for (const std::string& keysym : keysyms) {
    Key(keysym);
    Sleep(pauseMs);
  }
}
void GameDriver::Type(const std::string& text) const { Xdotool({"type", "--delay", "40", text}); }

void GameDriver::MoveMouse(int x, int y) const {
  Xdotool({"mousemove", "--window", std::to_string(m_window), std::to_string(x), std::to_string(y)});
}

void GameDriver::Click(int button) const { Xdotool({"click", std::to_string(button)}); }

void GameDriver::RequestClose() const {
  Display* display = XOpenDisplay(nullptr);
  if (!display || !m_window) {
    if (display) XCloseDisplay(display);
    return;
  }
  XEvent event = {};
  event.xclient.type = ClientMessage;
  event.xclient.window = m_window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, m_window, False, NoEventMask, &event);
  XFlush(display);
  XCloseDisplay(display);
}

bool GameDriver::WaitOutTheFade(int timeoutMs) const {
  int previous = -1, steady = 0;
  const bool done = WaitUntil(
      [&] {
        const Image shot = Screenshot();
        if (shot.Empty()) return false;
        const Rgb mean = shot.Mean(0, 0, shot.width, shot.height);
        const int brightness = mean.r + mean.g + mean.b;
        steady = brightness > 30 && previous > 0 && std::abs(brightness - previous) * 50 <= brightness ? steady + 1 : 0;
        previous = brightness;
        return steady >= 2;
      },
      timeoutMs, 250);
  Sleep(300);
  return done;
}

int GameDriver::PointerPixelsAt(int x, int y, int awayX, int awayY) const {
  MoveMouse(awayX, awayY);
  Sleep(400);
  const Image away = Screenshot();
  MoveMouse(x, y);
  Sleep(400);
  return away.CountDifferent(Screenshot(), x, y, 16, 20);
}

Image GameDriver::Screenshot() const {
  Image image;
  Display* display = XOpenDisplay(nullptr);
  if (!display) return image;
  XWindowAttributes attributes;
  if (m_window && XGetWindowAttributes(display, m_window, &attributes)) {
    XImage* shot = XGetImage(display, m_window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (shot) {
      image.width = shot->width;
      image.height = shot->height;
      image.rgb.resize(static_cast<size_t>(image.width) * image.height * 3);
      for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
          unsigned long pixel = XGetPixel(shot, x, y);
          uint8_t* out = &image.rgb[(static_cast<size_t>(y) * image.width + x) * 3];
          out[0] = static_cast<uint8_t>((pixel & shot->red_mask) >> 16);
          out[1] = static_cast<uint8_t>((pixel & shot->green_mask) >> 8);
          out[2] = static_cast<uint8_t>(pixel & shot->blue_mask);
        }
      XDestroyImage(shot);
    }
  }
  XCloseDisplay(display);
  return image;
}

bool GameDriver::WaitUntil(const std::function<bool()>& predicate, int timeoutMs, int stepMs) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (predicate()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    Sleep(stepMs);
  }
}

void GameDriver::Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace testsupport
