// A private X server (Xvfb with GLX through Mesa) for tests that need a
// display. It picks a free display number, and it dies with the test process
// whatever the outcome, even when the test crashes.
#pragma once

#include <sys/types.h>

#include <string>

namespace testsupport {

class VirtualDisplay {
 public:
  VirtualDisplay() = default;
  ~VirtualDisplay() { Stop(); }
  VirtualDisplay(const VirtualDisplay&) = delete;
  VirtualDisplay& operator=(const VirtualDisplay&) = delete;

  // Starts the server; a default display becomes DISPLAY (and SDL's video
  // driver is set to X11). Without GLX, OpenGL windows cannot open on it.
  bool Start(int width = 1024, int height = 768, bool withGlx = true, bool makeDefault = true);
  void Stop();
  const std::string& Name() const { return m_name; }

 private:
  pid_t m_pid = -1;
  std::string m_name;
};

}  // namespace testsupport
