// Files and directories for tests: temporary directories that clean up after
// themselves, whole-file reads and writes, and where the build put things.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace testsupport {

// The assembled game directory of this build ($GLYPHOX_GAME_DIR).
std::string GameTreeDir();
// The codes of the interface languages the build ships, English first:
// $GLYPHOX_LANGUAGES (comma-separated), or when it is unset the codes of the
// game tree's data/text_<code>.txt files.
std::vector<std::string> ShippedLanguages();

std::string ReadFile(const std::string& path);
bool WriteFile(const std::string& path, const std::string& content);
bool FileExists(const std::string& path);

// The UTF-16 little-endian form of UTF-8 text with a byte-order mark, the way
// the game's language files are stored.
std::string Utf16FileContent(const std::string& utf8, bool withByteOrderMark = true);

// A new empty directory under $TMPDIR, removed with its content on
// destruction unless GLYPHOX_KEEP_TEST_DIRS is set.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return m_path; }
  std::string operator/(const std::string& relative) const { return m_path + "/" + relative; }

 private:
  std::string m_path;
};

// Runs the current test's code with the working directory changed, and
// changes it back when it goes out of scope.
class ScopedWorkingDirectory {
 public:
  explicit ScopedWorkingDirectory(const std::string& path);
  ~ScopedWorkingDirectory();

 private:
  std::string m_previous;
};

// Captures what is written to stderr or stdout (file descriptor level, so
// fprintf from C code is caught too) between construction and Text().
class CapturedStream {
 public:
  explicit CapturedStream(int fd);
  ~CapturedStream();
  std::string Text();

 private:
  int m_fd;
  int m_saved = -1;
  std::string m_file;
  bool m_done = false;
  std::string m_text;
};

// Runs body in a child process as an unprivileged user ("nobody" when the
// tests run as root, who reads and writes any file) and returns its exit
// status. The files it uses must be open to that user.
int AsNobody(const std::function<int()>& body);

// Runs a program and waits for it. Returns its exit status (128 + signal when
// killed) and fills output with what it wrote to stdout.
int RunProgram(const std::vector<std::string>& args, std::string* output = nullptr, int timeoutMs = 60000);

}  // namespace testsupport
