#include "tests/support/VirtualDisplay.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace testsupport {

bool VirtualDisplay::Start(int width, int height, bool withGlx, bool makeDefault) {
  Stop();
  int fds[2];
  if (pipe(fds) != 0) return false;
  const pid_t parent = getpid();
  m_pid = fork();
  if (m_pid < 0) return false;
  if (m_pid == 0) {
    // The server must not outlive the tests, whatever happens to them.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(1);
    close(fds[0]);
    int devNull = open("/dev/null", O_WRONLY);
    if (devNull >= 0) {
      dup2(devNull, 1);
      dup2(devNull, 2);
    }
    std::string fd = std::to_string(fds[1]);
    std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp", "-noreset",
           withGlx ? "+extension" : "-extension", "GLX", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  // Xvfb writes its display number when it is ready to take clients.
  std::string number;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (number.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
    pollfd entry = {fds[0], POLLIN, 0};
    if (poll(&entry, 1, 200) <= 0) continue;
    char c;
    if (read(fds[0], &c, 1) != 1) break;
    number.push_back(c);
  }
  close(fds[0]);
  if (number.empty() || number.find('\n') == std::string::npos) {
    std::fprintf(stderr, "Xvfb did not start\n");
    Stop();
    return false;
  }
  number.pop_back();
  m_name = ":" + number;
  if (makeDefault) {
    setenv("DISPLAY", m_name.c_str(), 1);
    setenv("SDL_VIDEODRIVER", "x11", 1);
  }
  return true;
}

void VirtualDisplay::Stop() {
  if (m_pid > 0) {
    kill(m_pid, SIGTERM);
    int status;
    for (int i = 0; i < 50; ++i) {
      if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
        m_pid = -1;
        break;
      }
      usleep(100000);
    }
    if (m_pid > 0) {
      kill(m_pid, SIGKILL);
      waitpid(m_pid, &status, 0);
    }
  }
  m_pid = -1;
  m_name.clear();
}

}  // namespace testsupport
